#pragma once

#include "config/ValueColours.h"
#include "protocol/Frame.h"
#include "support/WindowHarness.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>
#include <QByteArray>
#include <QList>
#include <QtTest>

#include <memory>

// The main window over a fake port that is open on port 1 at 19200, with its records
// cleared, so a test sees only the frames its own actions write.
inline std::unique_ptr<WindowHarness> WindowWithOpenPort(
    const std::function<void(FakeSerialPort&)>& prepare = {})
{
    auto w = std::make_unique<WindowHarness>([&](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({1});
        if (prepare)
            prepare(port);
    });
    w->port->selectPort(1);
    w->port->setParameters(QStringLiteral("19200,N,8,1"));
    w->port->open();
    w->port->clearRecords();
    return w;
}

// "01 05 03 09 04" -> bytes.
inline QByteArray Hex(const QString& text)
{
    return QByteArray::fromHex(text.toLatin1().replace(' ', ""));
}

// Every write as hex text ("01 05 03 09 04"), so a failing comparison prints both sides.
inline QStringList WrittenFrames(const FakeSerialPort& port)
{
    QStringList frames;
    for (const FakeSerialPort::Write& write : port.writes())
        frames << HexText(write.bytes).trimmed();
    return frames;
}

// "pending", "confirmed" or "ordinary": the text colour a control shows.
inline QString ColourOf(const QWidget* control)
{
    const QColor colour = TextColour(control);
    return colour == PendingColour()     ? QStringLiteral("pending")
           : colour == ConfirmedColour() ? QStringLiteral("confirmed")
                                         : QStringLiteral("ordinary");
}

// Clicks near the left edge: check boxes and option buttons only take clicks on their
// indicator and caption, not anywhere in their rectangle.
inline void Click(QAbstractButton* button)
{
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Shows the window with the tab of this caption selected, so its page takes keyboard
// input as a user's would.
inline void ShowTab(WindowHarness& w, const QString& caption)
{
    w.window->show();
    auto* tabs = w.find<QTabBar>(QStringLiteral("TabStrip1"));
    QVERIFY(tabs);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == caption)
            tabs->setCurrentIndex(i);
    QCOMPARE(w.window->sCurrentTabCaption(), caption);
}

// Replaces a box's text as a user does: select all, type.
inline void TypeInto(QLineEdit* box, const QString& keys)
{
    QVERIFY(box);
    box->setFocus();
    box->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, keys);
}
