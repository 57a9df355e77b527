#include "ui/frmQVOrvalisETProperties.h"

#include "link/Discovery.h"
#include "link/PortProblemText.h"
#include "link/LinkSession.h"
#include "link/PortSettings.h"
#include "platform/SettingsStore.h"
#include "ui/widgets/UserPrompts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

frmQVOrvalisETProperties::frmQVOrvalisETProperties(LinkSession& link,
                                                   TransceiverDiscovery& discovery, QWidget* parent)
    : QDialog(parent), m_link(link), m_discovery(discovery)
{
    setObjectName(QStringLiteral("frmQVOrvalisETProperties"));
    setWindowTitle(QStringLiteral("Communication Settings"));
    buildControls();
    Form_Load();
}

void frmQVOrvalisETProperties::buildControls()
{
    fraSettings = new QGroupBox(this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));
    auto* settingsLayout = new QHBoxLayout(fraSettings);

    auto* portFrame = new QGroupBox(QStringLiteral("Serial Port"), fraSettings);
    portFrame->setObjectName(QStringLiteral("fraCommPort"));
    auto* portLayout = new QGridLayout(portFrame);
    auto* ports = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        optCommPort[i] = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), portFrame);
        optCommPort[i]->setObjectName(QStringLiteral("optCommPort%1").arg(i));
        optCommPort[i]->setAccessibleName(optCommPort[i]->text());
        lblCommPortDevice[i] = new QLabel(portFrame);
        lblCommPortDevice[i]->setTextFormat(Qt::PlainText);  // device names from the settings file
        lblCommPortDevice[i]->setObjectName(QStringLiteral("lblCommPortDevice%1").arg(i));
        ports->addButton(optCommPort[i], i);
        portLayout->addWidget(optCommPort[i], i, 0);
        portLayout->addWidget(lblCommPortDevice[i], i, 1);
    }

    auto* rateFrame = new QGroupBox(QStringLiteral("Host Serial Baudrate"), fraSettings);
    rateFrame->setObjectName(QStringLiteral("fraBaudRate"));
    auto* rateLayout = new QVBoxLayout(rateFrame);
    auto* rates = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        optBaudRate[i] = new QRadioButton(HostBaudRateCaptions().at(i), rateFrame);
        optBaudRate[i]->setObjectName(QStringLiteral("optBaudRate%1").arg(i));
        optBaudRate[i]->setAccessibleName(optBaudRate[i]->text());
        rates->addButton(optBaudRate[i], i);
        rateLayout->addWidget(optBaudRate[i]);
    }
    rateLayout->addStretch();
    settingsLayout->addWidget(portFrame, 1);
    settingsLayout->addWidget(rateFrame);

    lblPortAdvice = new QLabel(this);
    lblPortAdvice->setObjectName(QStringLiteral("lblPortAdvice"));
    lblPortAdvice->setTextFormat(Qt::PlainText);
    lblPortAdvice->setWordWrap(true);
    lblPortAdvice->setTextInteractionFlags(Qt::TextSelectableByMouse);  // to copy the command

    cmdAutoDetect = new QPushButton(QStringLiteral("Auto Detect"), this);
    cmdAutoDetect->setObjectName(QStringLiteral("cmdAutoDetect"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdAutoDetect, &QPushButton::clicked, this, &frmQVOrvalisETProperties::cmdAutoDetect_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmQVOrvalisETProperties::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmQVOrvalisETProperties::cmdCancel_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAutoDetect);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraSettings);
    layout->addWidget(lblPortAdvice);
    layout->addLayout(buttons);
}

void frmQVOrvalisETProperties::Form_Load()
{
    fraSettings->raise();
    m_link.reconnector().Disarm();  // the user chooses the port now
    SerialPort& port = m_link.port();
    port.waitForOutputDrained(1000);
    if (port.isOpen())
        port.close();
    QStringList refusedForPermission;
    for (int p = 1; p <= 8; ++p) {
        const PortDescription device = port.describePort(p);
        const PortOpenFailure failure = TryOpenPort(p);
        optCommPort[p - 1]->setEnabled(failure == PortOpenFailure::None);
        ShowPortDevice(p, device, failure);
        if (failure == PortOpenFailure::PermissionDenied)
            refusedForPermission << device.device;
    }
    lblPortAdvice->setText(PermissionAdvice(refusedForPermission));
    lblPortAdvice->setVisible(!refusedForPermission.isEmpty());
    const LinkState& s = m_link.state();
    if (s.iCommPort >= 1 && s.iCommPort <= 8) {
        optCommPort[s.iCommPort - 1]->setChecked(true);
        port.selectPort(s.iCommPort);
    }
    const int rateIndex = std::max<int>(0, HostBaudRates().indexOf(s.sBaudRate));
    optBaudRate[HostBaudRates().contains(s.sBaudRate) ? rateIndex : 3]->setChecked(true);
    // Centred once the device texts are in, since they decide the width.
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

PortOpenFailure frmQVOrvalisETProperties::TryOpenPort(int portNumber)
{
    SerialPort& port = m_link.port();
    if (!port.selectPort(portNumber))
        return PortOpenFailure::Other;
    const PortOpenFailure failure = port.open() ? PortOpenFailure::None : port.lastOpenFailure();
    port.close();
    return failure;
}

void frmQVOrvalisETProperties::ShowPortDevice(int portNumber, const PortDescription& device,
                                              PortOpenFailure failure)
{
    lblCommPortDevice[portNumber - 1]->setText(PortLabelText(device, failure));
    // A screen reader tells the device with the port's name, as the label beside it does.
    optCommPort[portNumber - 1]->setAccessibleDescription(PortLabelText(device, failure));
    // Escaped: a tooltip would take a device name that looks like markup for rich text.
    const QString details =
        Qt::convertFromPlainText(PortDetailsText(device, failure), Qt::WhiteSpaceNormal);
    lblCommPortDevice[portNumber - 1]->setToolTip(details);
    optCommPort[portNumber - 1]->setToolTip(details);
}

int frmQVOrvalisETProperties::SelectedBaudRateIndex() const
{
    for (int i = 0; i < 4; ++i)
        if (optBaudRate[i]->isChecked())
            return i;
    return 3;
}

void frmQVOrvalisETProperties::cmdOK_Click()
{
    SerialPort& port = m_link.port();
    LinkState& s = m_link.state();
    const int previousPort = s.iCommPort;
    const QString previousRate = s.sBaudRate;
    const int rateIndex = SelectedBaudRateIndex();
    s.sBaudRate = HostBaudRates()[rateIndex];
    if (s.sBaudRate != previousRate) {
        port.setParameters(PortParameters(s.sBaudRate));
        PortSettings::StoreBaudRate(s.sBaudRate);
        m_link.SetBaudRateIndex(rateIndex);
    }
    for (int i = 0; i < 8; ++i)
        if (optCommPort[i]->isChecked())
            s.iCommPort = static_cast<qint16>(i + 1);
    if (s.iCommPort != previousPort) {
        port.waitForOutputDrained(1000);
        if (!port.selectPort(s.iCommPort)) {
            UserPrompts::ShowMessage(this, SettingsStore::kApplicationTitle,
                                     port.errorDescription(), UserPrompts::Icon::Exclamation);
            s.iCommPort = static_cast<qint16>(previousPort);
            port.selectPort(previousPort);
        }
        PortSettings::StoreCommPort(s.iCommPort);
        port.open();
    } else if (s.iCommPort != 0) {
        port.open();
    }
    if (s.iCommPort != 0) {
        m_discovery.ProbeChosenPort(rateIndex);
    } else {
        m_discovery.ReportNoModule(QStringLiteral("Status: No available com port detected"));
    }
    m_closing = true;
    accept();
}

void frmQVOrvalisETProperties::cmdCancel_Click()
{
    if (m_link.state().iCommPort != 0)
        m_link.port().open();
    m_closing = true;
    QDialog::reject();
}

void frmQVOrvalisETProperties::reject()
{
    if (!m_closing)
        cmdCancel_Click();
}

// The dialog stays, disabled, while the search runs, and closes when it ends.
void frmQVOrvalisETProperties::cmdAutoDetect_Click()
{
    setEnabled(false);
    m_closing = true;  // closing it from the window frame now waits for the search
    if (m_link.port().isOpen())
        m_link.port().close();
    connect(&m_discovery, &TransceiverDiscovery::finished, this, [this] {
        setEnabled(true);
        accept();
    }, Qt::SingleShotConnection);
    m_discovery.FindTransceiver();
}
