#include "config/CommPage.h"

#include "config/ConfigFrames.h"
#include "config/PageControls.h"
#include "link/SerialLink.h"
#include "link/StatusPanels.h"
#include "platform/SettingsStore.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

int BaudRateChangeWaitMs(int rate)
{
    return (rate > 0 ? 100000 / rate : 0) + 2000;
}

CommPage::CommPage(SerialLink& link, StatusPanels& status, QWidget* parent)
    : QWidget(parent), m_link(link), m_status(status)
{
    setObjectName(QStringLiteral("CommPage"));
    auto* frame = new QGroupBox(QStringLiteral("Host Serial Baudrate"), this);
    frame->setObjectName(QStringLiteral("frameHostSerialBaudrate"));
    frame->setGeometry(30, 30, 200, 210);
    const QString captions[] = {QStringLiteral("9,600"), QStringLiteral("19,200"),
                                QStringLiteral("38,400"), QStringLiteral("57,600")};
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
    LinkState& s = m_link.state();
    const QString previousRate = s.sBaudRate;
    const int newIndex = std::max(SelectedRateIndex(), 0);
    s.sBaudRate = HostBaudRates().at(newIndex);
    if (s.sBaudRate != previousRate)
        SettingsStore::WriteText(QStringLiteral("Properties"), QStringLiteral("BaudRate"),
                                 s.sBaudRate);
    SerialPort& port = m_link.port();
    port.close();
    port.setParameters(PortParameters(s.sBaudRate));
    port.open();

    const QPointer<CommPage> self(this);
    m_link.transmit().WaitOnWakeupTimer(BaudRateChangeWaitMs(s.sBaudRate.toInt()));
    if (!self)
        return;
    m_status.SetStatusPanel(1, QStringLiteral("Comm Port: %1").arg(s.iCommPort));
    m_status.SetStatusPanel(2, QStringLiteral("Baud Rate: ") + s.sBaudRate);
    m_status.SetStatusPanel(3, QStringLiteral("Status:"));
    s.iBaudRateIndex = static_cast<qint16>(newIndex);
}

void CommPage::ProcessSetSleepModeAck()
{
    // The module is asleep now; the host already knows and wakes it before its next frame.
}
