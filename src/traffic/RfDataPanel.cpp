#include "traffic/RfDataPanel.h"

#include "config/NumericBoxSpec.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/SpinButtons.h"
#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "protocol/Replies.h"
#include "traffic/RfDataFrame.h"
#include "ui/widgets/ValueLabel.h"
#include "traffic/TrafficCounters.h"
#include "traffic/TrafficSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include "platform/ProtocolTimer.h"

#include <QTimer>


namespace {

const QString kSingleRepeatCaption = QStringLiteral("Send Single Repeated Msg");
const QString kRandomRepeatCaption = QStringLiteral("Send Random Repeated Msg");
const QString kStopRepeatCaption = QStringLiteral("Stop Repeat");

constexpr int kRowHeight = 22;

QLineEdit* NumericBox(QWidget* parent, const char* name, const QRect& geometry)
{
    QLineEdit* box = AddBox(parent, name, geometry);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

NumericEntryParameters EntryRule(const char* boxName)
{
    return NumericBoxSpecFor(QLatin1String(boxName)).entry;
}

}  // namespace

RfDataPanel::RfDataPanel(LinkSession& link, TrafficSettings& settings, TrafficCounters& counters,
                         ProtocolTimer& repeatTimer, ProtocolTimer& throughputTimer, QWidget* parent)
    : QWidget(parent),
      m_link(link),
      m_settings(settings),
      m_counters(counters),
      tmrRepeat(repeatTimer),
      tmrThroughput(throughputTimer)
{
    setObjectName(QStringLiteral("RfDataPanel"));
    buildDataRow();
    buildNumberRow();
    buildButtons();
    connect(&tmrRepeat, &ProtocolTimer::timeout, this, &RfDataPanel::tmrRepeat_Timer);
    connect(&m_link, &LinkSession::portLost, this, &RfDataPanel::StopRepetition);
    connect(&m_link, &LinkSession::searchStarted, this, &RfDataPanel::StopRepetition);
}

// With the port gone, or taken by a search, nothing more can be sent: a repetition ends
// as "Stop Repeat" ends it, so no RF data goes to a probed port.
void RfDataPanel::StopRepetition()
{
    if (m_bSingleRepeat)
        StopSingleRepeat();
    if (m_bRandomRepeat)
        StopRandomRepeat();
}

// The data box and its entry mode.
void RfDataPanel::buildDataRow()
{
    m_entryControls << AddLabel(this, "lblRfData", QStringLiteral("RF Data"), QRect(8, 20, 50, kRowHeight));
    txtRFData = AddBox(this, "txtRFData", QRect(60, 20, 345, kRowHeight));
    m_entryControls << txtRFData;
    optAscii = new QRadioButton(QStringLiteral("ASCII"), this);
    optAscii->setObjectName(QStringLiteral("optAscii"));
    optAscii->setGeometry(412, 21, 58, 20);
    optHex = new QRadioButton(QStringLiteral("HEX"), this);
    optHex->setObjectName(QStringLiteral("optHex"));
    optHex->setGeometry(472, 21, 52, 20);

    connect(txtRFData, &QLineEdit::textChanged, this, &RfDataPanel::txtRFData_Change);
    connect(optAscii, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optAscii_Click();
    });
    connect(optHex, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optHex_Click();
    });
}

// Destination, packet ID and repeat delay: numeric boxes under the shared entry rule.
void RfDataPanel::buildNumberRow()
{
    constexpr int top = 52;
    m_entryControls << AddLabel(this, "lblDestID", QStringLiteral("Dest ID"), QRect(8, top, 46, kRowHeight));
    txtDestinationID = NumericBox(this, "txtDestinationID", QRect(56, top, 50, kRowHeight));
    BindNumericEntry(txtDestinationID, m_settings.lDestinationID, EntryRule("txtDestinationID"));

    m_entryControls << txtDestinationID
                    << AddLabel(this, "lblPktID", QStringLiteral("Pkt ID"), QRect(116, top, 38, kRowHeight));
    txtPacketID = NumericBox(this, "txtPacketID", QRect(156, top, 36, kRowHeight));
    BindNumericEntry(txtPacketID, m_iPacketID, EntryRule("txtPacketID"));

    m_entryControls << txtPacketID
                    << AddLabel(this, "lblRepeatDelay", QStringLiteral("Repeat Delay(msec)"),
                                QRect(202, top, 122, kRowHeight));
    txtRepeatDelay = NumericBox(this, "txtRepeatDelay", QRect(326, top, 46, kRowHeight));
    BindNumericEntry(txtRepeatDelay, m_iRepeatDelay, EntryRule("txtRepeatDelay"));
    const NumericBoxSpec spec = NumericBoxSpecFor(QStringLiteral("txtRepeatDelay"));
    updownRepeatDelay = new SpinButtons(this);
    updownRepeatDelay->setObjectName(QLatin1String(spec.spinName));
    updownRepeatDelay->bindTo(txtRepeatDelay, spec.entry.minimum, spec.entry.maximum,
                              spec.spinStep);
    updownRepeatDelay->setGeometry(372, top, 16, kRowHeight);
    m_entryControls << txtRepeatDelay << updownRepeatDelay;
}

void RfDataPanel::SetEntryControlsEnabled(bool enabled)
{
    for (QWidget* control : std::as_const(m_entryControls))
        control->setEnabled(enabled);
}

void RfDataPanel::buildButtons()
{
    cmdSendSingleMsg = AddButton(this, "cmdSendSingleMsg", QStringLiteral("Send Single Msg"),
                              QRect(400, 51, 121, 24));
    cmdSendRandomMsg = AddButton(this, "cmdSendRandomMsg", QStringLiteral("Send Random Msg"),
                              QRect(8, 84, 125, 26));
    cmdSendSingleRepeatedMsg =
        AddButton(this, "cmdSendSingleRepeatedMsg", kSingleRepeatCaption, QRect(137, 84, 188, 26));
    cmdSendRandomRepeatedMsg =
        AddButton(this, "cmdSendRandomRepeatedMsg", kRandomRepeatCaption, QRect(329, 84, 192, 26));

    // A send ends the user's edit of the repeat delay, as leaving the box would.
    for (QPushButton* button : {cmdSendSingleMsg, cmdSendRandomMsg, cmdSendSingleRepeatedMsg,
                                cmdSendRandomRepeatedMsg})
        connect(button, &QPushButton::clicked, this, [this] { FinishNumericEntry(txtRepeatDelay); });
    connect(cmdSendSingleMsg, &QPushButton::clicked, this, &RfDataPanel::cmdSendSingleMsg_Click);
    connect(cmdSendRandomMsg, &QPushButton::clicked, this, &RfDataPanel::cmdSendRandomMsg_Click);
    connect(cmdSendSingleRepeatedMsg, &QPushButton::clicked, this,
            &RfDataPanel::cmdSendSingleRepeatedMsg_Click);
    connect(cmdSendRandomRepeatedMsg, &QPushButton::clicked, this,
            &RfDataPanel::cmdSendRandomRepeatedMsg_Click);
}

void RfDataPanel::LimitRfDataEntry()
{
    txtRFData->setMaxLength(kMaxRfDataBytes);
}

void RfDataPanel::SelectAsciiEntry()
{
    optAscii->setChecked(true);
}

void RfDataPanel::ClearRandomMessageFlag()
{
    m_bRandomMsgActive = false;
}

void RfDataPanel::ShowLoadedSettings()
{
    WriteNumericText(txtDestinationID, QString::number(m_settings.lDestinationID));
    m_iRepeatDelay = 100;
    WriteNumericText(txtRepeatDelay, QStringLiteral("100"));
    m_bSingleRepeat = false;
    m_bRandomRepeat = false;
    m_iPacketID = 1;
    WriteNumericText(txtPacketID, QStringLiteral("1"));
}

// Either mode holds at most 36 data bytes: 36 characters, or 72 hex digits.
void RfDataPanel::optAscii_Click()
{
    txtRFData->clear();
    txtRFData->setMaxLength(kMaxRfDataBytes);
}

void RfDataPanel::optHex_Click()
{
    txtRFData->clear();
    txtRFData->setMaxLength(kMaxHexDataDigits);
}

// In HEX mode anything typed or pasted that is not a hex digit goes at once.
void RfDataPanel::txtRFData_Change()
{
    if (m_bRandomMsgActive || !optHex->isChecked())
        return;
    const QString text = txtRFData->text();
    const QString digits = RemoveNonHexDigits(text);
    if (digits == text)
        return;
    const int cursor = txtRFData->cursorPosition();
    const int keptBeforeCursor = RemoveNonHexDigits(text.left(cursor)).size();
    txtRFData->setText(digits);
    txtRFData->setCursorPosition(keptBeforeCursor);
}

void RfDataPanel::cmdSendSingleMsg_Click()
{
    const QString text = txtRFData->text();
    if (text.isEmpty()) {
        if (m_bSingleRepeat)
            StopSingleRepeat();
        return;
    }
    QByteArray data;
    if (optHex->isChecked()) {
        // Only the random-message note can be here: it is not data in this mode.
        if (!IsHexText(text)) {
            txtRFData->clear();
            return;
        }
        const QString padded = PadOddHexText(text);
        if (padded != text)
            txtRFData->setText(padded);
        data = HexTextToBytes(padded);
    } else {
        data = AsciiTextToBytes(text);
    }
    SendRfData(data);
}

void RfDataPanel::cmdSendRandomMsg_Click()
{
    m_bRandomMsgActive = true;
    m_random.seed(Clock::RandomSeed());
    const QByteArray data = RandomMessage(m_random);
    m_iRandomMsgLength = static_cast<qint16>(data.size());
    txtRFData->setText(RandomMessageNote(m_iRandomMsgLength));
    AdvancePacketId();
    SendRfData(data);
    m_bRandomMsgActive = false;
}

void RfDataPanel::cmdSendSingleRepeatedMsg_Click()
{
    if (m_bSingleRepeat)
        StopSingleRepeat();
    else if (!txtRFData->text().isEmpty())
        StartSingleRepeat();
}

void RfDataPanel::cmdSendRandomRepeatedMsg_Click()
{
    if (m_bRandomRepeat)
        StopRandomRepeat();
    else
        StartRandomRepeat();
}

void RfDataPanel::tmrRepeat_Timer()
{
    if (m_bSingleRepeat) {
        AdvancePacketId();
        cmdSendSingleMsg_Click();
    } else if (m_bRandomRepeat) {
        cmdSendRandomMsg_Click();
    }
}

void RfDataPanel::StartSingleRepeat()
{
    m_counters.lIntervalBytes = 0;
    tmrThroughput.start();
    setOtherSendButtonsEnabled(cmdSendSingleRepeatedMsg, false);
    m_bSingleRepeat = true;
    cmdSendSingleRepeatedMsg->setText(kStopRepeatCaption);
    cmdSendSingleMsg_Click();
    // The send may have waited for the port, and "Stop Repeat" may have run meanwhile.
    if (m_bSingleRepeat)
        StartRepeatTimer();
}

// Re-enables the other buttons even where something else disabled them meanwhile.
void RfDataPanel::StopSingleRepeat()
{
    tmrThroughput.stop();
    setOtherSendButtonsEnabled(cmdSendSingleRepeatedMsg, true);
    m_bSingleRepeat = false;
    cmdSendSingleRepeatedMsg->setText(kSingleRepeatCaption);
    tmrRepeat.stop();
}

void RfDataPanel::StartRandomRepeat()
{
    m_bRandomRepeat = true;
    m_counters.lIntervalBytes = 0;
    tmrThroughput.start();
    setOtherSendButtonsEnabled(cmdSendRandomRepeatedMsg, false);
    cmdSendRandomRepeatedMsg->setText(kStopRepeatCaption);
    cmdSendRandomMsg_Click();
    if (m_bRandomRepeat)
        StartRepeatTimer();
}

void RfDataPanel::StopRandomRepeat()
{
    setOtherSendButtonsEnabled(cmdSendRandomRepeatedMsg, true);
    m_bRandomRepeat = false;
    tmrThroughput.stop();
    cmdSendRandomRepeatedMsg->setText(kRandomRepeatCaption);
    tmrRepeat.stop();
}

void RfDataPanel::setOtherSendButtonsEnabled(const QPushButton* keep, bool enabled)
{
    for (QPushButton* button : {cmdSendRandomRepeatedMsg, cmdSendSingleRepeatedMsg,
                                cmdSendRandomMsg, cmdSendSingleMsg})
        if (button != keep)
            button->setEnabled(enabled);
}

// The delay is read only here: a change during a repetition counts from the next one.
void RfDataPanel::StartRepeatTimer()
{
    tmrRepeat.setInterval(m_iRepeatDelay);
    tmrRepeat.start();
}

void RfDataPanel::AdvancePacketId()
{
    m_iPacketID = static_cast<qint16>(NextPacketId(m_iPacketID));
    WriteNumericText(txtPacketID, QString::number(m_iPacketID));
}

// The bytes count as handed out even if the link then drops the frame.
void RfDataPanel::SendRfData(const QByteArray& data)
{
    CountDataBytesHandedOut(m_counters, static_cast<int>(data.size()));
    m_link.SendMessageToTransceiver(
        BuildRfDataFrame(data, m_iPacketID, m_settings.lDestinationID), true);
}

void RfDataPanel::DisplayReceivedRFData(const Frame& frame)
{
    const QByteArray data = ReceivedRfDataBytes(frame);
    txtRFData->setText(ReceivedRfDataText(data, optHex->isChecked()));
}

void RfDataPanel::ProcessReceivedRFDataMessage()
{
    ++m_counters.lPacketsReceived;
    emit packetReceived();
}

// Frames for another transceiver are only logged.
void RfDataPanel::ProcessReceivedRFDataMessageNotAddresedToUs() {}
