#include "ui/pages/CommPage.h"

#include "config/CommController.h"
#include "link/LinkState.h"
#include "ui/widgets/PageControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CommPage::CommPage(CommController& comm, QWidget* parent) : QWidget(parent), m_comm(comm)
{
    setObjectName(QStringLiteral("CommPage"));
    auto* frame = new QGroupBox(QStringLiteral("Host Serial Baudrate"), this);
    frame->setObjectName(QStringLiteral("frameHostSerialBaudrate"));
    auto* rates = new QVBoxLayout(frame);
    rates->setContentsMargins(27, 10, 27, 15);
    rates->setSpacing(6);
    const QStringList captions = HostBaudRateCaptions();
    for (int i = 0; i < int(optTransceiverBaudrate.size()); ++i) {
        auto* option = NamedOption(frame, "", captions[i]);
        option->setObjectName(QStringLiteral("optTransceiverBaudrate%1").arg(i));
        rates->addWidget(AtLeast(option, 140, 24));
        optTransceiverBaudrate[i] = option;
        connect(option, &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                m_comm.selectRate(i);
        });
    }
    rates->addSpacing(10);
    cmdSetTransceiverBaudrate = AtLeast(
        NamedButton(frame, "cmdSetTransceiverBaudrate", QStringLiteral("Set Baudrate")), 140, 32);
    rates->addWidget(cmdSetTransceiverBaudrate);
    ChainTabOrder({optTransceiverBaudrate[0], optTransceiverBaudrate[1], optTransceiverBaudrate[2],
                   optTransceiverBaudrate[3], cmdSetTransceiverBaudrate});

    auto* page = new QGridLayout(this);
    page->setContentsMargins(30, 30, 0, 0);
    page->addWidget(frame, 0, 0);
    page->setRowStretch(1, 1);
    page->setColumnStretch(1, 1);
    connect(cmdSetTransceiverBaudrate, &QPushButton::clicked, this,
            &CommPage::cmdSetTransceiverBaudrate_Click);
    connect(&m_comm, &CommController::rateSelected, this,
            [this](int rateIndex) { optTransceiverBaudrate[rateIndex]->setChecked(true); });
}

void CommPage::cmdSetTransceiverBaudrate_Click()
{
    m_comm.SetBaudrate();
}
