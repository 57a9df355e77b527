#pragma once

#include <QWidget>

class FactoryCalibration;

// The "Factory Calibration" page: the frame "Maximum Power Amplifier Level". Only its
// query button does anything.
class FactoryCalibrationPage : public QWidget {
    Q_OBJECT
public:
    explicit FactoryCalibrationPage(FactoryCalibration& calibration, QWidget* parent = nullptr);

    void cmdGetMaxPowerAmplifierLevel_Click();

private:
    FactoryCalibration& m_calibration;
};
