#include "ui/pages/RfDataPanel.h"

#include "config/NumericBoxSpec.h"
#include "traffic/RfDataController.h"
#include "traffic/RfDataFrame.h"
#include "ui/ScreenRefresh.h"
#include "ui/widgets/NamedControls.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/SpinButtons.h"
#include "ui/widgets/ValueLabel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString kSingleRepeatCaption = QStringLiteral("Send Single Repeated Msg");
const QString kRandomRepeatCaption = QStringLiteral("Send Random Repeated Msg");
const QString kStopRepeatCaption = QStringLiteral("Stop Repeat");

QLineEdit* NumericBox(QWidget* parent, const char* name, int digits)
{
    QLineEdit* box = NamedBox(parent, name, Qt::AlignCenter);
    FitToNumbers(box, digits);
    return box;
}

// A caption that names the box beside it for the keyboard and for screen readers.
QLabel* CaptionFor(QWidget* parent, const char* name, const QString& caption, QWidget* box)
{
    QLabel* label = NamedLabel(parent, name, caption);
    label->setBuddy(box);
    return label;
}

NumericEntryParameters EntryRule(const char* boxName)
{
    return NumericBoxSpecFor(QLatin1String(boxName)).entry;
}

}  // namespace

RfDataPanel::RfDataPanel(RfDataController& controller, ScreenRefresh& refresh, QWidget* parent)
    : QWidget(parent), m_controller(controller), m_refresh(refresh)
{
    setObjectName(QStringLiteral("RfDataPanel"));
    auto* rows = new QVBoxLayout(this);
    // Close to the frame's edges: the panel shares the window's width with the log.
    rows->setContentsMargins(6, 2, 4, 4);
    rows->setSpacing(fontMetrics().height() / 2);
    rows->addLayout(buildDataRow());
    rows->addLayout(buildNumberRow());
    rows->addLayout(buildButtons());
    rows->addStretch();
    setReadingTabOrder();
    setFocusProxy(txtRFData);  // the panel takes the keyboard in its data box

    connect(&m_controller, &RfDataController::rfDataTextChanged, this, [this](const QString& text) {
        m_receivedPending = false;  // what the program writes now wins over older data
        ShowRfDataText(text);
    });
    connect(&m_controller, &RfDataController::rfDataReceived, this, &RfDataPanel::KeepReceivedRfData);
    connect(&m_refresh, &ScreenRefresh::refreshed, this, &RfDataPanel::ShowReceivedRfData);
    connect(txtRFData, &QLineEdit::textEdited, this, [this] { m_receivedPending = false; });
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
QBoxLayout* RfDataPanel::buildDataRow()
{
    txtRFData = NamedBox(this, "txtRFData");
    QLabel* lblRfData = CaptionFor(this, "lblRfData", QStringLiteral("RF Data"), txtRFData);
    m_entryControls << lblRfData << txtRFData;
    optAscii = NamedOption(this, "optAscii", QStringLiteral("ASCII"));
    optHex = NamedOption(this, "optHex", QStringLiteral("HEX"));

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(lblRfData);
    row->addWidget(txtRFData, 1);
    row->addWidget(optAscii);
    row->addWidget(optHex);

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
    return row;
}

// Destination, packet ID and repeat delay: numeric boxes under the shared entry rule.
QBoxLayout* RfDataPanel::buildNumberRow()
{
    txtDestinationID = NumericBox(this, "txtDestinationID", 5);
    BindNumericEntry(
        txtDestinationID, [this] { return m_controller.lDestinationID(); },
        [this](qint32 id) { m_controller.SetDestinationID(id); }, EntryRule("txtDestinationID"));
    QLabel* lblDestID = CaptionFor(this, "lblDestID", QStringLiteral("Dest ID"), txtDestinationID);

    txtPacketID = NumericBox(this, "txtPacketID", 3);
    BindNumericEntry(
        txtPacketID, [this] { return qint32(m_controller.iPacketID()); },
        [this](qint32 id) { m_controller.SetPacketID(id); }, EntryRule("txtPacketID"));
    QLabel* lblPktID = CaptionFor(this, "lblPktID", QStringLiteral("Pkt ID"), txtPacketID);

    txtRepeatDelay = NumericBox(this, "txtRepeatDelay", 5);
    BindNumericEntry(
        txtRepeatDelay, [this] { return qint32(m_controller.iRepeatDelay()); },
        [this](qint32 ms) { m_controller.SetRepeatDelay(ms); }, EntryRule("txtRepeatDelay"));
    QLabel* lblRepeatDelay = CaptionFor(this, "lblRepeatDelay",
                                        QStringLiteral("Repeat Delay(msec)"), txtRepeatDelay);
    const NumericBoxSpec spec = NumericBoxSpecFor(QStringLiteral("txtRepeatDelay"));
    updownRepeatDelay = new SpinButtons(this);
    updownRepeatDelay->setObjectName(QLatin1String(spec.spinName));
    updownRepeatDelay->bindTo(txtRepeatDelay, spec.entry.minimum, spec.entry.maximum,
                              spec.spinStep);
    updownRepeatDelay->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    updownRepeatDelay->setFixedHeight(txtRepeatDelay->sizeHint().height());
    m_entryControls << lblDestID << txtDestinationID << lblPktID << txtPacketID << lblRepeatDelay
                    << txtRepeatDelay << updownRepeatDelay;

    cmdSendSingleMsg = NamedButton(this, "cmdSendSingleMsg", QStringLiteral("Send Single Msg"));

    // The button takes what the numbers leave, as the buttons below share their row.
    cmdSendSingleMsg->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const int groupGap = fontMetrics().averageCharWidth();
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(lblDestID);
    row->addWidget(txtDestinationID);
    row->addSpacing(groupGap);
    row->addWidget(lblPktID);
    row->addWidget(txtPacketID);
    row->addSpacing(groupGap);
    row->addWidget(lblRepeatDelay);
    auto* delay = new QHBoxLayout;
    delay->setSpacing(0);
    delay->addWidget(txtRepeatDelay);
    delay->addWidget(updownRepeatDelay);
    row->addLayout(delay);
    row->addSpacing(groupGap);
    row->addWidget(cmdSendSingleMsg);
    return row;
}

void RfDataPanel::SetEntryControlsEnabled(bool enabled)
{
    for (QWidget* control : std::as_const(m_entryControls))
        control->setEnabled(enabled);
}

QBoxLayout* RfDataPanel::buildButtons()
{
    cmdSendRandomMsg = NamedButton(this, "cmdSendRandomMsg", QStringLiteral("Send Random Msg"));
    cmdSendSingleRepeatedMsg =
        NamedButton(this, "cmdSendSingleRepeatedMsg", kSingleRepeatCaption);
    cmdSendRandomRepeatedMsg =
        NamedButton(this, "cmdSendRandomRepeatedMsg", kRandomRepeatCaption);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(cmdSendRandomMsg);
    row->addWidget(cmdSendSingleRepeatedMsg);
    row->addWidget(cmdSendRandomRepeatedMsg);

    // A send ends the user's edit of the repeat delay, as leaving the box would.
    for (QPushButton* button : {cmdSendSingleMsg, cmdSendRandomMsg, cmdSendSingleRepeatedMsg,
                                cmdSendRandomRepeatedMsg})
        connect(button, &QPushButton::clicked, this, [this] {
            FinishNumericEntry(txtRepeatDelay);
            ShowReceivedRfData();
        });
    connect(cmdSendSingleMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendSingleMsg_Click);
    connect(cmdSendRandomMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendRandomMsg_Click);
    connect(cmdSendSingleRepeatedMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendSingleRepeatedMsg_Click);
    connect(cmdSendRandomRepeatedMsg, &QPushButton::clicked, &m_controller,
            &RfDataController::cmdSendRandomRepeatedMsg_Click);
    return row;
}

// Left to right, row by row, as the panel reads.
void RfDataPanel::setReadingTabOrder()
{
    const QList<QWidget*> order = {
        txtRFData, optAscii, optHex, txtDestinationID, txtPacketID, txtRepeatDelay,
        updownRepeatDelay->upButton(), updownRepeatDelay->downButton(), cmdSendSingleMsg,
        cmdSendRandomMsg, cmdSendSingleRepeatedMsg, cmdSendRandomRepeatedMsg,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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

// The controller sends what the box holds at once, though the box shows it only at the
// refresh: the data as the box will hold it.
void RfDataPanel::KeepReceivedRfData(const QString& text)
{
    m_receivedText = text.left(txtRFData->maxLength());
    if (m_receivedText != text)
        m_controller.txtRFData_Change(m_receivedText);
    m_receivedPending = true;
    m_refresh.request();
}

void RfDataPanel::ShowReceivedRfData()
{
    if (!m_receivedPending)
        return;
    m_receivedPending = false;
    if (txtRFData->text() != m_receivedText)
        ShowRfDataText(m_receivedText);
}

void RfDataPanel::ShowRepetition(QPushButton* keep, const QString& idleCaption, bool running)
{
    for (QPushButton* button : {cmdSendRandomRepeatedMsg, cmdSendSingleRepeatedMsg,
                                cmdSendRandomMsg, cmdSendSingleMsg})
        if (button != keep)
            button->setEnabled(!running);
    keep->setText(running ? kStopRepeatCaption : idleCaption);
}
