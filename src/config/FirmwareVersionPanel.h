#pragma once

#include <QWidget>

class Frame;
class QLabel;
class QPushButton;
class LinkSession;

// The contents of the "Firmware Version Information" frame: "Get Version" asks the
// module which firmware it runs, and its answer is shown as version, build date and
// copyright text.
class FirmwareVersionPanel : public QWidget {
    Q_OBJECT
public:
    explicit FirmwareVersionPanel(LinkSession& link, QWidget* parent = nullptr);

    void cmdGetFirmwareVersion_Click();
    void ProcessReceivedFirmwareVersionMessage(const Frame& frame);

private:
    LinkSession& m_link;
    QPushButton* cmdGetFirmwareVersion = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblFirmwareDate = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblUser = nullptr;
};
