#include "config/RfSettingsPage.h"

#include "config/ConfigSettings.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/PageControls.h"
#include "config/SleepCommand.h"
#include "ui/widgets/SpinButtons.h"
#include "ui/widgets/ValueColours.h"

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

RfSettingsPage::RfSettingsPage(ConfigSettings& config, LinkSession& link, QWidget* parent)
    : QWidget(parent), m_config(config), m_link(link)
{
    setObjectName(QStringLiteral("RfSettingsPage"));
    buildHopTableAndRetries();
    buildChannelControls();
    buildPaLevelList();
    buildButtons();
}

void RfSettingsPage::buildHopTableAndRetries()
{
    AddLabel(this, "Label27", QStringLiteral("Hop Table"), QRect(30, 30, 100, kRowHeight));
    txtSetHopTable2 = AddNumericBox(this, "txtSetHopTable2", m_config.iHopTable,
                                    QRect(140, 30, kBoxWidth, kRowHeight));
    UpDownSetHopTable2 = AddSpinButtonsFor(txtSetHopTable2,
                                           QRect(140 + kBoxWidth, 30, kSpinWidth, kRowHeight));
    AddLabel(this, "Label29", QStringLiteral("Retries"), QRect(30, 70, 100, kRowHeight));
    txtSetRFRetries2 = AddNumericBox(this, "txtSetRFRetries2", m_config.iRFRetries,
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
    txtRFSingleChannel2 = AddNumericBox(this, "txtRFSingleChannel2", m_config.iSingleChannel,
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

void RfSettingsPage::ShowLoadedHopTableAcksAndRetries()
{
    ShowNumber(txtSetHopTable2, m_config.iHopTable);
    chkAcks->setChecked(m_config.iAcknowledgements == 1);
    ShowNumber(txtSetRFRetries2, m_config.iRFRetries);
}

void RfSettingsPage::FillPaLevelList()
{
    {
        // Filling an empty list would select its first entry on its own.
        const QSignalBlocker quiet(comboInternalPALevel);
        comboInternalPALevel->clear();
        comboInternalPALevel->addItems(PaLevelEntries());
        comboInternalPALevel->setCurrentIndex(-1);
    }
    SelectPaLevel(m_config.iPALevel);
}

void RfSettingsPage::ShowLoadedChannelSettings()
{
    (m_config.iRFMode == 1 ? optHoppingMode : optSingleChannelMode)->setChecked(true);
    ShowNumber(txtRFSingleChannel2, m_config.iSingleChannel);
    chkReceiveAll->setChecked(m_config.iReceiveAll == 1);
}

void RfSettingsPage::ShowNumber(QLineEdit* box, int value)
{
    WriteNumericText(box, QString::number(value));
}

void RfSettingsPage::SelectPaLevel(int level)
{
    if (level >= 0 && level < comboInternalPALevel->count())
        comboInternalPALevel->setCurrentIndex(level);
}

void RfSettingsPage::chkAcks_Click(bool checked)
{
    m_config.iAcknowledgements = checked ? 1 : 0;
    MarkPending(chkAcks);
}

void RfSettingsPage::chkReceiveAll_Click(bool checked)
{
    m_config.iReceiveAll = checked ? 1 : 0;
    MarkPending(chkReceiveAll);
}

// An option button reports being deselected too; only the one selected counts as
// clicked.
void RfSettingsPage::optHoppingMode_Click(bool selected)
{
    if (!selected)
        return;
    m_config.iRFMode = 1;
    MarkPending(optHoppingMode);
}

void RfSettingsPage::optSingleChannelMode_Click(bool selected)
{
    if (!selected)
        return;
    m_config.iRFMode = 0;
    MarkPending(optSingleChannelMode);
}

void RfSettingsPage::comboInternalPALevel_Click(int index)
{
    if (index < 0)
        return;  // the list was emptied, nothing was chosen
    m_config.iPALevel = static_cast<qint16>(index);
    MarkPending(comboInternalPALevel);
}

void RfSettingsPage::cmdSleep2_Click()
{
    cmdSleep_Click(m_link);
}
