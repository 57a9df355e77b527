#pragma once

#include <QWidget>

class FirmwareVersionReader;
class QLabel;
class QPushButton;

// The contents of the "Firmware Version Information" frame: "Get Version", and the
// module's answer as version, build date and copyright text.
class FirmwareVersionPanel : public QWidget {
    Q_OBJECT
public:
    explicit FirmwareVersionPanel(FirmwareVersionReader& reader, QWidget* parent = nullptr);

    void cmdGetFirmwareVersion_Click();

private:
    FirmwareVersionReader& m_reader;
    QPushButton* cmdGetFirmwareVersion = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblFirmwareDate = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblUser = nullptr;
};
