#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Before a window is first shown the window manager has not told its frame yet: assume a
// usual title bar and border, so that the title bar does not land above the screen.
QMargins FrameOf(const QWidget& window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    if (outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    return {4, 32, 4, 4};
}

QRect AvailableArea(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

QRect FitWindowToScreen(const QSize& wanted, const QMargins& frame, const QRect& available)
{
    const QSize room = (available - frame).size();
    const QSize size = wanted.boundedTo(room).expandedTo(QSize(1, 1));
    const int outerWidth = size.width() + frame.left() + frame.right();
    const int outerHeight = size.height() + frame.top() + frame.bottom();
    const int left = available.left() + std::max(0, (available.width() - outerWidth) / 2);
    const int top = available.top() + std::max(0, (available.height() - outerHeight) / 2);
    return {QPoint(left + frame.left(), top + frame.top()), size};
}

void PlaceOnScreen(QWidget& window, const QSize& wanted)
{
    const QRect available = AvailableArea(window);
    if (available.isEmpty()) {
        window.resize(wanted);
        return;
    }
    window.setGeometry(FitWindowToScreen(wanted.expandedTo(window.minimumSizeHint()),
                                         FrameOf(window), available));
}

void KeepOnScreen(QWidget& window)
{
    const QRect available = AvailableArea(window);
    const QMargins frame = FrameOf(window);
    const QRect inner = window.geometry();
    if (available.isEmpty() || (available - frame).contains(inner))
        return;
    window.setGeometry(FitWindowToScreen(inner.size(), frame, available));
}
