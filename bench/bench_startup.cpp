// Start-up of the tool with no module present: time from process start to the main
// window shown, and resident memory afterwards. Prints figures; asserts nothing.
#include "platform/SettingsStore.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

namespace {

// Seconds since boot at which this process started, from /proc (10 ms resolution).
double ProcessStartSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields[19].toDouble() / sysconf(_SC_CLK_TCK) : -1;
}

double UptimeSeconds()
{
    QFile uptime(QStringLiteral("/proc/uptime"));
    return uptime.open(QIODevice::ReadOnly) ? uptime.readAll().split(' ').value(0).toDouble() : -1;
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

}  // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    // No module anywhere: every port number names a device that does not exist.
    for (int p = 1; p <= 8; ++p)
        SettingsStore::WriteText("Ports", QStringLiteral("COM%1").arg(p), "/nonexistent/port");

    frmQVOrvalisETMain window;
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();

    const double fromProcessStart = UptimeSeconds() - ProcessStartSeconds();
    std::printf("start-up to main window shown: %.0f ms since process start (10 ms resolution), "
                "%lld ms since main()\n",
                fromProcessStart * 1000.0, static_cast<long long>(sinceMain.elapsed()));
    std::printf("resident memory after start-up: %s (peak %s)\n", StatusField("VmRSS:").constData(),
                StatusField("VmHWM:").constData());
    return 0;
}
