#include "traffic/MessageLogController.h"

#include "link/CommunicationsLog.h"
#include "platform/ExportFileName.h"
#include "platform/ProtocolTimer.h"
#include "platform/SettingsStore.h"
#include "traffic/TrafficSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <utility>

namespace {

// A name typed without an extension names a message log file: ".olf" is added, as an
// export adds its own. Opening takes a file that is there under the name it has.
QString LogFileName(const QString& chosen, bool fileMustExist)
{
    const PathHolds holds = WhatPathHolds(chosen);
    if (chosen.isEmpty() || (fileMustExist && holds != PathHolds::Nothing))
        return chosen;
    return ExportFileName(chosen, QStringLiteral("olf"), holds);
}

}  // namespace

MessageLogController::MessageLogController(CommunicationsLog& log, TrafficSettings& settings,
                                           ClosingBlock closingBlock,
                                           MessageLogQuestions questions, QObject* parent)
    : QObject(parent),
      m_log(log),
      m_settings(settings),
      m_closingBlock(std::move(closingBlock)),
      m_questions(std::move(questions))
{
    tmrLogFileWrite = new ProtocolTimer("tmrLogFileWrite", this);
    tmrLogFileWrite->setSingleShot(true);
    tmrLogFileWrite->setInterval(kWriteDelayMs);
    connect(tmrLogFileWrite, &ProtocolTimer::timeout, this, &MessageLogController::WritePendingLines);
    m_log.setLineAddedHook([this](const QString& line) { AppendLine(line); });
}

void MessageLogController::ClearMessageLogState()
{
    m_sLogFileName.clear();
    m_bLogStarted = false;
    m_pendingLines.clear();
    tmrLogFileWrite->stop();
}

void MessageLogController::WriteLogEndAtShutDown()
{
    m_shutDown = true;
    if (fileChosen())
        EndLogging();
}

void MessageLogController::chkSaveLogToFile_Click(bool checked)
{
    if (checked == m_bSaveLogToFile)
        return;  // the box following the controller's own change
    m_bSaveLogToFile = checked;
    emit saveLogToFileChanged(checked);
    if (m_reportingFailure)
        return;  // the box is being cleared after a failed write: nothing more to write
    if (checked) {
        if (fileChosen())
            StartLogging();
        else
            mnuFileNew_Click();
    } else if (fileChosen()) {
        EndLogging();
    }
}

// Lines logged before the click are in the old file, whatever the choice.
void MessageLogController::mnuFileNew_Click()
{
    WritePendingLines();
    const QString path = ChooseFileWithDialog(QStringLiteral("New"), false);
    if (path.isEmpty() || !FolderOfFileExists(path)) {
        chkSaveLogToFile_Click(false);
        return;
    }
    if (IsSpecialFile(path)) {
        RefuseFile();
        if (!fileChosen())
            chkSaveLogToFile_Click(false);  // as when the dialog is cancelled
        return;
    }
    const LogFileLocation location = SplitLogFilePath(path);
    bool keepContent = false;
    if (FileExists(path))
        keepContent = m_questions.askToOverwrite && !m_questions.askToOverwrite(location.fileName);
    if (location.fileName != m_sLogFileName || location.folder != m_settings.sLogFilePath)
        ChooseLogFile(location);
    if (!keepContent && !Succeeded(CreateLogFile(logFilePath(), m_sLogFileName)))
        return;
    StartLogging();
}

// Opening writes nothing; lines follow once the box is checked. A file that is not a
// message log (devices and FIFOs included) is refused and the previous choice stays.
void MessageLogController::mnuFileOpen_Click()
{
    WritePendingLines();
    const QString path = ChooseFileWithDialog(QStringLiteral("Open"), true);
    if (path.isEmpty())
        return;
    const LogFileLocation location = SplitLogFilePath(path);
    if (location.fileName == m_sLogFileName && location.folder == m_settings.sLogFilePath)
        return;
    if (!IsMessageLogFile(path)) {
        RefuseFile();
        return;
    }
    ChooseLogFile(location);
}

// A new file is only made in a folder that is there: the program never makes folders.
bool MessageLogController::FolderOfFileExists(const QString& path) const
{
    const QFileInfo file(path);
    if (file.absoluteDir().exists())
        return true;
    ShowError(QStringLiteral("The folder %1 does not exist.  Choose a file in an existing folder.")
                  .arg(QDir::toNativeSeparators(file.absolutePath())));
    return false;
}

void MessageLogController::RefuseFile()
{
    ShowError(QStringLiteral("Invalid file type.  Default file will be used!"));
}

void MessageLogController::ShowError(const QString& text) const
{
    if (m_questions.showError)
        m_questions.showError(text);
}

// A file of the same name in another folder does not close the old file's period.
void MessageLogController::ChooseLogFile(const LogFileLocation& location)
{
    WritePendingLines();
    if (fileChosen() && m_sLogFileName != location.fileName && m_bLogStarted)
        EndLogging();
    m_sLogFileName = location.fileName;
    m_settings.sLogFilePath = location.folder;
    if (m_remembersFolder)
        SettingsStore::WriteText(QStringLiteral("Settings"), QStringLiteral("File Path"),
                                 location.folder);
}

QString MessageLogController::ChooseFileWithDialog(const QString& title,
                                                   bool fileMustExist) const
{
    // A stored folder that has gone (another machine's path, a removed drive) is kept,
    // but the dialog opens where the user's documents are.
    const QString startFolder = QDir(m_settings.sLogFilePath).exists() ? m_settings.sLogFilePath
                                                                       : DefaultLogFolder();
    return m_questions.chooseFile
               ? LogFileName(m_questions.chooseFile(title, startFolder, fileMustExist), fileMustExist)
               : QString();
}

QString MessageLogController::logFilePath() const
{
    return m_settings.sLogFilePath + m_sLogFileName;
}

void MessageLogController::AppendLine(const QString& line)
{
    if (m_reportingFailure || !m_bSaveLogToFile || !fileChosen())
        return;
    m_pendingLines << line;
    ScheduleWrite();
}

// Past shut-down the event loop may end before the delay would: lines go out at once.
void MessageLogController::ScheduleWrite()
{
    if (m_shutDown)
        WritePendingLines();
    else if (!m_pendingLines.isEmpty() && !tmrLogFileWrite->isActive())
        tmrLogFileWrite->start();
}

void MessageLogController::WritePendingLines()
{
    tmrLogFileWrite->stop();
    if (m_pendingLines.isEmpty())
        return;
    const QStringList lines = std::exchange(m_pendingLines, {});
    const LogFileResult result = AppendToLogFile(logFilePath(), lines);
    if (result.fileMissing)
        StartRemovedFileAgain(lines);
    else
        Succeeded(result);
}

void MessageLogController::StartLogging()
{
    WritePendingLines();
    const LogFileResult result = WriteLogStart(logFilePath());
    if (result.fileMissing)
        StartRemovedFileAgain({});
    else if (Succeeded(result))
        m_bLogStarted = true;
}

// A failed closing block leaves the box as it is: when another file replaces this one,
// logging goes on in the new file.
void MessageLogController::EndLogging()
{
    WritePendingLines();
    m_bLogStarted = false;
    const LogFileResult result = WriteLogEnd(logFilePath(), m_closingBlock());
    if (!result)
        ReportFailure(result.error);
}

// The chosen file was removed behind the program's back. A new file of the same name gets
// its header and start line and then the first line that missed the old one; the loss is
// reported after it and the other missed lines follow the report, as when each line was
// written on its own.
void MessageLogController::StartRemovedFileAgain(const QStringList& missedLines)
{
    const QString path = logFilePath();
    if (!Succeeded(CreateLogFile(path, m_sLogFileName)) || !Succeeded(WriteLogStart(path)))
        return;
    m_bLogStarted = true;
    if (!missedLines.isEmpty() && !Succeeded(AppendToLogFile(path, missedLines.first())))
        return;
    m_log.LogStatusMessage(QStringLiteral("Log File Error: ") + m_sLogFileName
                           + QStringLiteral(" was removed; a new ") + m_sLogFileName
                           + QStringLiteral(" was started"));
    m_pendingLines << missedLines.mid(1);
    WritePendingLines();
}

// A file that cannot be written stops logging: the box is cleared, without the closing
// block its handler would write, and the failure is reported once.
bool MessageLogController::Succeeded(const LogFileResult& result)
{
    if (result)
        return true;
    m_bLogStarted = false;
    m_pendingLines.clear();
    tmrLogFileWrite->stop();
    {
        const QScopedValueRollback<bool> noFileWrites(m_reportingFailure, true);
        chkSaveLogToFile_Click(false);
    }
    ReportFailure(result.error);
    return false;
}

// The report goes to the communications log only: the file that just failed is not
// offered its lines.
void MessageLogController::ReportFailure(const QString& description)
{
    const QScopedValueRollback<bool> noFileWrites(m_reportingFailure, true);
    m_log.LogStatusMessage(QStringLiteral("Log File Error: ") + description);
}
