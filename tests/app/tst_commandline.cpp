#include "app/CommandLine.h"
#include "app/SignalCloser.h"
#include "link/Discovery.h"
#include "link/PortDeviceMap.h"
#include "support/HangGuard.h"
#include "support/WindowHarness.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QWidget>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>

using Action = CommandLineOutcome::Action;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("QV Orvalis Evaluation Tool"));
        QCoreApplication::setApplicationVersion(QStringLiteral("2.1"));
    }
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("text");  // a part of the text shown; for Run: "<port>|<rate>"
        const int run = int(Action::Run), fail = int(Action::Fail);
        QTest::newRow("nothing") << QStringList{} << run << "|";
        QTest::newRow("port device and rate") << QStringList{"--port=/dev/ttyUSB0", "--baud", "38400"} << run
                                              << "/dev/ttyUSB0|38400";
        QTest::newRow("help") << QStringList{"--help"} << int(Action::ShowHelp) << "--port <DEVICE|N>";
        QTest::newRow("version") << QStringList{"--version"} << int(Action::ShowVersion)
                                 << "orvalis-et (QV Orvalis Evaluation Tool) 2.1\n";
        QTest::newRow("unknown option") << QStringList{"--fast"} << fail << "Unknown option 'fast'";
        QTest::newRow("port 9") << QStringList{"--port", "9"} << fail << "'9'";
        QTest::newRow("port only a line break") << QStringList{"--port", "\n"} << fail << "not '\\n'";
        QTest::newRow("rate not a host rate") << QStringList{"--baud", "115200"} << fail
                                              << "--baud takes one of 9600, 19200, 38400, 57600, not '115200'";
    }
    // A bad command line exits with 2 and is followed by the usage.
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, text);
        const CommandLineOutcome outcome = ParseCommandLine(QStringList{"orvalis-et"} + arguments);
        QCOMPARE(int(outcome.action), action);
        QCOMPARE(outcome.exitCode, outcome.action == Action::Fail ? 2 : 0);
        if (outcome.action == Action::Run)
            QCOMPARE(outcome.options.port + '|' + outcome.options.baudRate, text);
        else
            QVERIFY2(outcome.text.contains(text)
                         && (action != int(Action::Fail) || outcome.text.contains("Try 'orvalis-et --help'")),
                     qPrintable(outcome.text));
    }
    void programWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");  // the start of stdout
        QTest::addColumn<QString>("err");  // all of stderr
        const QString tryHelp = "Try 'orvalis-et --help' for more information.\n";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: orvalis-et [options]\n" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "orvalis-et (QV Orvalis Evaluation Tool) 2.1\n" << "";
        QTest::newRow("bad option") << QStringList{"--fast"} << 2 << "" << "orvalis-et: Unknown option 'fast'.\n" + tryHelp;
        QTest::newRow("line break in option") << QStringList{"--fa\nst"} << 2 << ""
                                              << "orvalis-et: Unknown option 'fa\\nst'.\n" + tryHelp;
        QTest::newRow("toolkit option, then a bad one") << QStringList{"-platform", "offscreen", "--baud=1"} << 2 << ""
                                                        << "orvalis-et: --baud takes one of 9600, 19200, 38400, 57600, not '1'\n" + tryHelp;
    }
    // The installed program, started from a terminal with no window system.
    void programWithoutDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        const QTemporaryDir runtime;  // else the toolkit warns on stderr where it has none
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(ORVALIS_ET_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(30000));
        const QString shownOut = program.readAllStandardOutput(), shownErr = program.readAllStandardError();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        QVERIFY2(out.isEmpty() ? shownOut.isEmpty() : shownOut.startsWith(out), qPrintable(shownOut));
        QCOMPARE(shownErr, err);
    }
    void signalBurstUnread_neverBlocks_andClosesWindow_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    // Signals keep coming while the event loop is busy (shutting down, exporting): the handler
    // must neither block on its full pipe nor change errno under the code it interrupted, and
    // the window still closes once the loop runs again.
    void signalBurstUnread_neverBlocks_andClosesWindow()
    {
        QFETCH(int, signalNumber);
        QWidget window;
        window.setObjectName(QStringLiteral("frmQVOrvalisETMain"));
        window.show();
        const SignalCloser closer;
        {
            const HangGuard guard("a burst of unread signals");
            for (int i = 0; i < 2000; ++i)
                std::raise(signalNumber);
            errno = ENOTDIR;
            std::raise(signalNumber);  // the pipe is full: this write fails
            QCOMPARE(errno, ENOTDIR);
        }
        QVERIFY(window.isVisible());
        QTRY_VERIFY(!window.isVisible());
    }
    void portThatCannotHoldAModule_statusSaysWhy_data()
    {
        QTest::addColumn<QString>("device");  // made in a temporary folder: "fifo"
        QTest::addColumn<QString>("reason");  // after "Status: No transceiver detected — "
        QTest::newRow("/dev/null") << "/dev/null" << "/dev/null is not a serial port.";
        QTest::newRow("fifo") << "fifo" << "<fifo> is not a serial port.";
        QTest::newRow("line break and escape in a missing path")
            << "/nonexistent/tty\nUSB0\x1b[2J" << "/nonexistent/tty\\nUSB0\\x1b[2J does not exist.";
    }
    // As `orvalis-et --port <device>` starts: the search looks at that device only.
    void portThatCannotHoldAModule_statusSaysWhy()
    {
        QFETCH(QString, device);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        if (device == "fifo") {
            device = folder.filePath("fifo");
            QCOMPARE(mkfifo(QFile::encodeName(device).constData(), 0600), 0);
            reason.replace("<fifo>", device);
        }
        const CommandLineOutcome command = ParseCommandLine({"orvalis-et", "--port", device});
        frmQVOrvalisETMain window(StartupSearchScope(command.options));
        QVERIFY(StartUpEnded(window));
        QCOMPARE(window.statusPanelText(1), QStringLiteral("Comm Port: None"));
        QCOMPARE(window.statusPanelText(3), "Status: No transceiver detected — " + reason);
    }
};


QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
