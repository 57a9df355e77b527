#include "ui/pages/CommPage.h"

#include "config/CommController.h"
#include "link/LinkState.h"
#include "ui/widgets/PageControls.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

CommPage::CommPage(CommController& comm, QWidget* parent) : QWidget(parent), m_comm(comm)
{
    setObjectName(QStringLiteral("CommPage"));
    auto* frame = new QGroupBox(QStringLiteral("Host Serial Baudrate"), this);
    frame->setObjectName(QStringLiteral("frameHostSerialBaudrate"));
    frame->setGeometry(30, 30, 200, 210);
    const QStringList captions = HostBaudRateCaptions();
    for (int i = 0; i < int(optTransceiverBaudrate.size()); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(QStringLiteral("optTransceiverBaudrate%1").arg(i));
        option->setGeometry(30, 30 + i * 30, 140, 24);
        optTransceiverBaudrate[i] = option;
        connect(option, &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                m_comm.selectRate(i);
        });
    }
    cmdSetTransceiverBaudrate = AddButton(frame, "cmdSetTransceiverBaudrate",
                                          QStringLiteral("Set Baudrate"), QRect(30, 160, 140, 32));
    connect(cmdSetTransceiverBaudrate, &QPushButton::clicked, this,
            &CommPage::cmdSetTransceiverBaudrate_Click);
    connect(&m_comm, &CommController::rateSelected, this,
            [this](int rateIndex) { optTransceiverBaudrate[rateIndex]->setChecked(true); });
}

void CommPage::cmdSetTransceiverBaudrate_Click()
{
    m_comm.SetBaudrate();
}
