#pragma once

#include <QWidget>

class LinkSession;

// The "Factory Calibration" page: the frame "Maximum Power Amplifier Level". Only the
// query does anything; the module's answer is shown in the communications log alone.
class FactoryCalibrationPage : public QWidget {
    Q_OBJECT
public:
    explicit FactoryCalibrationPage(LinkSession& link, QWidget* parent = nullptr);

    void cmdGetMaxPowerAmplifierLevel_Click();

private:
    LinkSession& m_link;
};
