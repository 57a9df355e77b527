#include "ui/pages/RfDataPanel.h"

#include "config/NumericBoxSpec.h"
#include "traffic/RfDataController.h"
#include "traffic/RfDataFrame.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/SpinButtons.h"
#include "ui/widgets/ValueLabel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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

RfDataPanel::RfDataPanel(RfDataController& controller, QWidget* parent)
    : QWidget(parent), m_controller(controller)
{
    setObjectName(QStringLiteral("RfDataPanel"));
    buildDataRow();
    buildNumberRow();
    buildButtons();
    connect(&m_controller, &RfDataController::rfDataTextChanged, this, &RfDataPanel::ShowRfDataText);
    connect(&m_controller, &RfDataController::packetIdChanged, this,
            [this](qint16 id) { WriteNumericText(txtPacketID, QString::number(id)); });
    connect(&m_controller, &RfDataController::singleRepeatChanged, this, [this](bool running) {
        ShowRepetition(cmdSendSingleRepeatedMsg, kSingleRepeatCaption, running);
    });
    connect(&m_controller, &RfDataController::randomRepeatChanged, this, [this](bool running) {
        ShowRepetition(cmdSendRandomRepeatedMsg, kRandomRepeatCaption, running);
    });
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

    // Either mode holds at most 36 data bytes: 36 characters, or 72 hex digits.
    connect(txtRFData, &QLineEdit::textChanged, this, &RfDataPanel::txtRFData_Change);
    connect(optAscii, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        m_controller.optAscii_Click();
        txtRFData->setMaxLength(kMaxRfDataBytes);
    });
    connect(optHex, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        m_controller.optHex_Click();
        txtRFData->setMaxLength(kMaxHexDataDigits);
    });
}

// Destination, packet ID and repeat delay: numeric boxes under the shared entry rule.
void RfDataPanel::buildNumberRow()
{
    constexpr int top = 52;
    m_entryControls << AddLabel(this, "lblDestID", QStringLiteral("Dest ID"), QRect(8, top, 46, kRowHeight));
    txtDestinationID = NumericBox(this, "txtDestinationID", QRect(56, top, 50, kRowHeight));
    BindNumericEntry(
        txtDestinationID, [this] { return m_controller.lDestinationID(); },
        [this](qint32 id) { m_controller.SetDestinationID(id); }, EntryRule("txtDestinationID"));

    m_entryControls << txtDestinationID
                    << AddLabel(this, "lblPktID", QStringLiteral("Pkt ID"), QRect(116, top, 38, kRowHeight));
    txtPacketID = NumericBox(this, "txtPacketID", QRect(156, top, 36, kRowHeight));
    BindNumericEntry(
        txtPacketID, [this] { return qint32(m_controller.iPacketID()); },
        [this](qint32 id) { m_controller.SetPacketID(id); }, EntryRule("txtPacketID"));

    m_entryControls << txtPacketID
                    << AddLabel(this, "lblRepeatDelay", QStringLiteral("Repeat Delay(msec)"),
                                QRect(202, top, 122, kRowHeight));
    txtRepeatDelay = NumericBox(this, "txtRepeatDelay", QRect(326, top, 46, kRowHeight));
    BindNumericEntry(
        txtRepeatDelay, [this] { return qint32(m_controller.iRepeatDelay()); },
        [this](qint32 ms) { m_controller.SetRepeatDelay(ms); }, EntryRule("txtRepeatDelay"));
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
    connect(cmdSendSingleMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendSingleMsg_Click);
    connect(cmdSendRandomMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendRandomMsg_Click);
    connect(cmdSendSingleRepeatedMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendSingleRepeatedMsg_Click);
    connect(cmdSendRandomRepeatedMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendRandomRepeatedMsg_Click);
}

void RfDataPanel::LimitRfDataEntry()
{
    txtRFData->setMaxLength(kMaxRfDataBytes);
}

void RfDataPanel::SelectAsciiEntry()
{
    optAscii->setChecked(true);
}

void RfDataPanel::ShowLoadedSettings()
{
    m_controller.ResetForStartUp();
    WriteNumericText(txtDestinationID, QString::number(m_controller.lDestinationID()));
    WriteNumericText(txtRepeatDelay, QString::number(m_controller.iRepeatDelay()));
    WriteNumericText(txtPacketID, QString::number(m_controller.iPacketID()));
}

// What is typed or pasted that the controller does not keep goes at once; the cursor
// stays after the characters before it that are kept.
void RfDataPanel::txtRFData_Change()
{
    const QString text = txtRFData->text();
    const QString kept = m_controller.txtRFData_Change(text);
    if (kept == text)
        return;
    const int cursor = txtRFData->cursorPosition();
    const int keptBeforeCursor = RemoveNonHexDigits(text.left(cursor)).size();
    txtRFData->setText(kept);
    txtRFData->setCursorPosition(keptBeforeCursor);
}

void RfDataPanel::ShowRfDataText(const QString& text)
{
    txtRFData->setText(text);
    // The box may hold less than the controller wrote; the box's text is what is sent.
    if (txtRFData->text() != m_controller.sRFData())
        m_controller.txtRFData_Change(txtRFData->text());
}

void RfDataPanel::ShowRepetition(QPushButton* keep, const QString& idleCaption, bool running)
{
    for (QPushButton* button : {cmdSendRandomRepeatedMsg, cmdSendSingleRepeatedMsg,
                                cmdSendRandomMsg, cmdSendSingleMsg})
        if (button != keep)
            button->setEnabled(!running);
    keep->setText(running ? kStopRepeatCaption : idleCaption);
}
