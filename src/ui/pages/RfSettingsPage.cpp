#include "ui/pages/RfSettingsPage.h"

#include "config/ConfigSettings.h"
#include "config/RfSettingsController.h"
#include "ui/pages/ConfigControls.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/SpinButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

using Field = RfSettingsController::Field;

namespace {

// A box with its spin buttons right beside it, as one cell of the grid.
QHBoxLayout* BoxWithSpin(QLineEdit* box, SpinButtons* spin)
{
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(box);
    pair->addWidget(spin);
    pair->addStretch();
    return pair;
}

}  // namespace

// Two columns of label and value over the attenuator list with "Sleep", then the set and
// get buttons; spare room goes to the right and to the bottom.
RfSettingsPage::RfSettingsPage(RfSettingsController& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("RfSettingsPage"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(16);
    grid->setColumnMinimumWidth(0, 100);
    grid->setColumnMinimumWidth(2, 52);
    grid->setColumnMinimumWidth(3, 100);
    grid->setColumnStretch(5, 1);
    buildHopTableAndRetries(grid);
    buildChannelControls(grid);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(30, 30, 0, 0);
    page->setSpacing(0);
    page->addLayout(grid);
    page->addSpacing(25);
    buildPaLevelList(page);
    page->addSpacing(49);
    buildButtons(page);
    page->addStretch();

    ChainTabOrder({txtSetHopTable2, UpDownSetHopTable2->upButton(), UpDownSetHopTable2->downButton(),
                   optHoppingMode, txtSetRFRetries2, optSingleChannelMode, chkAcks,
                   txtRFSingleChannel2, updownRfSingleChannel2->upButton(),
                   updownRfSingleChannel2->downButton(), chkReceiveAll, comboInternalPALevel,
                   cmdSleep2, cmdSetProgrammableSettings, cmdGetProgrammableSettings});

    connect(&m_settings, &RfSettingsController::valueShown, this, &RfSettingsPage::showValue);
    connect(&m_settings, &RfSettingsController::stateChanged, this,
            [this](int field, ValueState state) { ShowValueState(RecordControls()[field], state); });
}

// A numeric box of the record, named by its label for screen readers.
QLineEdit* RfSettingsPage::addNumberBox(QGridLayout* grid, int row, int column,
                                        const char* labelName, const QString& caption,
                                        const char* name, int field)
{
    QLabel* label = NamedLabel(this, labelName, caption);
    QLineEdit* box = BoundNumericBox(
        this, name, 40, 24, [this, field] { return m_settings.value(field); },
        [this, field](qint32 value) { m_settings.setNumber(field, value); });
    label->setBuddy(box);
    grid->addWidget(label, row, column);
    return box;
}

void RfSettingsPage::buildHopTableAndRetries(QGridLayout* grid)
{
    txtSetHopTable2 = addNumberBox(grid, 0, 0, "Label27", QStringLiteral("Hop Table"),
                                   "txtSetHopTable2", Field::HopTable);
    UpDownSetHopTable2 = SpinButtonsFor(txtSetHopTable2);
    grid->addLayout(BoxWithSpin(txtSetHopTable2, UpDownSetHopTable2), 0, 1);
    txtSetRFRetries2 = addNumberBox(grid, 1, 0, "Label29", QStringLiteral("Retries"),
                                    "txtSetRFRetries2", Field::RFRetries);
    grid->addWidget(txtSetRFRetries2, 1, 1);
    chkAcks = NamedCheckBox(this, "chkAcks", QStringLiteral("Acknowledgements"));
    grid->addWidget(chkAcks, 2, 0, 1, 3);
    chkReceiveAll = NamedCheckBox(this, "chkReceiveAll", QStringLiteral("Receive All"));
    grid->addWidget(chkReceiveAll, 3, 0, 1, 3);
    connect(chkAcks, &QCheckBox::toggled, this, &RfSettingsPage::chkAcks_Click);
    connect(chkReceiveAll, &QCheckBox::toggled, this, &RfSettingsPage::chkReceiveAll_Click);
}

void RfSettingsPage::buildChannelControls(QGridLayout* grid)
{
    optHoppingMode = NamedOption(this, "optHoppingMode", QStringLiteral("Hopping"));
    optSingleChannelMode =
        NamedOption(this, "optSingleChannelMode", QStringLiteral("Single Channel"));
    auto* options = new QVBoxLayout;
    options->setSpacing(12);
    options->addWidget(optHoppingMode);
    options->addWidget(optSingleChannelMode);
    grid->addLayout(options, 0, 3, 2, 2, Qt::AlignTop);
    auto* modes = new QButtonGroup(this);
    modes->addButton(optHoppingMode);
    modes->addButton(optSingleChannelMode);
    connect(optHoppingMode, &QRadioButton::toggled, this, &RfSettingsPage::optHoppingMode_Click);
    connect(optSingleChannelMode, &QRadioButton::toggled, this,
            &RfSettingsPage::optSingleChannelMode_Click);

    txtRFSingleChannel2 = addNumberBox(grid, 2, 3, "Label26", QStringLiteral("RF Channel"),
                                       "txtRFSingleChannel2", Field::SingleChannel);
    updownRfSingleChannel2 = SpinButtonsFor(txtRFSingleChannel2);
    grid->addLayout(BoxWithSpin(txtRFSingleChannel2, updownRfSingleChannel2), 2, 4);
}

void RfSettingsPage::buildPaLevelList(QVBoxLayout* page)
{
    QLabel* label =
        AtLeast(NamedLabel(this, "Label28", QStringLiteral("7340 Power Output Attenuator")), 0, 24);
    comboInternalPALevel = AtLeast(new QComboBox(this), 260, 28);
    comboInternalPALevel->setObjectName(QStringLiteral("comboInternalPALevel"));
    comboInternalPALevel->setEditable(false);
    comboInternalPALevel->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(comboInternalPALevel);
    // A drop-down list reads out its entry, not its label: it needs a name of its own.
    comboInternalPALevel->setAccessibleName(label->text());
    cmdSleep2 = AtLeast(NamedButton(this, "cmdSleep2", QStringLiteral("Sleep")), 120, 30);
    auto* row = new QHBoxLayout;
    row->setSpacing(50);
    row->addWidget(comboInternalPALevel);
    row->addWidget(cmdSleep2);
    row->addStretch();
    page->addWidget(label);
    page->addSpacing(2);
    page->addLayout(row);
    connect(comboInternalPALevel, &QComboBox::currentIndexChanged, this,
            &RfSettingsPage::comboInternalPALevel_Click);
    connect(cmdSleep2, &QPushButton::clicked, this, &RfSettingsPage::cmdSleep2_Click);
}

void RfSettingsPage::buildButtons(QVBoxLayout* page)
{
    cmdSetProgrammableSettings =
        AtLeast(NamedButton(this, "cmdSetProgrammableSettings",
                            QStringLiteral("Set Programmable Settings")), 210, 32);
    cmdGetProgrammableSettings =
        AtLeast(NamedButton(this, "cmdGetProgrammableSettings",
                            QStringLiteral("Get Programmable Settings")), 210, 32);
    auto* row = new QHBoxLayout;
    row->setSpacing(15);
    row->addWidget(cmdSetProgrammableSettings);
    row->addWidget(cmdGetProgrammableSettings);
    row->addStretch();
    page->addLayout(row);
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
