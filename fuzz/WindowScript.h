#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QTimer>

class FakeSerialPort;
class FuzzInput;
class QAction;
class QComboBox;
class QAbstractButton;
class QLineEdit;
class QPushButton;
class QTabBar;
class QWidget;
class SpinButtons;
class frmQVOrvalisETMain;

// Plays a fuzz input on the main window as a script of what a user and a module might
// do: replies of every type and length with good framing, raw garbage, button clicks,
// typing into the boxes, tab switches, options, menu items, time passing and port
// trouble. Controls are collected again whenever a window comes or goes, so those of
// windows opened by the script (the link charts) are played too.
//
// The program waits by running nested event loops. At the start of each wait the script
// runs a few of its next actions inside it (as many as the input says), so actions also
// land in the middle of sends, pauses and re-provisioning; then it ends the wait. No
// real interval is ever waited for: timers are made to tick at once.
class WindowScript {
public:
    WindowScript(frmQVOrvalisETMain& window, FakeSerialPort& port, FuzzInput& input);
    WindowScript(const WindowScript&) = delete;
    WindowScript& operator=(const WindowScript&) = delete;

    void run();

private:
    void collectControlsOfNewWindows();
    void forgetControls();
    void collectControls(const QWidget& window);
    void act();

    void sendReply();
    void sendGarbage();
    void deliver(const QByteArray& bytes);
    void clickButton();
    void typeIntoBox();
    void switchTab();
    void useOtherControl();
    void letTimePass();
    void portEvent();

    template <typename Control>
    Control* pick(const QList<Control*>& controls);

    frmQVOrvalisETMain& m_window;
    FakeSerialPort& m_port;
    FuzzInput& m_in;
    QList<QPushButton*> m_buttons;
    QList<QLineEdit*> m_boxes;
    QList<QAbstractButton*> m_options;
    QList<QComboBox*> m_lists;
    QList<SpinButtons*> m_spinButtons;
    QList<QAction*> m_menuItems;
    QList<QTimer*> m_timers;
    QSet<QWidget*> m_windows;  // the top-level widgets when the controls were collected
    QTabBar* m_tabs = nullptr;
    QList<int> m_handledTypes;  // every reply type with a registered handler
};
