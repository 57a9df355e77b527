#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class SerialLink;

// The contents of the "Firmware Version Information" frame: "Get Version" asks the
// module which firmware it runs, and its answer is shown as version, build date and
// copyright text.
class FirmwareVersionPanel : public QWidget {
    Q_OBJECT
public:
    explicit FirmwareVersionPanel(SerialLink& link, QWidget* parent = nullptr);

    void cmdGetFirmwareVersion_Click();
    void ProcessReceivedFirmwareVersionMessage();

private:
    SerialLink& m_link;
    QPushButton* cmdGetFirmwareVersion = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblFirmwareDate = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblUser = nullptr;
};
