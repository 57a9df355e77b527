#pragma once

#include <QMainWindow>

#include <memory>

class CommunicationsLogView;
class QLabel;
class QPushButton;
class SerialLink;
class SerialPort;

// The main window: the frame in which every page and panel stands. It owns the shell's
// own controls (log, status bar, menus, tabs) and the order of start-up and shut-down.
class frmQVOrvalisETMain : public QMainWindow {
    Q_OBJECT
public:
    // Uses the computer's serial ports.
    explicit frmQVOrvalisETMain(QWidget* parent = nullptr);
    // Uses the given port (tests hand in a fake).
    explicit frmQVOrvalisETMain(std::unique_ptr<SerialPort> port, QWidget* parent = nullptr);
    ~frmQVOrvalisETMain() override;

    SerialLink& link() { return *m_link; }
    CommunicationsLogView& messageList() { return *lstSerialMessages; }

private:
    void buildLogArea(QWidget* central);
    void Form_Load();

    CommunicationsLogView* lstSerialMessages = nullptr;
    QPushButton* cmdClear = nullptr;
    QLabel* lblCommunicationsLog = nullptr;
    std::unique_ptr<SerialLink> m_link;
};
