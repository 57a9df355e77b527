#include "ui/pages/FactoryCalibrationPage.h"

#include "config/FactoryCalibration.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/SpinButtons.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

FactoryCalibrationPage::FactoryCalibrationPage(FactoryCalibration& calibration, QWidget* parent)
    : QWidget(parent), m_calibration(calibration)
{
    setObjectName(QStringLiteral("FactoryCalibrationPage"));
    auto* frame = new QGroupBox(QStringLiteral("Maximum Power Amplifier Level"), this);
    frame->setObjectName(QStringLiteral("frameMaxPowerAmplifierLevel"));
    frame->setGeometry(30, 30, 420, 140);

    AddCentredBox(frame, "txtGetMaxPowerAmplifierLevel", QRect(30, 40, 80, 26))->setReadOnly(true);
    auto* get = AddButton(frame, "cmdGetMaxPowerAmplifierLevel",
                          QStringLiteral("Get Power Amp Level"), QRect(150, 37, 190, 32));
    AddCentredBox(frame, "txtSetMaxPowerAmplifierLevel", QRect(30, 90, 62, 26));
    auto* spin = new SpinButtons(frame);
    spin->setObjectName(QStringLiteral("UpDownSetMaxPowerAmplifierLevel"));
    spin->setRange(0, 100);
    spin->setStep(1);
    spin->setGeometry(92, 90, 18, 26);
    AddButton(frame, "cmdSetMaxPowerAmplifierLevel", QStringLiteral("Set Power  Amp Level"),
              QRect(150, 87, 190, 32));
    connect(get, &QPushButton::clicked, this,
            &FactoryCalibrationPage::cmdGetMaxPowerAmplifierLevel_Click);
}

void FactoryCalibrationPage::cmdGetMaxPowerAmplifierLevel_Click()
{
    m_calibration.GetMaxPowerAmplifierLevel();
}
