// Scripted sessions of the whole window over the fake port, each compared line by line
// with the trace committed under traces/: the bytes written with their port and rate, the
// communications log, the status panels, chosen labels and the settings stored once the
// window has closed. Reshaping
// the program must leave them as they are. ORVALIS_UPDATE_GOLDEN=1 rewrites the traces.
#include "golden/ScriptedModule.h"
#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "platform/ProtocolTimer.h"
#include "support/SteppingClock.h"
#include "support/WindowHarness.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

using Prepare = std::function<void(FakeSerialPort&)>;

// One scripted session in virtual time: a window whose start-up runs against `module`.
struct Session {
    VirtualClock clock;  // first: the window's timers run on it
    ScriptedModule module;
    std::unique_ptr<WindowHarness> w;

    Session(int modulePort, const QString& moduleRate, const QSet<int>& ports, const Prepare& prepare = {})
        : module(modulePort, moduleRate)
    {
        w = std::make_unique<WindowHarness>([&](FakeSerialPort& port) {
            port.setOnlyPortsAvailable(ports);
            port.setResponder(module.responder());
            if (prepare)
                prepare(port);
        });
    }

    FakeSerialPort& port() const { return *w->port; }
    void click(const char* name) const { w->find<QAbstractButton>(name)->click(); }
    void type(const char* name, const QString& text) const { w->find<QLineEdit>(name)->setText(text); }
    void feed(const char* hex) const { w->port->feedReceived(QByteArray::fromHex(QByteArray(hex).replace(' ', ""))); }
    void wait(int ms) { clock.advance(ms); }
    // Runs `action` `ms` from now, in protocol time.
    void at(int ms, std::function<void()> action)
    {
        auto* timer = new ProtocolTimer("scenario", w->port);
        timer->setSingleShot(true);
        QObject::connect(timer, &ProtocolTimer::timeout, timer, std::move(action));
        timer->start(ms);
    }

    // Stops the running repetition once the module has heard `frames` RF data frames.
    void stopRepetitionAfter(int frames, const char* button)
    {
        port().setResponder([this, frames, button, inner = module.responder()](
                                FakeSerialPort& p, const QByteArray& written) {
            inner(p, written);
            if (module.rfDataFramesHeard() == frames)
                QTimer::singleShot(0, w->window.get(), [this, button] { click(button); });
        });
    }

    QString trace(const QStringList& labels) const;
};

QString Session::trace(const QStringList& labels) const
{
    QStringList out{"== writes"};
    for (const FakeSerialPort::Write& write : port().writes())
        out << QStringLiteral("%1 %2: %3").arg(write.port).arg(write.parameters.section(',', 0, 0),
                                                   HexText(write.bytes).trimmed());
    out << "== log";
    const SessionHistory& history = w->window->link().log().history();
    for (int i = 0; i < history.size(); ++i)
        out << LogLineText(history.at(i).line);
    out << "== panels";
    for (int panel = 1; panel <= 3; ++panel)
        out << w->window->statusPanelText(panel);
    out << "== labels";
    for (const QString& name : labels)
        out << name + '=' + w->text(name);
    out << "== stored at shut-down";
    w->window->close();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle);
    QStringList keys = store.allKeys();
    keys.sort();
    for (const QString& key : keys)  // the home folder differs from machine to machine
        out << key + '=' + store.value(key).toString().replace(QDir::homePath(), "~");
    return out.join('\n') + '\n';
}

const QSet<int> kAllPorts{1, 2, 3, 4, 5, 6, 7, 8};
const QStringList kCounters{"lblTestPktsSent", "lblTestAcksRcvd", "lblPktSuccessWithAcks",
                            "lblOverallPktSuccess", "txtPacketID"};
const QStringList kIds{"txtTransceiverID2", "txtNetworkID2", "txtSystemID2"};

// A module on port 1 at 19200, found there at start-up.
std::unique_ptr<Session> FoundOnPort1(const Prepare& prepare = {})
{
    return std::make_unique<Session>(1, "19200", QSet<int>{1}, prepare);
}

using Scenario = std::function<QString()>;

QMap<QString, Scenario> Scenarios()
{
    QMap<QString, Scenario> s;
    s["startup_found_port3_38400"] = [] {
        Session session(3, "38400", kAllPorts);
        return session.trace({});
    };
    s["startup_stored_port5_57600"] = [] {
        SettingsStore::WriteNumber("Properties", "COMPort", 5);
        SettingsStore::WriteText("Properties", "BaudRate", "57600");
        Session session(5, "57600", kAllPorts);
        return session.trace({});
    };
    s["startup_nothing_found"] = [] {
        Session session(0, "19200", {1, 2});
        return session.trace({});
    };
    s["startup_port_refused"] = [] {
        Session session(0, "19200", {1, 2}, [](FakeSerialPort& port) {
            port.setOpenFailure(2, PortOpenFailure::PermissionDenied);
        });
        return session.trace({});
    };
    s["ids_get_and_set"] = [] {
        auto s = FoundOnPort1();
        s->click("cmdGetIDs");
        s->wait(50);
        s->type("txtNetworkID2", "7");
        s->click("cmdSetIDs");
        s->wait(50);
        return s->trace(kIds);
    };
    s["sleep_then_wake"] = [] {
        auto s = FoundOnPort1();
        s->click("cmdSleep2");
        s->wait(50);
        s->click("cmdGetFirmwareVersion");
        s->wait(100);
        s->click("cmdGetFirmwareVersion");
        s->wait(50);
        return s->trace({"lblVersion", "lblFirmwareDate", "lblCopyright"});
    };
    s["clear_to_send_late_then_never"] = [] {
        auto s = FoundOnPort1();
        s->port().setClearToSend(CtsState::NotAsserted);
        s->at(300, [&] { s->port().setClearToSend(CtsState::Asserted); });
        s->click("cmdGetIDs");
        s->wait(400);
        s->port().setClearToSend(CtsState::NotAsserted);
        s->click("cmdGetFirmwareVersion");
        s->wait(1200);
        return s->trace(kIds);
    };
    s["response_timeout_and_drop"] = [] {
        auto s = FoundOnPort1();
        s->module.silenceCommand(MessageCode::QueryFirmwareVersion);
        s->click("cmdGetFirmwareVersion");
        s->click("cmdGetIDs");  // dropped: a request is outstanding
        s->wait(700);
        return s->trace({});
    };
    s["baudrate_acknowledged"] = [] {
        auto s = FoundOnPort1();
        s->click("optTransceiverBaudrate2");
        s->click("cmdSetTransceiverBaudrate");
        s->wait(2300);
        s->click("cmdGetIDs");
        s->wait(50);
        return s->trace({});
    };
    s["baudrate_ack_lost"] = [] {
        auto s = FoundOnPort1();
        s->module.silenceCommand(MessageCode::SetBaudrate);
        s->click("optTransceiverBaudrate3");
        s->click("cmdSetTransceiverBaudrate");
        s->wait(700);
        return s->trace({});
    };
    s["baudrate_port_lost_in_pause"] = [] {
        auto s = FoundOnPort1();
        s->click("optTransceiverBaudrate2");
        s->at(400, [&] { s->port().injectFault("Input/output error"); });
        s->click("cmdSetTransceiverBaudrate");
        s->wait(2300);
        return s->trace({});
    };
    s["reprovision_on_status_report"] = [] {
        auto s = FoundOnPort1();
        s->feed("01 07 84 00 01 8D 04");
        s->wait(300);
        return s->trace(kIds);
    };
    s["single_repetition_with_failures"] = [] {
        auto s = FoundOnPort1();
        s->type("txtRFData", "AB");
        s->type("txtPacketID", "7");
        s->stopRepetitionAfter(5, "cmdSendSingleRepeatedMsg");
        s->click("cmdSendSingleRepeatedMsg");
        s->wait(800);
        return s->trace(kCounters);
    };
    s["random_repetition_with_failures"] = [] {
        Clock::SetRandomSeedForTesting([] { return 12345u; });
        auto s = FoundOnPort1();
        s->stopRepetitionAfter(4, "cmdSendRandomRepeatedMsg");
        s->click("cmdSendRandomRepeatedMsg");
        s->wait(700);
        Clock::SetRandomSeedForTesting({});
        return s->trace(kCounters + QStringList{"txtRFData"});
    };
    s["testmode_on_readback_off"] = [] {
        auto s = FoundOnPort1();
        s->click("optTestModeEnabled");
        s->wait(50);
        s->click("cmdGetRegisters");
        s->wait(50);
        s->click("cmdSetRegisters");
        s->wait(50);
        s->click("optTestModeDisabled");
        s->wait(50);
        return s->trace({"txtTCOUNT"});
    };
    s["unplug_and_replug"] = [] {
        auto s = FoundOnPort1();
        s->port().setOnlyPortsAvailable({});
        s->port().injectFault("The serial device was disconnected");
        s->click("cmdGetIDs");  // nothing goes out with the port closed
        s->wait(700);
        s->port().setOnlyPortsAvailable({1});
        s->wait(700);
        s->click("cmdGetIDs");
        s->wait(50);
        return s->trace({});
    };
    return s;
}

QString TracePath(const QString& name)
{
    return QStringLiteral(ORVALIS_GOLDEN_DIR "/%1.txt").arg(name);
}

// The first line where the two differ, both sides shown.
QString FirstDifference(const QString& expected, const QString& actual)
{
    const QStringList e = expected.split('\n');
    const QStringList a = actual.split('\n');
    for (int i = 0; i < std::max(e.size(), a.size()); ++i)
        if (e.value(i) != a.value(i))
            return QStringLiteral("line %1:\n  expected: %2\n  actual:   %3").arg(i + 1).arg(e.value(i), a.value(i));
    return {};
}

}  // namespace

class TestGolden : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ClearSettingsStore();
        PinClockStepping(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    }
    void cleanup() { Clock::SetNowForTesting({}); }

    void traceIsUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : Scenarios().keys())
            QTest::newRow(qPrintable(name)) << name;
    }
    void traceIsUnchanged()
    {
        QFETCH(QString, name);
        const QString actual = Scenarios().value(name)();
        QFile file(TracePath(name));
        if (qEnvironmentVariableIsSet("ORVALIS_UPDATE_GOLDEN")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(actual.toUtf8());
            return;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(TracePath(name) + " is missing"));
        const QString expected = QString::fromUtf8(file.readAll());
        QVERIFY2(expected == actual, qPrintable(FirstDifference(expected, actual)));
    }
};

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
