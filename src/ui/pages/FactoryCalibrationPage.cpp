#include "ui/pages/FactoryCalibrationPage.h"

#include "config/FactoryCalibration.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/SpinButtons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

FactoryCalibrationPage::FactoryCalibrationPage(FactoryCalibration& calibration, QWidget* parent)
    : QWidget(parent), m_calibration(calibration)
{
    setObjectName(QStringLiteral("FactoryCalibrationPage"));
    auto* frame = new QGroupBox(QStringLiteral("Maximum Power Amplifier Level"), this);
    frame->setObjectName(QStringLiteral("frameMaxPowerAmplifierLevel"));

    // The boxes carry no caption of their own: the frame's title and the button beside
    // each name them.
    QLineEdit* shown = AtLeast(NamedCentredBox(frame, "txtGetMaxPowerAmplifierLevel", 3, 80), 0, 26);
    shown->setReadOnly(true);
    shown->setAccessibleName(QStringLiteral("Maximum Power Amplifier Level"));
    auto* get = AtLeast(NamedButton(frame, "cmdGetMaxPowerAmplifierLevel",
                                    QStringLiteral("Get Power Amp Level")), 190, 32);
    QLineEdit* wanted = AtLeast(NamedCentredBox(frame, "txtSetMaxPowerAmplifierLevel", 3, 62), 0, 26);
    wanted->setAccessibleName(QStringLiteral("Maximum Power Amplifier Level to set"));
    auto* spin = new SpinButtons(frame);
    spin->setObjectName(QStringLiteral("UpDownSetMaxPowerAmplifierLevel"));
    spin->setRange(0, 100);
    spin->setStep(1);
    spin->nameAfter(wanted->accessibleName());
    auto* set = AtLeast(NamedButton(frame, "cmdSetMaxPowerAmplifierLevel",
                                    QStringLiteral("Set Power  Amp Level")), 190, 32);

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(27, 17, 77, 18);
    grid->setHorizontalSpacing(40);
    grid->setVerticalSpacing(18);
    grid->setColumnMinimumWidth(0, 80);
    grid->addWidget(shown, 0, 0);
    grid->addWidget(get, 0, 1);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(wanted);
    pair->addWidget(spin);
    pair->addStretch();
    grid->addLayout(pair, 1, 0, Qt::AlignVCenter);
    grid->addWidget(set, 1, 1);
    ChainTabOrder({shown, get, wanted, spin->upButton(), spin->downButton(), set});

    auto* page = new QGridLayout(this);
    page->setContentsMargins(30, 30, 0, 0);
    page->addWidget(frame, 0, 0);
    page->setRowStretch(1, 1);
    page->setColumnStretch(1, 1);
    connect(get, &QPushButton::clicked, this,
            &FactoryCalibrationPage::cmdGetMaxPowerAmplifierLevel_Click);
}

void FactoryCalibrationPage::cmdGetMaxPowerAmplifierLevel_Click()
{
    m_calibration.GetMaxPowerAmplifierLevel();
}
