#include "config/CommPage.h"

#include "config/ConfigFrames.h"
#include "ui/widgets/PageControls.h"
#include "link/HostBaudRate.h"
#include "link/LinkSession.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

CommPage::CommPage(LinkSession& link, QWidget* parent)
    : QWidget(parent), m_link(link), m_rateSwitch(link)
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
    }
    cmdSetTransceiverBaudrate = AddButton(frame, "cmdSetTransceiverBaudrate",
                                          QStringLiteral("Set Baudrate"), QRect(30, 160, 140, 32));
    connect(cmdSetTransceiverBaudrate, &QPushButton::clicked, this,
            &CommPage::cmdSetTransceiverBaudrate_Click);
    // "Set Baudrate" pressed without a choice asks for the rate in use, so the selection
    // follows every change of the host's rate (settings dialog, Auto Detect, the module).
    connect(&m_link, &LinkSession::baudRateIndexChanged, this, &CommPage::ShowRateInUse);
}

void CommPage::ShowRateInUse()
{
    const int index = m_link.state().iBaudRateIndex;
    if (index >= 0 && index < int(optTransceiverBaudrate.size()))
        optTransceiverBaudrate[index]->setChecked(true);
}

int CommPage::SelectedRateIndex() const
{
    for (int i = 0; i < int(optTransceiverBaudrate.size()); ++i)
        if (optTransceiverBaudrate[i]->isChecked())
            return i;
    return -1;
}

void CommPage::cmdSetTransceiverBaudrate_Click()
{
    LinkState& s = m_link.state();
    const int selected = SelectedRateIndex();
    if (selected >= 0)
        s.iBaudRateIndex = static_cast<qint16>(selected);
    m_link.SendMessageToTransceiver(BuildSetBaudrateFrame(s.iBaudRateIndex), false);
}

// The module acknowledges at the old rate and then switches. The host follows to the
// rate selected now, which may differ from the one it asked for.
void CommPage::ProcessSetBaudrateAck()
{
    m_rateSwitch.start(std::max(SelectedRateIndex(), 0));
}

void CommPage::ProcessSetSleepModeAck()
{
    // The module is asleep now; the host already knows and wakes it before its next frame.
}
