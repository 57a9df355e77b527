#pragma once

#include "platform/ProtocolTimer.h"
#include "platform/SettingsStore.h"
#include "support/FakeSerialPort.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QSettings>
#include <QTest>
#include <QStringList>

#include <memory>

// Empties the test's own settings store (each test has a private one).
inline void ClearSettingsStore()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle).clear();
}

// Start-up's search runs from the event loop once the window is up; true when it has
// ended within the time.
inline bool StartUpEnded(frmQVOrvalisETMain& window, int timeoutMs = 30000)
{
    if (VirtualClock* clock = VirtualClock::current()) {
        for (int waited = 0; !window.isStartUpFinished() && waited < timeoutMs; waited += 10)
            clock->advance(10);
        return window.isStartUpFinished();
    }
    return QTest::qWaitFor([&] { return window.isStartUpFinished(); }, timeoutMs);
}

// A main window over a fake port, once its start-up has ended; by default no port opens,
// so start-up finds nothing at once. `prepare` may set the fake up before the window's start-up runs.
struct WindowHarness {
    FakeSerialPort* port;
    std::unique_ptr<frmQVOrvalisETMain> window;

    explicit WindowHarness(const std::function<void(FakeSerialPort&)>& prepare = {},
                           const SearchScope& startupSearch = {})
        : port(new FakeSerialPort)
    {
        port->setOnlyPortsAvailable({});
        if (prepare)
            prepare(*port);
        window = std::make_unique<frmQVOrvalisETMain>(std::unique_ptr<SerialPort>(port),
                                                      startupSearch);
        // The search runs from the event loop once the window is up.
        if (!StartUpEnded(*window))
            qWarning("the window's start-up did not end");
    }

    template <typename T>
    T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }

    // Opens port 1 once start-up is over and clears the records, so a test sees only
    // what its own actions write.
    void openPort1()
    {
        port->setOnlyPortsAvailable({1});
        port->selectPort(1);
        port->open();
        port->clearRecords();
    }

    // The text of a named label, box or button.
    QString text(const QString& name) const
    {
        const QWidget* control = find<QWidget>(name);
        return control ? control->property("text").toString() : "<no control " + name + ">";
    }
};
