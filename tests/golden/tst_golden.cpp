// Scripted sessions of the whole window over the fake port, each compared line by line
// with the trace committed under traces/: the bytes written with their port and rate, the
// communications log, the status panels, chosen labels and the settings stored once the
// window has closed. Reshaping the program must leave them as they are.
// ORVALIS_UPDATE_GOLDEN=1 rewrites the traces.
#include "golden/ScriptedModule.h"
#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "platform/ProtocolTimer.h"
#include "support/SteppingClock.h"
#include "support/WindowHarness.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace {

// One scripted session in virtual time: a window whose start-up runs against `module`.
struct Session {
    VirtualClock clock;  // first: the window's timers run on it
    ScriptedModule module;
    std::unique_ptr<WindowHarness> w;

    Session(int modulePort, const QString& moduleRate, const QSet<int>& ports, const QStringList& refused)
        : module(modulePort, moduleRate)
    {
        w = std::make_unique<WindowHarness>([&](FakeSerialPort& port) {
            port.setOnlyPortsAvailable(ports);
            port.setResponder(module.responder());
            for (const QString& number : refused)
                port.setOpenFailure(number.toInt(), PortOpenFailure::PermissionDenied);
        });
    }

    // One step of a script: "<verb> <argument>".
    void run(const QString& step)
    {
        const QString verb = step.section(' ', 0, 0);
        const QString arg = step.section(' ', 1);
        FakeSerialPort& port = *w->port;
        if (verb == "click") {
            w->find<QAbstractButton>(arg)->click();
        } else if (verb == "type") {
            w->find<QLineEdit>(arg.section('=', 0, 0))->setText(arg.section('=', 1));
        } else if (verb == "wait") {
            clock.advance(arg.toInt());
        } else if (verb == "feed") {
            port.feedReceived(QByteArray::fromHex(arg.toLatin1()));
        } else if (verb == "silence") {
            module.silenceCommand(arg.toInt(nullptr, 16));
        } else if (verb == "cts") {
            port.setClearToSend(arg == "on" ? CtsState::Asserted : CtsState::NotAsserted);
        } else if (verb == "fault") {
            port.injectFault(arg);
        } else if (verb == "ports") {
            port.setOnlyPortsAvailable(arg.isEmpty() ? QSet<int>{} : QSet<int>{arg.toInt()});
        } else if (verb == "at") {  // "at <ms> <step>": the step, that much later in protocol time
            auto* timer = new ProtocolTimer("scenario", &port);
            timer->setSingleShot(true);
            QObject::connect(timer, &ProtocolTimer::timeout, timer, [this, later = arg.section(' ', 1)] { run(later); });
            timer->start(arg.section(' ', 0, 0).toInt());
        } else if (verb == "stopafter") {  // "stopafter <frames> <button>": stops the repetition
            const int frames = arg.section(' ', 0, 0).toInt();
            const QString button = arg.section(' ', 1);
            port.setResponder([this, frames, button, inner = module.responder()](FakeSerialPort& p, const QByteArray& written) {
                inner(p, written);
                if (module.rfDataFramesHeard() == frames)
                    QTimer::singleShot(0, w->window.get(), [this, button] { run("click " + button); });
            });
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }

    QString trace(const QStringList& labels) const
    {
        QStringList out{"== writes"};
        for (const FakeSerialPort::Write& write : w->port->writes())
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
};

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
    void cleanup()
    {
        Clock::SetNowForTesting({});
        Clock::SetRandomSeedForTesting({});
    }

    void traceIsUnchanged_data()
    {
        QTest::addColumn<int>("modulePort");  // the module's port and rate; 0: no module
        QTest::addColumn<QString>("moduleRate");
        QTest::addColumn<QString>("ports");   // the ports with a device: "all" or "1 2 ..."
        QTest::addColumn<QString>("before");  // before the window: "store Section/Key=value", "refuse <port>", "seed <n>"
        QTest::addColumn<QString>("steps");   // Session::run steps, "; " between them
        QTest::addColumn<QString>("labels");
        const QString ids = "txtTransceiverID2 txtNetworkID2 txtSystemID2";
        const QString counters = "lblTestPktsSent lblTestAcksRcvd lblPktSuccessWithAcks lblOverallPktSuccess txtPacketID";
        const auto found = [](const char* name) -> QTestData& { return QTest::newRow(name) << 1 << "19200" << "1"; };
        QTest::newRow("startup_found_port3_38400") << 3 << "38400" << "all" << "" << "" << "";
        QTest::newRow("startup_stored_port5_57600") << 5 << "57600" << "all"
            << "store Properties/COMPort=5; store Properties/BaudRate=57600" << "" << "";
        QTest::newRow("startup_nothing_found") << 0 << "19200" << "1 2" << "" << "" << "";
        QTest::newRow("startup_port_refused") << 0 << "19200" << "1 2" << "refuse 2" << "" << "";
        found("ids_get_and_set") << "" << "click cmdGetIDs; wait 50; type txtNetworkID2=7; click cmdSetIDs; wait 50" << ids;
        found("sleep_then_wake") << "" << "click cmdSleep2; wait 50; click cmdGetFirmwareVersion; wait 100; "
                                          "click cmdGetFirmwareVersion; wait 50" << "lblVersion lblFirmwareDate lblCopyright";
        found("clear_to_send_late_then_never") << "" << "cts off; at 300 cts on; click cmdGetIDs; wait 400; cts off; "
                                                        "click cmdGetFirmwareVersion; wait 1200" << ids;
        // Get IDs is dropped: a request is outstanding.
        found("response_timeout_and_drop") << "" << "silence 15; click cmdGetFirmwareVersion; click cmdGetIDs; wait 700" << "";
        found("baudrate_acknowledged") << "" << "click optTransceiverBaudrate2; click cmdSetTransceiverBaudrate; "
                                                "wait 2300; click cmdGetIDs; wait 50" << "";
        found("baudrate_ack_lost") << "" << "silence 19; click optTransceiverBaudrate3; click cmdSetTransceiverBaudrate; wait 700" << "";
        found("baudrate_port_lost_in_pause") << "" << "click optTransceiverBaudrate2; at 400 fault Input/output error; "
                                                      "click cmdSetTransceiverBaudrate; wait 2300" << "";
        found("reprovision_on_status_report") << "" << "feed 01078400018D04; wait 300" << ids;
        found("single_repetition_with_failures") << "" << "type txtRFData=AB; type txtPacketID=7; stopafter 5 cmdSendSingleRepeatedMsg; "
                                                          "click cmdSendSingleRepeatedMsg; wait 800" << counters;
        found("random_repetition_with_failures") << "seed 12345" << "stopafter 4 cmdSendRandomRepeatedMsg; "
                                                  "click cmdSendRandomRepeatedMsg; wait 700" << counters + " txtRFData";
        found("testmode_on_readback_off") << "" << "click optTestModeEnabled; wait 50; click cmdGetRegisters; wait 50; "
                                                   "click cmdSetRegisters; wait 50; click optTestModeDisabled; wait 50" << "txtTCOUNT";
        // Nothing goes out while the port is closed.
        found("unplug_and_replug") << "" << "ports ; fault The serial device was disconnected; click cmdGetIDs; wait 700; "
                                            "ports 1; wait 700; click cmdGetIDs; wait 50" << "";
    }
    void traceIsUnchanged()
    {
        QFETCH(int, modulePort);
        QFETCH(QString, moduleRate);
        QFETCH(QString, ports);
        QFETCH(QString, before);
        QFETCH(QString, steps);
        QFETCH(QString, labels);
        QSet<int> available;
        for (const QString& number : (ports == "all" ? "1 2 3 4 5 6 7 8" : ports).split(' '))
            available << number.toInt();
        QStringList refused;
        for (const QString& step : before.split("; ", Qt::SkipEmptyParts)) {
            const QString arg = step.section(' ', 1);
            if (step.startsWith("store "))
                SettingsStore::WriteText(arg.section('/', 0, 0), arg.section('/', 1).section('=', 0, 0), arg.section('=', 1));
            else if (step.startsWith("refuse "))
                refused << arg;
            else
                Clock::SetRandomSeedForTesting([seed = arg.toUInt()] { return seed; });
        }
        Session session(modulePort, moduleRate, available, refused);
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts))
            session.run(step);
        const QString actual = session.trace(labels.split(' ', Qt::SkipEmptyParts));
        const QString path = QStringLiteral(ORVALIS_GOLDEN_DIR "/%1.txt").arg(QTest::currentDataTag());
        QFile file(path);
        if (qEnvironmentVariableIsSet("ORVALIS_UPDATE_GOLDEN")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(actual.toUtf8());
            return;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path + " is missing"));
        const QString expected = QString::fromUtf8(file.readAll());
        QVERIFY2(expected == actual, qPrintable(FirstDifference(expected, actual)));
    }
};

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
