#include "WindowScript.h"

#include "FireTimer.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ui/widgets/SpinButtons.h"
#include "link/LinkSession.h"
#include "support/FakeSerialPort.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

#include <algorithm>

namespace {

// 0x01, LEN, type, payload, CHK, 0x04 with the sum of the bytes before CHK as CHK.
QByteArray ReplyFrame(int type, const QByteArray& payload)
{
    QByteArray frame;
    frame.append('\x01');
    frame.append(static_cast<char>(payload.size() + 5));
    frame.append(static_cast<char>(type));
    frame.append(payload);
    unsigned sum = 0;
    for (char c : frame)
        sum += static_cast<unsigned char>(c);
    frame.append(static_cast<char>(sum & 0xFF));
    frame.append('\x04');
    return frame;
}

// Mostly what numeric boxes expect (exponents too), with some of what they must refuse.
constexpr char kTypedCharacters[] = "0123456789012345678-+ .eEaAfFxZ";

// Left out: the items that open a modal window, which would wait for a user, and
// "E&xit", which would end the input early.
const QStringList kMenuItemsLeftOut{QStringLiteral("mnuCommPort"), QStringLiteral("mnuHelpAbout"),
                                    QStringLiteral("mnuFileClose")};

template <typename Control>
QList<Control*> Named(const QWidget& window)
{
    QList<Control*> named;
    for (Control* control : window.findChildren<Control*>())
        if (!control->objectName().isEmpty())
            named << control;
    return named;
}

bool IsDescendant(const QObject* object, const QObject* ancestor)
{
    for (const QObject* o = object->parent(); o; o = o->parent())
        if (o == ancestor)
            return true;
    return false;
}

bool IsReachable(const QWidget* control)
{
    return control->isVisible() && control->isEnabled();
}

bool IsReachable(const QAction* item)
{
    return item->isVisible() && item->isEnabled();
}

}  // namespace

WindowScript::WindowScript(frmQVOrvalisETMain& window, FakeSerialPort& port, FuzzInput& input)
    : m_window(window), m_port(port), m_in(input)
{
    m_tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    const MessageDispatcher& dispatcher = window.link().receive().dispatcher();
    for (int type = 129; type <= 175; ++type)
        if (dispatcher.hasHandler(type))
            m_handledTypes << type;
    collectControlsOfNewWindows();
}

// The main window's controls first, then those of windows of their own, in the order
// of their names, so that an input plays the same controls every time.
void WindowScript::collectControlsOfNewWindows()
{
    QWidgetList windows = QApplication::topLevelWidgets();
    const QSet<QWidget*> now(windows.cbegin(), windows.cend());
    if (now == m_windows)
        return;
    m_windows = now;
    forgetControls();
    collectControls(m_window);
    windows.removeIf([this](QWidget* w) { return w == &m_window || IsDescendant(w, &m_window); });
    std::sort(windows.begin(), windows.end(),
              [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
    for (QWidget* window : std::as_const(windows))
        collectControls(*window);
}

void WindowScript::forgetControls()
{
    m_buttons.clear();
    m_boxes.clear();
    m_options.clear();
    m_lists.clear();
    m_spinButtons.clear();
    m_menuItems.clear();
    m_timers.clear();
}

void WindowScript::collectControls(const QWidget& window)
{
    m_buttons += Named<QPushButton>(window);
    m_boxes += Named<QLineEdit>(window);
    QList<QAbstractButton*> options = Named<QAbstractButton>(window);
    // Push buttons are clicked on their own; the arrows of up/down buttons are stepped
    // through their SpinButtons.
    options.removeIf([](QAbstractButton* b) {
        return qobject_cast<QPushButton*>(b) || qobject_cast<SpinButtons*>(b->parentWidget());
    });
    m_options += options;
    m_lists += Named<QComboBox>(window);
    m_spinButtons += Named<SpinButtons>(window);
    for (QAction* item : Named<QAction>(window))
        if (!item->isSeparator() && !kMenuItemsLeftOut.contains(item->objectName()))
            m_menuItems << item;
    for (QTimer* timer : Named<QTimer>(window))
        if (timer->objectName().startsWith(QLatin1String("tmr")))
            m_timers << timer;
}

void WindowScript::run()
{
    while (!m_in.atEnd()) {
        act();
        QCoreApplication::processEvents();
        FuzzRequire(m_window.messageList().lineCount() <= CommunicationsLog::kCapacity,
                    "the communications log keeps at most its capacity of lines");
    }
}

void WindowScript::act()
{
    collectControlsOfNewWindows();
    switch (m_in.below(12)) {
    case 0:
    case 1:
    case 2:
        sendReply();
        break;
    case 3:
        sendGarbage();
        break;
    case 4:
    case 5:
        clickButton();
        break;
    case 6:
    case 7:
        typeIntoBox();
        break;
    case 8:
        switchTab();
        break;
    case 9:
        useOtherControl();
        break;
    case 10:
        letTimePass();
        break;
    default:
        portEvent();
        break;
    }
}

// A well-formed frame, so that its handler runs, of a type with a handler (mostly) or
// any type the host accepts, with any payload up to the longest frame.
void WindowScript::sendReply()
{
    const int choice = m_in.byte();
    const int type = choice < 224 && !m_handledTypes.isEmpty()
                         ? m_handledTypes[choice % m_handledTypes.size()]
                         : 129 + choice % 47;
    const QByteArray payload = m_in.bytes(m_in.below(42));
    deliver(ReplyFrame(type, payload));
}

void WindowScript::sendGarbage()
{
    deliver(m_in.bytes(m_in.below(48) + 1));
}

// In one notification or split in two at a point the input chooses.
void WindowScript::deliver(const QByteArray& bytes)
{
    const int split = m_in.below(static_cast<int>(bytes.size()) + 1);
    if (split > 0 && split < bytes.size()) {
        m_port.feedReceived(bytes.left(split));
        m_port.feedReceived(bytes.mid(split));
    } else {
        m_port.feedReceived(bytes);
    }
}

// Among the controls a user could reach now: shown on the current page and enabled.
template <typename Control>
Control* WindowScript::pick(const QList<Control*>& controls)
{
    QList<Control*> reachable;
    for (Control* control : controls)
        if (IsReachable(control))
            reachable << control;
    const int index = m_in.byte();
    return reachable.isEmpty() ? nullptr : reachable[index % reachable.size()];
}

void WindowScript::clickButton()
{
    if (QPushButton* button = pick(m_buttons))
        button->click();
}

// Focus, select all (or add to what is there), type a few characters, then maybe Enter,
// leave the box or take a character back.
void WindowScript::typeIntoBox()
{
    QLineEdit* box = pick(m_boxes);
    const int length = m_in.below(16);
    QString text;
    for (int i = 0; i < length; ++i)
        text += QLatin1Char(kTypedCharacters[m_in.below(sizeof kTypedCharacters - 1)]);
    const int choice = m_in.below(8);
    const bool append = choice >= 4;
    const int ending = choice % 4;
    if (!box || box->isReadOnly())
        return;
    box->setFocus();
    if (append)
        box->end(false);
    else
        box->selectAll();
    QTest::keyClicks(box, text);
    if (ending == 1)
        QTest::keyClick(box, Qt::Key_Return);
    else if (ending == 2)
        box->clearFocus();
    else if (ending == 3)
        QTest::keyClick(box, Qt::Key_Backspace);
}

void WindowScript::switchTab()
{
    const int index = m_in.byte();
    if (m_tabs && m_tabs->count() > 0 && m_tabs->isEnabled())
        m_tabs->setCurrentIndex(index % m_tabs->count());
}

// A check box or option button clicked, an entry chosen in a list, a step of the
// up/down buttons beside a box, or a menu item (whose file dialogs and questions the
// input answers).
void WindowScript::useOtherControl()
{
    switch (m_in.below(4)) {
    case 0:
        if (QAbstractButton* option = pick(m_options))
            option->click();
        break;
    case 1:
        if (QComboBox* list = pick(m_lists)) {
            const int index = m_in.byte();
            if (list->count() > 0)
                list->setCurrentIndex(index % list->count());
        }
        break;
    case 2:
        if (SpinButtons* spin = pick(m_spinButtons)) {
            if (m_in.below(2) == 0)
                spin->stepUp();
            else
                spin->stepDown();
        }
        break;
    default:
        if (QAction* item = pick(m_menuItems))
            item->trigger();
        break;
    }
}

// One of the program's running timers ticks as if its interval were over.
void WindowScript::letTimePass()
{
    QList<QTimer*> running;
    for (QTimer* timer : std::as_const(m_timers))
        if (timer->isActive())
            running << timer;
    const int index = m_in.byte();
    if (!running.isEmpty())
        FireTimer(*running[index % running.size()]);
}

void WindowScript::portEvent()
{
    switch (m_in.below(6)) {
    case 0:
        m_port.raiseOverflow();
        break;
    case 1:
        if (m_port.isOpen())
            m_port.injectFault(QStringLiteral("Input/output error"));
        break;
    case 2:
        if (!m_port.isOpen()) {  // plugged in again and opened as the settings dialog would
            m_port.setOnlyPortsAvailable({1});
            m_port.selectPort(1);
            m_port.open();
        }
        break;
    case 3:
        m_port.setClearToSend(CtsState::NotAsserted);
        break;
    case 4:
        m_port.setClearToSend(CtsState::Asserted);
        break;
    default:
        m_port.setClearToSend(CtsState::Unknown);
        break;
    }
}
