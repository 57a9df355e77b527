#pragma once

#include <QObject>
#include <QString>

class QThread;
class QWidget;
class SessionHistory;

// "Export Communications Log...": asks for a file and writes the whole session history
// into it as CSV. A full history (100,000 lines) takes the better part of a second to
// write, so a copy of it, taken when the file is chosen (it shares the history's full
// blocks: a few pointers), is written on a thread of its own while the window goes on
// reading the serial port and drawing. Where it goes is settled by ConfirmExportTarget
// (".csv" added, folders refused, the user asked before a file is written over); a
// failed write says so in a message box.
class CommunicationsLogExport : public QObject {
    Q_OBJECT
public:
    CommunicationsLogExport(const SessionHistory& history, QWidget* dialogParent);
    // Waits for a file still being written.
    ~CommunicationsLogExport() override;

    // Starts an export; the file dialog opens in `startFolder`.
    void mnuFileExportLog_Click(const QString& startFolder);
    bool isWriting() const { return m_writer != nullptr; }

signals:
    // The export asked for has ended: written, failed (after its message), or given up.
    void finished();

private:
    QString ChooseTargetFile(const QString& startFolder) const;
    void StartWriting(const QString& path);
    void OnWritten(const QString& path, const QString& failure);

    const SessionHistory& m_history;
    QWidget* m_dialogParent;
    QThread* m_writer = nullptr;
};
