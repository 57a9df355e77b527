#include "platform/SettingsStore.h"
#include "support/WindowHarness.h"
#include "ui/WindowPlacement.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QtTest>

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    // The window keeps its size where the screen has room, else shrinks to it; its title
    // bar is never above the screen's top or left of its edge.
    void fitToScreen_data()
    {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("room") << QSize(905, 750) << QRect(0, 0, 1920, 1050) << QRect(507, 164, 905, 750);
        QTest::newRow("1366x768 less a panel") << QSize(905, 750) << QRect(0, 0, 1366, 740)
                                               << QRect(230, 32, 905, 704);
        QTest::newRow("1024x600") << QSize(905, 750) << QRect(0, 0, 1024, 600) << QRect(59, 32, 905, 564);
        QTest::newRow("second screen, panel on top") << QSize(1100, 760) << QRect(1920, 28, 1024, 572)
                                                      << QRect(1924, 60, 1016, 536);
    }
    void fitToScreen()
    {
        QFETCH(QSize, wanted);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(FitWindowToScreen(wanted, QMargins(4, 32, 4, 4), available), expected);
    }

    // Ctrl+Tab / Ctrl+PgDn step forward through the tabs, wrapping; the Shift and PgUp
    // forms step back.
    void pageShortcuts()
    {
        WindowHarness w;
        auto* bar = w.find<QTabBar>("TabStrip1");
        w.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(w.window->focusWidget() ? w.window->focusWidget() : w.window.get(), key,
                            modifiers);
            return w.window->sCurrentTabCaption();
        };
        QCOMPARE(press(Qt::Key_Tab, Qt::ControlModifier), QStringLiteral("RF Settings"));
        QCOMPARE(press(Qt::Key_PageDown, Qt::ControlModifier), QStringLiteral("Statistics"));
        QCOMPARE(press(Qt::Key_PageUp, Qt::ControlModifier), QStringLiteral("RF Settings"));
        QCOMPARE(press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), QStringLiteral("IDs"));
        QCOMPARE(press(Qt::Key_PageUp, Qt::ControlModifier), bar->tabText(bar->count() - 1));
    }

    // A window left as it opened stores nothing; a moved splitter and a resized window are
    // stored at shut-down and come back at the next start.
    void arrangement_storedOnlyWhenChanged_restoredAtStart()
    {
        {
            WindowHarness w;
            w.window->close();
        }
        QCOMPARE(SettingsStore::ReadText("View", "MainWindowGeometry", "none"), QStringLiteral("none"));
        QCOMPARE(SettingsStore::ReadText("View", "SplitterState", "none"), QStringLiteral("none"));
        QList<int> sizes;
        QSize size;
        {
            WindowHarness w;
            auto* splitter = w.find<QSplitter>("splitterControlsLog");
            splitter->setSizes({splitter->sizes().at(0) - 40, splitter->sizes().at(1) + 40});
            emit splitter->splitterMoved(splitter->sizes().at(0), 1);
            w.window->resize(w.window->size() - QSize(20, 30));
            sizes = splitter->sizes();
            size = w.window->size();
            w.window->close();
        }
        WindowHarness w;
        QCOMPARE(w.window->size(), size);
        QCOMPARE(w.find<QSplitter>("splitterControlsLog")->sizes(), sizes);
    }

    // The controls scroll where the window is too small for them; the log keeps its name.
    void smallWindow_controlsScroll()
    {
        WindowHarness w;
        w.window->resize(640, 400);
        auto* scroll = w.find<QScrollArea>("controlsScrollArea");
        QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);
        QCOMPARE(w.find<QWidget>("lstSerialMessages")->accessibleName(), QStringLiteral("Communications Log"));
    }
};

QTEST_MAIN(TestWindowFit)
#include "tst_windowfit.moc"
