#include "ui/frmQVOrvalisETMain.h"

#include "link/QtSerialPortAdapter.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "ui/CommunicationsLogView.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

frmQVOrvalisETMain::frmQVOrvalisETMain(QWidget* parent)
    : frmQVOrvalisETMain(std::make_unique<QtSerialPortAdapter>(), parent)
{
}

frmQVOrvalisETMain::frmQVOrvalisETMain(std::unique_ptr<SerialPort> port, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmQVOrvalisETMain"));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    buildLogArea(central);
    m_link = std::make_unique<SerialLink>(std::move(port), *lstSerialMessages, this);
    connect(cmdClear, &QPushButton::clicked, this, [this] { m_link->log().cmdClear_Click(); });
    Form_Load();
}

frmQVOrvalisETMain::~frmQVOrvalisETMain() = default;

void frmQVOrvalisETMain::buildLogArea(QWidget* central)
{
    lblCommunicationsLog = new QLabel(QStringLiteral("Communications Log:"), central);
    lblCommunicationsLog->setObjectName(QStringLiteral("lblCommunicationsLog"));
    lblCommunicationsLog->move(Twips(8280), Twips(120));

    cmdClear = new QPushButton(QStringLiteral("Clear"), central);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setGeometry(Twips(8280), Twips(360), Twips(4930), Twips(345));

    lstSerialMessages = new CommunicationsLogView(central);
    lstSerialMessages->setGeometry(Twips(8280), Twips(720), Twips(4930), Twips(9480));
}

void frmQVOrvalisETMain::Form_Load()
{
    setWindowTitle(SettingsStore::kApplicationTitle + QStringLiteral(" (900MHz)"));
    resize(Twips(13575), Twips(11255));
}
