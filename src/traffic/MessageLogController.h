#pragma once

#include "traffic/MessageLogFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CommunicationsLog;
class ProtocolTimer;
struct TrafficSettings;

// What the message log asks the user: a file (the full path, or an empty text when
// cancelled), whether an existing file is written over, and errors to acknowledge.
struct MessageLogQuestions {
    std::function<QString(const QString& title, const QString& startFolder, bool fileMustExist)>
        chooseFile;
    std::function<bool(const QString& fileName)> askToOverwrite;
    std::function<void(const QString& text)> showError;
};

// The message log file as the user drives it: "Save Log To File", "&New" and "&Open".
// While the box is checked every line of the communications log is appended to the
// chosen file; each logging period starts with a "Log Started: " line and ends with
// the closing statistics block. A file that cannot be written is reported once in the
// communications log and logging stops; a file removed while in use is started again.
// A flood of frames logs some 200 lines a second: they are gathered and written at most
// kWriteDelayMs later, in one write, and always before anything else reaches the file.
class MessageLogController : public QObject {
    Q_OBJECT
public:
    static constexpr int kWriteDelayMs = 50;

    // The closing block as it should read now (statistics and "Log Ended: ").
    using ClosingBlock = std::function<QStringList()>;

    MessageLogController(CommunicationsLog& log, TrafficSettings& settings,
                         ClosingBlock closingBlock, MessageLogQuestions questions,
                         QObject* parent = nullptr);

    // Start-up: no file chosen, no logging period open.
    void ClearMessageLogState();
    // Shut-down: a chosen file gets its closing block, whether or not logging is on.
    void WriteLogEndAtShutDown();

    // "Save Log To File" checked or cleared, by the user or by the controller itself.
    void chkSaveLogToFile_Click(bool checked);
    bool bSaveLogToFile() const { return m_bSaveLogToFile; }
    void mnuFileNew_Click();
    void mnuFileOpen_Click();

    QString sLogFileName() const { return m_sLogFileName; }
    // Whether a chosen file's folder is stored for the next run (the command line leaves
    // the store alone unless asked).
    void setRemembersFolder(bool remembers) { m_remembersFolder = remembers; }
    bool bLogStarted() const { return m_bLogStarted; }

signals:
    // "Save Log To File" is now checked or cleared, also where the controller itself
    // cleared it (a cancelled choice, a failed write): a box showing it follows.
    void saveLogToFileChanged(bool checked);

private:
    QString logFilePath() const;
    bool fileChosen() const { return !m_sLogFileName.isEmpty(); }
    // Ends the old file's period if another name replaces it, then takes the new file
    // and remembers its folder.
    void ChooseLogFile(const LogFileLocation& location);
    QString ChooseFileWithDialog(const QString& title, bool fileMustExist) const;
    void ShowError(const QString& text) const;
    // "Invalid file type.  Default file will be used!"
    void RefuseFile();
    bool FolderOfFileExists(const QString& path) const;

    void AppendLine(const QString& line);
    void ScheduleWrite();
    void WritePendingLines();
    void StartLogging();
    void EndLogging();
    void StartRemovedFileAgain(const QStringList& missedLines);
    // False after a failed write, which has been reported and has stopped logging.
    bool Succeeded(const LogFileResult& result);
    void ReportFailure(const QString& description);

    CommunicationsLog& m_log;
    TrafficSettings& m_settings;
    ClosingBlock m_closingBlock;
    MessageLogQuestions m_questions;
    bool m_bSaveLogToFile = false;
    QString m_sLogFileName;
    bool m_bLogStarted = false;
    bool m_reportingFailure = false;  // while set, no line goes to the file
    bool m_remembersFolder = true;
    bool m_shutDown = false;
    QStringList m_pendingLines;                 // logged, not yet in the file
    ProtocolTimer* tmrLogFileWrite = nullptr;  // writes the pending lines
};
