#include "ui/pages/RfSettingsPage.h"

#include "config/ConfigSettings.h"
#include "config/RfSettingsController.h"
#include "ui/pages/ConfigControls.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/SpinButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int kRowHeight = 24;
constexpr int kBoxWidth = 40;
constexpr int kSpinWidth = 18;

}  // namespace

using Field = RfSettingsController::Field;

RfSettingsPage::RfSettingsPage(RfSettingsController& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("RfSettingsPage"));
    buildHopTableAndRetries();
    buildChannelControls();
    buildPaLevelList();
    buildButtons();
    connect(&m_settings, &RfSettingsController::valueShown, this, &RfSettingsPage::showValue);
    connect(&m_settings, &RfSettingsController::stateChanged, this,
            [this](int field, ValueState state) { ShowValueState(RecordControls()[field], state); });
}

QLineEdit* RfSettingsPage::addNumberBox(const char* name, int field, const QRect& geometry)
{
    return AddBoundNumericBox(
        this, name, geometry, [this, field] { return m_settings.value(field); },
        [this, field](qint32 value) { m_settings.setNumber(field, value); });
}

void RfSettingsPage::buildHopTableAndRetries()
{
    AddLabel(this, "Label27", QStringLiteral("Hop Table"), QRect(30, 30, 100, kRowHeight));
    txtSetHopTable2 = addNumberBox("txtSetHopTable2", Field::HopTable,
                                   QRect(140, 30, kBoxWidth, kRowHeight));
    UpDownSetHopTable2 = AddSpinButtonsFor(txtSetHopTable2,
                                           QRect(140 + kBoxWidth, 30, kSpinWidth, kRowHeight));
    AddLabel(this, "Label29", QStringLiteral("Retries"), QRect(30, 70, 100, kRowHeight));
    txtSetRFRetries2 = addNumberBox("txtSetRFRetries2", Field::RFRetries,
                                    QRect(140, 70, kBoxWidth, kRowHeight));
    chkAcks = AddCheckBox(this, "chkAcks", QStringLiteral("Acknowledgements"),
                          QRect(30, 110, 190, kRowHeight));
    chkReceiveAll = AddCheckBox(this, "chkReceiveAll", QStringLiteral("Receive All"),
                                QRect(30, 145, 190, kRowHeight));
    connect(chkAcks, &QCheckBox::toggled, this, &RfSettingsPage::chkAcks_Click);
    connect(chkReceiveAll, &QCheckBox::toggled, this, &RfSettingsPage::chkReceiveAll_Click);
}

void RfSettingsPage::buildChannelControls()
{
    optHoppingMode = AddOption(this, "optHoppingMode", QStringLiteral("Hopping"),
                               QRect(270, 30, 190, kRowHeight));
    optSingleChannelMode = AddOption(this, "optSingleChannelMode", QStringLiteral("Single Channel"),
                                     QRect(270, 62, 190, kRowHeight));
    auto* modes = new QButtonGroup(this);
    modes->addButton(optHoppingMode);
    modes->addButton(optSingleChannelMode);
    connect(optHoppingMode, &QRadioButton::toggled, this, &RfSettingsPage::optHoppingMode_Click);
    connect(optSingleChannelMode, &QRadioButton::toggled, this,
            &RfSettingsPage::optSingleChannelMode_Click);

    AddLabel(this, "Label26", QStringLiteral("RF Channel"), QRect(270, 110, 100, kRowHeight));
    txtRFSingleChannel2 = addNumberBox("txtRFSingleChannel2", Field::SingleChannel,
                                       QRect(380, 110, kBoxWidth, kRowHeight));
    updownRfSingleChannel2 = AddSpinButtonsFor(
        txtRFSingleChannel2, QRect(380 + kBoxWidth, 110, kSpinWidth, kRowHeight));
}

void RfSettingsPage::buildPaLevelList()
{
    AddLabel(this, "Label28", QStringLiteral("7340 Power Output Attenuator"),
             QRect(30, 195, 260, kRowHeight));
    comboInternalPALevel = new QComboBox(this);
    comboInternalPALevel->setObjectName(QStringLiteral("comboInternalPALevel"));
    comboInternalPALevel->setEditable(false);
    comboInternalPALevel->setGeometry(30, 222, 260, 28);
    connect(comboInternalPALevel, &QComboBox::currentIndexChanged, this,
            &RfSettingsPage::comboInternalPALevel_Click);
}

void RfSettingsPage::buildButtons()
{
    cmdSleep2 = AddButton(this, "cmdSleep2", QStringLiteral("Sleep"), QRect(340, 221, 120, 30));
    cmdSetProgrammableSettings = AddButton(this, "cmdSetProgrammableSettings",
                                           QStringLiteral("Set Programmable Settings"),
                                           QRect(30, 300, 210, 32));
    cmdGetProgrammableSettings = AddButton(this, "cmdGetProgrammableSettings",
                                           QStringLiteral("Get Programmable Settings"),
                                           QRect(255, 300, 210, 32));
    connect(cmdSleep2, &QPushButton::clicked, this, &RfSettingsPage::cmdSleep2_Click);
    connect(cmdSetProgrammableSettings, &QPushButton::clicked, this,
            &RfSettingsPage::cmdSetProgrammableSettings_Click);
    connect(cmdGetProgrammableSettings, &QPushButton::clicked, this,
            &RfSettingsPage::cmdGetProgrammableSettings_Click);
}

void RfSettingsPage::FillPaLevelList()
{
    // Filling an empty list would select its first entry on its own.
    const QSignalBlocker quiet(comboInternalPALevel);
    comboInternalPALevel->clear();
    comboInternalPALevel->addItems(PaLevelEntries());
    comboInternalPALevel->setCurrentIndex(-1);
}

QList<QWidget*> RfSettingsPage::RecordControls() const
{
    return {txtSetHopTable2,      chkAcks,        txtSetRFRetries2,
            comboInternalPALevel, optHoppingMode, optSingleChannelMode,
            txtRFSingleChannel2,  chkReceiveAll};
}

// Each value goes through its control's own change behaviour: the boxes apply their
// entry rule, a level without an entry leaves the list as it is.
void RfSettingsPage::showValue(int field, qint32 value)
{
    QWidget* control = RecordControls()[field];
    if (auto* box = qobject_cast<QLineEdit*>(control))
        WriteNumericText(box, QString::number(value));
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setChecked(value != 0);
    else if (value >= 0 && value < comboInternalPALevel->count())
        comboInternalPALevel->setCurrentIndex(value);
}

void RfSettingsPage::chkAcks_Click(bool checked)
{
    m_settings.setSwitch(Field::Acknowledgements, checked);
}

void RfSettingsPage::chkReceiveAll_Click(bool checked)
{
    m_settings.setSwitch(Field::ReceiveAll, checked);
}

// An option button reports being deselected too; only the one selected counts as
// clicked.
void RfSettingsPage::optHoppingMode_Click(bool selected)
{
    if (selected)
        m_settings.selectMode(true);
}

void RfSettingsPage::optSingleChannelMode_Click(bool selected)
{
    if (selected)
        m_settings.selectMode(false);
}

void RfSettingsPage::comboInternalPALevel_Click(int index)
{
    if (index >= 0)  // below 0: the list was emptied, nothing was chosen
        m_settings.selectPaLevel(index);
}

void RfSettingsPage::cmdSetProgrammableSettings_Click()
{
    m_settings.SetProgrammableSettings();
}

void RfSettingsPage::cmdGetProgrammableSettings_Click()
{
    m_settings.GetProgrammableSettings();
}

void RfSettingsPage::cmdSleep2_Click()
{
    m_settings.Sleep();
}
