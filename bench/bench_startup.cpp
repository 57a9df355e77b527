// Start-up: time from process start to the window's first expose, for the tool and for a
// bare Qt window built by this same program, and their ratio. The tool is started with
// no serial port, and with eight ports that never answer (the longest search). Each case
// runs in fresh processes; the median of several runs is printed. Asserts nothing.
//
// Usage: bench_startup [runs] [--this-display]
//   Without a display it runs itself again under Xvfb: offscreen, every window is
//   "exposed" at once and the figures would mean nothing.
#include "XvfbRerun.h"
#include "platform/SettingsStore.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QExposeEvent>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

qint64 MonotonicMs()
{
    QElapsedTimer now;
    now.start();
    return now.msecsSinceReference();
}

// Notes when the first window of the program reaches the screen.
class FirstExposeWatch : public QObject {
public:
    qint64 exposedAtMs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (exposedAtMs < 0 && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed())
                exposedAtMs = MonotonicMs();
        }
        return false;
    }
};

// What a plain Qt application of the same shape shows: tabs, a list, four buttons.
void ShowBareWindow(QMainWindow& window)
{
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    auto* tabs = new QTabWidget(central);
    for (const char* caption : {"IDs", "RF Settings", "Statistics", "Test Settings", "Comm"})
        tabs->addTab(new QWidget(tabs), QLatin1String(caption));
    layout->addWidget(tabs);
    layout->addWidget(new QListWidget(central));
    for (int i = 1; i <= 4; ++i)
        layout->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i), central));
    window.setCentralWidget(central);
    window.resize(905, 750);
    window.show();
}

int RunChild(int argc, char* argv[], const QString& mode)
{
    QApplication app(argc, argv);
    FirstExposeWatch watch;
    app.installEventFilter(&watch);
    if (mode == QLatin1String("bare")) {
        QMainWindow window;
        ShowBareWindow(window);
        while (watch.exposedAtMs < 0)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        std::printf("%lld %lld\n", watch.exposedAtMs, MonotonicMs());
        return 0;
    }
    frmQVOrvalisETMain window;  // shows itself, then searches from the event loop
    while (!window.isStartUpFinished())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    std::printf("%lld %lld\n", watch.exposedAtMs, MonotonicMs());
    return 0;
}

// A pseudo-terminal nobody answers on: every probe of the search waits its full time.
struct SilentPort {
    int master = -1;
    QString device;
    SilentPort()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        termios raw{};
        tcgetattr(master, &raw);
        cfmakeraw(&raw);
        tcsetattr(master, TCSANOW, &raw);
        device = QString::fromLocal8Bit(ptsname(master));
    }
    ~SilentPort()
    {
        if (master >= 0)
            ::close(master);
    }
};

struct Timing {
    qint64 toExposeMs = -1;
    qint64 toSearchEndMs = -1;
};

Timing RunOnce(const QString& mode, const QString& portDevice)
{
    QTemporaryDir settings;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
    child.setProcessEnvironment(environment);
    {
        QSettings store(settings.filePath(SettingsStore::kApplicationTitle + QStringLiteral(".conf")),
                        QSettings::IniFormat);
        for (int p = 1; p <= 8; ++p)
            store.setValue(QStringLiteral("Ports/COM%1").arg(p), portDevice);
    }
    const qint64 startedAtMs = MonotonicMs();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    if (!child.waitForFinished(60000))
        return {};
    const QList<QByteArray> times = child.readAllStandardOutput().trimmed().split(' ');
    if (times.size() != 2)
        return {};
    return {times[0].toLongLong() - startedAtMs, times[1].toLongLong() - startedAtMs};
}

Timing Median(const QString& mode, const QString& portDevice, int runs)
{
    QList<Timing> all;
    for (int i = 0; i < runs; ++i)
        all << RunOnce(mode, portDevice);
    std::sort(all.begin(), all.end(),
              [](const Timing& a, const Timing& b) { return a.toExposeMs < b.toExposeMs; });
    return all.at(all.size() / 2);
}

QByteArray StatusField(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(static_cast<int>(qstrlen(name))).trimmed();
    return {};
}

int Measure(int runs)
{
    const SilentPort silent;
    const Timing bare = Median(QStringLiteral("bare"), QStringLiteral("/nonexistent/port"), runs);
    const Timing noPort = Median(QStringLiteral("tool"), QStringLiteral("/nonexistent/port"), runs);
    const Timing silentPorts = Median(QStringLiteral("tool"), silent.device, runs);
    std::printf("Start-up on %s, median of %d runs, ms from process start\n",
                qPrintable(QGuiApplication::platformName()), runs);
    std::printf("  %-34s %8s %8s %6s\n", "", "expose", "ready", "ratio");
    const auto row = [&bare](const char* name, const Timing& t) {
        std::printf("  %-34s %8lld %8lld %6.2f\n", name, t.toExposeMs, t.toSearchEndMs,
                    bare.toExposeMs > 0 ? double(t.toExposeMs) / double(bare.toExposeMs) : 0.0);
    };
    row("bare Qt window", bare);
    row("tool, no serial port", noPort);
    row("tool, eight ports that never answer", silentPorts);
    std::printf("  target: the tool's expose within 1.5 times the bare window's\n");
    std::printf("  resident memory of this program: %s\n", StatusField("VmRSS:").constData());
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv, QString::fromLatin1(argv[2]));
    int runs = 5;
    bool thisDisplay = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--this-display") == 0)
            thisDisplay = true;
        else
            runs = std::max(1, std::atoi(argv[i]));
    }
    if (!thisDisplay && qEnvironmentVariableIsEmpty("DISPLAY")) {
        QCoreApplication app(argc, argv);
        return RerunUnderXvfb({QStringLiteral("--this-display"), QString::number(runs)}) == 0 ? 0 : 1;
    }
    QApplication app(argc, argv);
    return Measure(runs);
}
