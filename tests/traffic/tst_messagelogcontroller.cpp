// The message log file through the real window: "Save Log To File", "&New", "&Open",
// the lines copied, the closing blocks, and files that cannot be used.
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "ui/widgets/UserPrompts.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/HangGuard.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "traffic/MessageLogFile.h"
#include "ui/CommunicationsLogView.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

const QDateTime kNow(QDate(2005, 8, 29), QTime(14, 3, 22));

QStringList FileLines(const QString& path)
{
    QFile file(path);
    QStringList lines = QString::fromLatin1(file.open(QIODevice::ReadOnly) ? file.readAll() : "")
                            .split("\r\n");
    lines.removeLast();  // after the last CR LF
    return lines;
}

bool WritePlainFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void SendAB(const WindowHarness& w)
{
    w.find<QLineEdit>("txtRFData")->setText("AB");
    w.find<QPushButton>("cmdSendSingleMsg")->click();
}

// The newest `count` lines of the communications log, oldest first (the file's order).
QStringList NewestLines(const WindowHarness& w, int count)
{
    QStringList lines;
    const QStringList shown = w.window->messageList().lines();
    for (int i = count - 1; i >= 0; --i)
        lines << (i < shown.size() ? shown[i] : "<no line>");
    return lines;
}

int LogFileErrorLines(const WindowHarness& w)
{
    return int(w.window->messageList().lines().filter(QRegularExpression("^Log File Error: .")).size());
}

const QString kInvalidFileType = "Error|Invalid file type.  Default file will be used!";

}  // namespace

class TestMessageLogController : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ClearSettingsStore();
        Clock::SetNowForTesting([] { return kNow; });
        m_files.clear();
        m_requests.clear();
        m_dialogs.clear();
        UserPrompts::SetAnswersForTesting(
            {[this](const QString& title, const QString& text) { m_dialogs << title + "|" + text; },
             [this](const QString& title, const QString& text) {
                 m_dialogs << title + "|" + text;
                 return m_overwrite;
             },
             [this](const UserPrompts::FileDialogRequest& request) {
                 m_requests << request;
                 return m_files.isEmpty() ? QString() : m_files.takeFirst();
             }});
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void checkingWithNoFile_opensNew_cancelWritesNothing()
    {
        WindowHarness w;
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests[0].title, QStringLiteral("New"));
        QVERIFY(!w.find<QCheckBox>("chkSaveLogToFile")->isChecked());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    }

    void checkedBox_copiesLines_thenUncheckAndCheckAppendClosingBlockAndStart()
    {
        WindowHarness w;
        w.openPort1();
        m_files << path("run.olf");
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        SendAB(w);
        w.port->feedReceived(BuildFrame(MessageCode::SendRfDataAck, Hex("01 01 00")));
        const CommunicationsLogView& log = w.window->messageList();  // newest on top
        const QStringList body = {log.line(2), log.line(1), log.line(0)};
        QVERIFY2(body[0].isEmpty() && body[1].endsWith("): 01 0A 01 01 02 00 41 42 92 04 ")
                     && body[2].startsWith("TXCVR->Host ("),
                 qPrintable(body.join('\n')));
        QCOMPARE(FileLines(path("run.olf")), header("run.olf") + startLines() + body);
        QCOMPARE(SettingsStore::ReadText("Settings", "File Path", {}), m_dir->path() + "/");

        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(false);
        SendAB(w);  // not copied
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        const QStringList added = FileLines(path("run.olf")).mid(3 + 2 + 3);
        QCOMPARE(added.size(), 30 + 2);
        QCOMPARE(added[1], QStringLiteral("Transceiver Statistics"));
        QCOMPARE(added[16], QStringLiteral("Acks Received    = 1"));
        QCOMPARE(added.mid(24),
                 QStringList({"", "Log Ended: " + m_stamp, "", "", "", ""}) + startLines());
    }

    void newOnExistingFile_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("No keeps the content") << false;
        QTest::newRow("Yes recreates it") << true;
    }
    void newOnExistingFile()
    {
        QFETCH(bool, overwrite);
        QVERIFY(CreateLogFile(path("old.olf"), "old.olf") && AppendToLogFile(path("old.olf"), "old"));
        WindowHarness w;
        m_overwrite = overwrite;
        m_files << path("old.olf");
        w.find<QAction>("mnuFileNew")->trigger();
        QCOMPARE(m_dialogs, QStringList{"Overwrite File|File old.olf already exists.  Overwrite?"});
        const QStringList kept = overwrite ? QStringList() : QStringList{"old"};
        QCOMPARE(FileLines(path("old.olf")), header("old.olf") + kept + startLines());
    }

    // Decision: rather than a default file that exists nowhere, the previous file stays.
    // Devices and FIFOs are refused before they are opened: reading /dev/zero never ends
    // and opening a FIFO waits for a writer that never comes.
    void openNonLogFile_showsError_andKeepsPreviousFile_data()
    {
        QTest::addColumn<QString>("chosen");  // "fifo" is made for the test
        QTest::newRow("text file") << "notes.txt";
        QTest::newRow("/dev/zero") << "/dev/zero";
        QTest::newRow("/dev/full") << "/dev/full";
        QTest::newRow("FIFO") << "fifo";
    }
    void openNonLogFile_showsError_andKeepsPreviousFile()
    {
        QFETCH(QString, chosen);
        QVERIFY(WritePlainFile(path("notes.txt"), "hello\r\n"));
        WindowHarness w;
        w.openPort1();
        m_files << path("run.olf") << specialPath(chosen);
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        {
            const HangGuard guard("File Open");
            w.find<QAction>("mnuFileOpen")->trigger();
        }
        QCOMPARE(m_dialogs, QStringList{kInvalidFileType});
        SendAB(w);
        QCOMPARE(FileLines(path("notes.txt")), QStringList{"hello"});
        QCOMPARE(FileLines(path("run.olf")).size(), 3 + 2 + 2);  // header, start, the new frame
    }

    // "New" never truncates or writes a device or FIFO either; the file in use stays, and
    // with none in use the box is cleared as when the dialog is cancelled.
    void newOnSpecialFile_showsError_andKeepsPreviousFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("whileLogging");
        QTest::newRow("/dev/null, no file yet") << "/dev/null" << false;
        QTest::newRow("/dev/null while logging") << "/dev/null" << true;
        QTest::newRow("FIFO while logging") << "fifo" << true;
    }
    void newOnSpecialFile_showsError_andKeepsPreviousFile()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, whileLogging);
        WindowHarness w;
        w.openPort1();
        if (whileLogging) {
            m_files << path("run.olf");
            w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        }
        m_files << specialPath(chosen);
        {
            const HangGuard guard("File New");
            w.find<QAction>("mnuFileNew")->trigger();
        }
        QCOMPARE(m_dialogs, QStringList{kInvalidFileType});
        QCOMPARE(w.find<QCheckBox>("chkSaveLogToFile")->isChecked(), whileLogging);
        SendAB(w);
        if (whileLogging)
            QCOMPARE(FileLines(path("run.olf")), header("run.olf") + startLines() + NewestLines(w, 2));
        QCOMPARE(LogFileErrorLines(w), 0);
    }

    // The file removed while logging is started again with its header, its loss is reported
    // once, and every line from the first one that missed the file on is kept.
    void removedFile_isStartedAgain_andReportedOnce()
    {
        WindowHarness w;
        w.openPort1();
        m_files << path("run.olf");
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        QVERIFY(QFile::remove(path("run.olf")));
        SendAB(w);
        const QStringList body = NewestLines(w, 5);  // "", three report lines, the frame
        QCOMPARE(body.mid(1, 3), QStringList({"", "Log File Error: run.olf was removed; a new "
                                                  "run.olf was started", ""}));
        QCOMPARE(FileLines(path("run.olf")), header("run.olf") + startLines() + body);

        SendAB(w);
        QVERIFY(w.find<QCheckBox>("chkSaveLogToFile")->isChecked());
        QCOMPARE(LogFileErrorLines(w), 1);
        QCOMPARE(FileLines(path("run.olf")).mid(3 + 2 + 5), NewestLines(w, 2));
    }

    // The old file's closing block fails (its folder is gone); the new file still gets every
    // line and its own closing block.
    void switchingFromFailedFile_logsToNewFile()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("gone"));
        WindowHarness w;
        w.openPort1();
        m_files << path("gone/a.olf") << path("b.olf");
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        QVERIFY(QDir(path("gone")).removeRecursively());
        w.find<QAction>("mnuFileNew")->trigger();
        QCOMPARE(LogFileErrorLines(w), 1);
        QVERIFY(w.find<QCheckBox>("chkSaveLogToFile")->isChecked());

        SendAB(w);
        const QStringList frame = NewestLines(w, 2);
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(false);
        const QStringList lines = FileLines(path("b.olf"));
        QCOMPARE(lines.mid(0, 3 + 2 + 2), header("b.olf") + startLines() + frame);
        QCOMPARE(lines.size(), 3 + 2 + 2 + 30);
        QCOMPARE(lines.at(3 + 2 + 2 + 25), "Log Ended: " + m_stamp);
        QCOMPARE(LogFileErrorLines(w), 1);
    }

    // A stored folder is kept as it is; the dialogs open in the documents folder when it
    // is not there (first run, or a folder of another machine).
    void fileDialogs_openInStoredFolder_orDocumentsWhenItIsGone_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("storedExists");
        QTest::newRow("first run") << QString() << false;
        QTest::newRow("stored and present") << "<temporary>" << true;
        QTest::newRow("stored, another machine's") << "c:\\QVOrvalis\\Log\\" << false;
    }
    void fileDialogs_openInStoredFolder_orDocumentsWhenItIsGone()
    {
        QFETCH(QString, stored);
        QFETCH(bool, storedExists);
        if (stored == "<temporary>")
            stored = m_dir->path() + "/";
        if (!stored.isEmpty())
            SettingsStore::WriteText("Settings", "File Path", stored);
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/";
        {
            WindowHarness w;
            w.find<QAction>("mnuFileOpen")->trigger();
            w.find<QAction>("mnuFileNew")->trigger();
            QCOMPARE(m_requests.size(), 2);
            for (const UserPrompts::FileDialogRequest& request : std::as_const(m_requests))
                QCOMPARE(request.startFolder, storedExists ? stored : documents);
            w.window->close();
        }
        QCOMPARE(SettingsStore::ReadText("Settings", "File Path", {}),
                 stored.isEmpty() ? documents : stored);
    }

    void newFileInMissingFolder_isRefused_andNothingChanges_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folderShown");
        QTest::newRow("no such folder") << "/nonexistent-orvalis/run.olf" << "/nonexistent-orvalis";
        QTest::newRow("under a regular file") << "<temporary>/plain/x.olf" << "<temporary>/plain";
    }
    void newFileInMissingFolder_isRefused_andNothingChanges()
    {
        QFETCH(QString, file);
        QFETCH(QString, folderShown);
        QVERIFY(WritePlainFile(path("plain"), "x"));
        WindowHarness w;
        m_files << file.replace("<temporary>", m_dir->path());
        w.find<QCheckBox>("chkSaveLogToFile")->setChecked(true);
        QCOMPARE(m_dialogs, QStringList{"Error|The folder " + folderShown.replace("<temporary>", m_dir->path())
                                        + " does not exist.  Choose a file in an existing folder."});
        QVERIFY(!w.find<QCheckBox>("chkSaveLogToFile")->isChecked());
        QCOMPARE(LogFileErrorLines(w), 0);
        QCOMPARE(SettingsStore::ReadText("Settings", "File Path", "none"), QStringLiteral("none"));
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    // A device path as it is; "fifo" makes a FIFO in the test's folder; other names are
    // files in that folder.
    QString specialPath(const QString& name) const
    {
        if (name.startsWith('/'))
            return name;
#ifdef Q_OS_UNIX
        if (name == "fifo")
            ::mkfifo(QFile::encodeName(path(name)).constData(), 0600);
#endif
        return path(name);
    }
    static QStringList header(const QString& fileName) { return {kMessageLogHeader, fileName, ""}; }
    QStringList startLines() const { return {"Log Started: " + m_stamp, ""}; }

    const QString m_stamp = LogTimeStamp(kNow);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_files;  // the file dialog's answers, in turn; none left cancels
    bool m_overwrite = false;
    QList<UserPrompts::FileDialogRequest> m_requests;
    QStringList m_dialogs;  // "title|text" of every message and question
};

QTEST_MAIN(TestMessageLogController)
#include "tst_messagelogcontroller.moc"
