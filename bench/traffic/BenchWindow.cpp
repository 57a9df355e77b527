#include "BenchWindow.h"

#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "ui/widgets/UserPrompts.h"
#include "support/SimulatorProcess.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QCheckBox>
#include <QFile>
#include <QWindow>

#include <sys/resource.h>

void PrepareBenchEnvironment(const QTemporaryDir& home)
{
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORVALIS_SIM"))
        qputenv("ORVALIS_SIM", ORVALIS_SIM_PATH);
}

int DurationSeconds(int argc, char** argv, int defaultSeconds)
{
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    return seconds > 0 ? seconds : defaultSeconds;
}

namespace {

void PointPortsNowhere(int from)
{
    for (int p = from; p <= 8; ++p)
        PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
}

}  // namespace

std::unique_ptr<frmQVOrvalisETMain> WindowOnSimulator(const SimulatorProcess& sim)
{
    PointPortAt(1, sim.linkPath());
    PointPortsNowhere(2);
    auto window = std::make_unique<frmQVOrvalisETMain>();
    WaitWhileProcessingEvents([&] { return window->isStartUpFinished(); }, 30000);
    return window;
}

std::unique_ptr<frmQVOrvalisETMain> WindowOpenedOnSimulator(const SimulatorProcess& sim,
                                                            const QString& rate)
{
    PointPortsNowhere(1);
    auto window = std::make_unique<frmQVOrvalisETMain>();
    WaitWhileProcessingEvents([&] { return window->isStartUpFinished(); }, 30000);
    PointPortAt(1, sim.linkPath());
    SerialPort& port = window->link().port();
    if (port.selectPort(1) && port.setParameters(PortParameters(rate)))
        port.open();
    return window;
}

bool ShowOnScreen(frmQVOrvalisETMain& window)
{
    window.show();
    return WaitWhileProcessingEvents(
        [&] { return window.windowHandle() && window.windowHandle()->isExposed(); }, 5000);
}

void SaveLogTo(frmQVOrvalisETMain& window, const QString& logFile)
{
    UserPrompts::TestAnswers answers;
    answers.onChooseFile = [logFile](const UserPrompts::FileDialogRequest&) { return logFile; };
    UserPrompts::SetAnswersForTesting(answers);
    window.findChild<QCheckBox*>(QStringLiteral("chkSaveLogToFile"))->setChecked(true);
}

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

ResidentMemory ProcessResidentMemory()
{
    ResidentMemory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return memory;
    const auto kibToMib = [](const QByteArray& line) {
        return line.simplified().split(' ').value(1).toDouble() / 1024.0;
    };
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            memory.nowMiB = kibToMib(line);
        else if (line.startsWith("VmHWM:"))
            memory.peakMiB = kibToMib(line);
    }
    return memory;
}
