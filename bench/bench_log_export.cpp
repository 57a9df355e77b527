// What "Export Communications Log..." costs the GUI thread before the writing thread
// takes over, with a full session history (100,000 lines, as long sessions have):
// once while the history is still filling and once after it has started dropping
// its oldest lines. The file dialog is answered at once, so what is timed is the
// program's own share: from the menu click until the click returns to the event loop.
// Prints the first (cold) export, then the shortest, median and longest of the
// others, the GUI thread's share of ending the export (when the writing thread and
// what it wrote from are let go), and how long the file took to write; then the same
// spread for the copy of the history alone, the snapshot the writing thread gets.
// Usage: bench_log_export [exports]
#include "link/SessionHistory.h"
#include "ui/widgets/UserPrompts.h"
#include "protocol/MessageCatalogue.h"
#include "ui/CommunicationsLogExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A Received RF Data Message of 18 data bytes, about the mean of a flood, and the
// frame that a repetition sends before it.
const QByteArray kRfDataFrame =
    QByteArray::fromHex("011C94070100000000112233445566778899AABBCCDDEEFF0011C404");
const QByteArray kSendFrame = QByteArray::fromHex("0109010702004104");

// Lines as a repetition logs them: a separator, the frame sent, the module's answer.
void Fill(SessionHistory& history, int lines)
{
    const QString sent = GetTransmittedMessageName(MessageCode::SendRfData);
    const QString received = GetReceivedMessageName(MessageCode::ReceivedRfData);
    QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < lines; ++i, now = now.addMSecs(1)) {
        if (i % 3 == 0)
            history.append(now, LogLine::Status(QString()));
        else if (i % 3 == 1)
            history.append(now, LogLine::Frame(LineDirection::HostToModule, sent, kSendFrame,
                                               i % 256));
        else
            history.append(now, LogLine::Frame(LineDirection::ModuleToHost, received, kRfDataFrame,
                                               i % 256));
    }
}

struct ExportTimes {
    std::vector<double> clickMs;    // the GUI thread's share, in the order of the exports
    std::vector<double> releaseMs;  // the GUI thread letting go of the writing thread
    std::vector<double> writtenMs;  // from the click until the file was written
};

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

ExportTimes TimeExports(const SessionHistory& history, const QString& folder, int exports)
{
    CommunicationsLogExport exporter(history, nullptr);
    ExportTimes times;
    for (int i = 0; i < exports; ++i) {
        QFile::remove(QDir(folder).filePath(QStringLiteral("session.csv")));
        QElapsedTimer timer;
        timer.start();
        exporter.mnuFileExportLog_Click(folder);
        times.clickMs.push_back(timer.nsecsElapsed() / 1e6);
        while (exporter.isWriting())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.writtenMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        times.releaseMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    return times;
}

// The first of `times` (cold), then the shortest, median and longest of the others.
void PrintSpread(const char* what, std::vector<double> times)
{
    const double first = times.front();
    std::sort(times.begin() + 1, times.end());
    std::printf("  %-12s first %8.3f ms, then %8.3f / %8.3f / %8.3f ms (min/median/max of %d)\n",
                what, first, times[1], times[times.size() / 2], times.back(),
                static_cast<int>(times.size() - 1));
}

std::vector<double> CopyTimes(const SessionHistory& history, int copies)
{
    std::vector<double> ms;
    for (int i = 0; i < copies; ++i) {
        QElapsedTimer timer;
        timer.start();
        const SessionHistory snapshot = history;
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

void Report(const char* what, const SessionHistory& history, const QString& folder, int exports)
{
    const ExportTimes times = TimeExports(history, folder, exports);
    std::printf("%s, %d lines: GUI thread\n", what, history.size());
    PrintSpread("export click", times.clickMs);
    PrintSpread("copy alone", CopyTimes(history, exports));
    std::printf("  letting go %.3f ms (median); file written in %.1f ms (median)\n",
                Median(times.releaseMs), Median(times.writtenMs));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int exports = argc > 1 ? std::max(2, QByteArray(argv[1]).toInt()) : 20;
    QTemporaryDir folder;
    UserPrompts::TestAnswers answers;
    answers.onChooseFile = [&folder](const UserPrompts::FileDialogRequest&) {
        return folder.filePath(QStringLiteral("session.csv"));
    };
    UserPrompts::SetAnswersForTesting(answers);

    SessionHistory history;
    Fill(history, history.capacity());
    Report("Full, nothing dropped yet", history, folder.path(), exports);
    Fill(history, history.capacity() / 2 + 7);
    Report("Full, the oldest dropping", history, folder.path(), exports);
    return 0;
}
