// Building the register editor's controls from the field table and placing them in the
// page's small area: three columns of compact frames.
#include "ui/pages/TestSettingsPage.h"

#include "config/NumericBoxSpec.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/SpinButtons.h"
#include "ui/widgets/ValueLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

constexpr int kSpacing = 2;
constexpr int kBoxDigits = 5;  // three digits, or a short fraction
constexpr int kSpinWidth = 16;

struct RegisterFrame {
    RadioRegister group;
    const char* name;
    const char* caption;
};
constexpr RegisterFrame kRegisterFrames[] = {
    {RadioRegister::A, "frameRegisterA", "Register A"},
    {RadioRegister::B, "frameRegisterB", "Register B"},
    {RadioRegister::C, "frameRegisterC", "Register C"},
    {RadioRegister::D, "frameRegisterD", "Register D"},
    {RadioRegister::E, "frameRegisterE", "Register E"},
};

QString LabelName(const TestModeFieldSpec& field)
{
    if (field.id == TestModeField::XTALTune)
        return QStringLiteral("lblXtalTune");
    if (field.id == TestModeField::ReferenceDividerCoefficient)
        return QStringLiteral("lblRegisterC");
    return QStringLiteral("lbl") + field.name;
}

template <typename Layout>
Layout* CompactLayout(QWidget* parent)
{
    auto* layout = new Layout(parent);
    layout->setContentsMargins(3, 1, 3, 3);
    layout->setSpacing(kSpacing);
    return layout;
}

QGroupBox* Frame(const char* name, const QString& caption, QWidget* parent)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

template <typename Control>
Control* Named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

}  // namespace

void TestSettingsPage::buildControls()
{
    for (const RegisterFrame& spec : kRegisterFrames) {
        QGroupBox* frame = Frame(spec.name, QLatin1String(spec.caption), this);
        m_registerFrames[std::size_t(spec.group)] = frame;
        buildRegisterFrame(spec.group, frame);
    }
    frameOpMode = buildOpModeFrame();
    frameTransmit = buildTransmitFrame();
    frameStandby = buildStandbyFrame();
    FrameTestMode = buildTestModeFrame();
    cmdSetRegisters = Named(new QPushButton(QStringLiteral("Set Registers"), this),
                            QStringLiteral("cmdSetRegisters"));
    cmdGetRegisters = Named(new QPushButton(QStringLiteral("Get Registers"), this),
                            QStringLiteral("cmdGetRegisters"));
    layOutFrames();
    setReadingTabOrder();
}

// One row per field of the register, in the order of the field table.
void TestSettingsPage::buildRegisterFrame(RadioRegister group, QGroupBox* frame)
{
    auto* grid = CompactLayout<QGridLayout>(frame);
    int row = 0;
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        if (field.group != group)
            continue;
        auto* label = Named(new QLabel(field.caption, frame), LabelName(field));
        m_labels[Index(field.id)] = label;
        grid->addWidget(label, row, 0);
        if (field.kind == TestModeFieldKind::Number)
            addNumberRow(field.id, grid, row);
        else
            addListRow(field.id, grid, row);
        // The field's own caption names it, not its register's frame.
        label->setBuddy(m_controls[Index(field.id)]);
        ++row;
    }
    grid->setColumnStretch(1, 1);
}

void TestSettingsPage::addNumberRow(TestModeField id, QGridLayout* grid, int row)
{
    const NumericBoxSpec spec =
        NumericBoxSpecFor(QStringLiteral("txt") + TestModeFieldInfo(id).name);
    Q_ASSERT(spec.isValid() && spec.hasSpinButtons());
    QWidget* frame = grid->parentWidget();

    auto* edit = Named(new QLineEdit(frame), QLatin1String(spec.boxName));
    FitToNumbers(edit, kBoxDigits);
    BindNumericEntry(edit, FieldValue(m_settings, id), spec.entry);

    auto* spin = Named(new SpinButtons(frame), QLatin1String(spec.spinName));
    spin->bindTo(edit, spec.entry.minimum, spec.entry.maximum, spec.spinStep);
    spin->setFixedSize(kSpinWidth, edit->sizeHint().height());

    m_controls[Index(id)] = edit;
    m_spins[Index(id)] = spin;
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(edit);
    pair->addWidget(spin);
    pair->addStretch();
    grid->addLayout(pair, row, 1);
}

void TestSettingsPage::addListRow(TestModeField id, QGridLayout* grid, int row)
{
    const TestModeFieldSpec& field = TestModeFieldInfo(id);
    auto* combo = Named(new QComboBox(grid->parentWidget()), QStringLiteral("combo") + field.name);
    // The caption also where a reader asks the list itself rather than its label.
    combo->setAccessibleName(field.caption);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // filled by InitRegisterEditor
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, id](int index) { comboRegister_Click(id, index); });
    m_controls[Index(id)] = combo;
    grid->addWidget(combo, row, 1);
}

QGroupBox* TestSettingsPage::buildOpModeFrame()
{
    const QStringList& modes = TestModeFieldInfo(TestModeField::Mode).entries;
    QGroupBox* frame = Frame("frameOpMode", TestModeFieldInfo(TestModeField::Mode).caption, this);
    auto* layout = CompactLayout<QVBoxLayout>(frame);
    optMode0 = Named(new QRadioButton(modes.value(0), frame), QStringLiteral("optMode0"));
    optMode1 = Named(new QRadioButton(modes.value(1), frame), QStringLiteral("optMode1"));
    layout->addWidget(optMode0);
    layout->addWidget(optMode1);
    return frame;
}

QGroupBox* TestSettingsPage::buildTransmitFrame()
{
    const TestModeFieldSpec& field = TestModeFieldInfo(TestModeField::Transmit);
    QGroupBox* frame = Frame("frameTransmit", field.caption, this);
    auto* layout = CompactLayout<QVBoxLayout>(frame);
    comboTransmit = Named(new QComboBox(frame), QStringLiteral("comboTransmit"));
    comboTransmit->setAccessibleName(field.caption);  // the frame's caption is its only label
    comboTransmit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_controls[Index(TestModeField::Transmit)] = comboTransmit;
    connect(comboTransmit, &QComboBox::currentIndexChanged, this,
            &TestSettingsPage::comboTransmit_Click);
    layout->addWidget(comboTransmit);
    return frame;
}

QGroupBox* TestSettingsPage::buildStandbyFrame()
{
    QGroupBox* frame =
        Frame("frameStandby", TestModeFieldInfo(TestModeField::Standby).caption, this);
    auto* layout = CompactLayout<QVBoxLayout>(frame);
    checkStandby = Named(new QCheckBox(frame), QStringLiteral("checkStandby"));
    checkStandby->setAccessibleName(frame->title());  // the box has no caption of its own
    layout->addWidget(checkStandby, 0, Qt::AlignHCenter);
    return frame;
}

QGroupBox* TestSettingsPage::buildTestModeFrame()
{
    QGroupBox* frame = Frame("FrameTestMode", QStringLiteral("Test Mode"), this);
    auto* layout = CompactLayout<QHBoxLayout>(frame);
    optTestModeEnabled = Named(new QRadioButton(QStringLiteral("Enabled"), frame),
                               QStringLiteral("optTestModeEnabled"));
    optTestModeDisabled = Named(new QRadioButton(QStringLiteral("Disabled"), frame),
                                QStringLiteral("optTestModeDisabled"));
    layout->addWidget(optTestModeEnabled);
    layout->addWidget(optTestModeDisabled);
    return frame;
}

// Column 1: Registers A and C, the test mode switch and the commands.
// Column 2: Registers B and D. Column 3: Register E and the operating fields.
void TestSettingsPage::layOutFrames()
{
    auto frame = [this](RadioRegister group) { return m_registerFrames[std::size_t(group)]; };

    auto* first = new QVBoxLayout;
    first->setSpacing(kSpacing);
    first->addWidget(frame(RadioRegister::A));
    first->addWidget(frame(RadioRegister::C));
    first->addWidget(FrameTestMode);
    first->addStretch();
    first->addWidget(cmdSetRegisters);
    first->addWidget(cmdGetRegisters);

    auto* second = new QVBoxLayout;
    second->setSpacing(kSpacing);
    second->addWidget(frame(RadioRegister::B));
    second->addWidget(frame(RadioRegister::D));
    second->addStretch();

    auto* operating = new QHBoxLayout;
    operating->setSpacing(kSpacing);
    operating->addWidget(frameOpMode);
    operating->addWidget(frameStandby);
    auto* third = new QVBoxLayout;
    third->setSpacing(kSpacing);
    third->addWidget(frame(RadioRegister::E));
    third->addLayout(operating);
    third->addWidget(frameTransmit);
    third->addStretch();

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(1, 1, 1, 1);
    columns->setSpacing(3);
    columns->addLayout(first);
    columns->addLayout(second);
    columns->addLayout(third);
}

// Down each column of frames, as the page reads; each box before its arrows.
void TestSettingsPage::setReadingTabOrder()
{
    QList<QWidget*> order;
    const auto addRegister = [this, &order](RadioRegister group) {
        for (const TestModeFieldSpec& field : TestModeFieldTable()) {
            if (field.group != group)
                continue;
            order << m_controls[Index(field.id)];
            if (SpinButtons* spin = m_spins[Index(field.id)])
                order << spin->upButton() << spin->downButton();
        }
    };
    addRegister(RadioRegister::A);
    addRegister(RadioRegister::C);
    order << optTestModeEnabled << optTestModeDisabled << cmdSetRegisters << cmdGetRegisters;
    addRegister(RadioRegister::B);
    addRegister(RadioRegister::D);
    addRegister(RadioRegister::E);
    order << optMode0 << optMode1 << checkStandby << comboTransmit;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
