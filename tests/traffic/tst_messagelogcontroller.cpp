// The message log file as "Save Log To File", "New" and "Open" drive it, without a
// window: lines copied, periods opened and closed, and files that cannot be used.
#include "platform/Clock.h"
#include "platform/ProtocolTimer.h"
#include "platform/SettingsStore.h"
#include "support/HangGuard.h"
#include "support/LinkHarness.h"
#include "traffic/MessageLogController.h"
#include "traffic/TrafficSettings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QDateTime kNow(QDate(2005, 8, 29), QTime(14, 3, 22));
const QString kStart = "Log Started: " + LogTimeStamp(kNow);

QStringList FileLines(const QString& path)
{
    QFile file(path);
    QStringList lines = QString::fromLatin1(file.open(QIODevice::ReadOnly) ? file.readAll() : "")
                            .split("\r\n");
    lines.removeLast();  // after the last CR LF
    return lines;
}

}  // namespace

class TestMessageLogController : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle).clear();
        Clock::SetNowForTesting([] { return kNow; });
        m_log.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = TrafficSettings();
        m_files.clear();
        m_asked.clear();
        m_h = std::make_unique<LinkHarness>();
        const auto choose = [this](const QString& title, const QString& folder, bool mustExist) {
            m_asked << QString("%1 %2 %3").arg(title, folder).arg(int(mustExist));
            return m_files.isEmpty() ? QString() : m_files.takeFirst();
        };
        const auto keep = [this](const QString& name) { return m_asked << name, false; };
        m_log = std::make_unique<MessageLogController>(
            m_h->link.log(), m_settings, [] { return QStringList{"", "end"}; },
            MessageLogQuestions{choose, keep, [this](const QString& text) { m_asked << text; }});
    }

    // With no file yet, checking the box asks for a new one; cancelled, the box clears.
    void checkedBox_copiesLines_andEachPeriodEndsWithTheClosingBlock()
    {
        m_log->chkSaveLogToFile_Click(true);
        QVERIFY(!m_log->bSaveLogToFile());
        m_files << path("run.olf");
        m_log->chkSaveLogToFile_Click(true);
        line("one");
        m_log->chkSaveLogToFile_Click(false);
        line("not copied");
        m_log->chkSaveLogToFile_Click(true);
        line("two");
        m_log->WriteLogEndAtShutDown();
        QCOMPARE(FileLines(path("run.olf")),
                 header("run.olf") + QStringList({"one", "", "end", kStart, "", "two", "", "end"}));
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(m_asked, QStringList(2, "New " + documents + "/ 0"));
        QCOMPARE(SettingsStore::ReadText("Settings", "File Path", {}), m_dir->path() + "/");
    }

    // "No" to writing over an existing file keeps its content; the period is appended.
    void newOnExistingFile_keepsItsContent()
    {
        QVERIFY(CreateLogFile(path("old.olf"), "old.olf") && AppendToLogFile(path("old.olf"), "old"));
        m_files << path("old.olf");
        m_log->mnuFileNew_Click();
        QCOMPARE(m_asked.mid(1), QStringList{"old.olf"});
        QCOMPARE(FileLines(path("old.olf")), QStringList({kMessageLogHeader, "old.olf", "", "old", kStart, ""}));
    }

    // Devices and FIFOs are refused before they are opened (reading /dev/zero never ends,
    // opening a FIFO waits for a writer); the file in use stays.
    void unusableFile_isRefused_andThePreviousFileStays_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Open, not a log") << true << "empty.olf";
        QTest::newRow("Open, /dev/zero") << true << "/dev/zero";
        QTest::newRow("Open, FIFO") << true << "fifo";
        QTest::newRow("New, /dev/null") << false << "/dev/null";
        QTest::newRow("New, FIFO") << false << "fifo";
    }
    void unusableFile_isRefused_andThePreviousFileStays()
    {
        QFETCH(bool, open);
        QFETCH(QString, chosen);
        QVERIFY(QFile(path("empty.olf")).open(QIODevice::WriteOnly));
        ::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600);
        m_files << path("run.olf") << (chosen.startsWith('/') ? chosen : path(chosen));
        m_log->chkSaveLogToFile_Click(true);
        {
            const HangGuard guard("choosing the file");
            open ? m_log->mnuFileOpen_Click() : m_log->mnuFileNew_Click();
        }
        QCOMPARE(m_asked.last(), QStringLiteral("Invalid file type.  Default file will be used!"));
        line("after");
        m_clock.advance(MessageLogController::kWriteDelayMs);
        QCOMPARE(FileLines(path("run.olf")), header("run.olf") + QStringList{"after"});
        QCOMPARE(QFileInfo(path("empty.olf")).size(), qint64(0));
    }

    void typedName_withoutExtension_getsOlf_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("existing");  // message log files made first
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("taken");
        QTest::newRow("New, no extension") << false << "" << "run" << "run.olf";
        QTest::newRow("New, own extension") << false << "" << "run.log" << "run.log";
        QTest::newRow("Open, no extension") << true << "run.olf" << "run" << "run.olf";
        QTest::newRow("Open, file there without one") << true << "run run.olf" << "run" << "run";
    }
    void typedName_withoutExtension_getsOlf()
    {
        QFETCH(bool, open);
        QFETCH(QString, existing);
        QFETCH(QString, chosen);
        QFETCH(QString, taken);
        for (const QString& name : existing.split(' ', Qt::SkipEmptyParts))
            QVERIFY(CreateLogFile(path(name), name));
        m_files << path(chosen);
        open ? m_log->mnuFileOpen_Click() : m_log->mnuFileNew_Click();
        QCOMPARE(m_log->sLogFileName(), taken);
        QCOMPARE(QFileInfo::exists(path(chosen)), chosen == taken);
    }

    // The file removed while logging is started again, and its loss is reported after the
    // line that missed it. A file that cannot be written clears the box; the report goes
    // to the communications log only, once.
    void removedFile_isStartedAgain_unwritableFileEndsLogging()
    {
        m_files << path("run.olf");
        m_log->chkSaveLogToFile_Click(true);
        QVERIFY(QFile::remove(path("run.olf")));
        line("missed");
        line(QString::fromLatin1("n\xE9xt"));  // Latin-1 in the file
        m_clock.advance(MessageLogController::kWriteDelayMs);
        QCOMPARE(FileLines(path("run.olf")),
                 header("run.olf") + QStringList({"missed", "", "Log File Error: run.olf was removed; a new "
                                                  "run.olf was started", "", QString::fromLatin1("n\xE9xt")}));
        QVERIFY(QFile::remove(path("run.olf")) && QDir(m_dir->path()).mkdir("run.olf"));
        line("fails");
        m_clock.advance(MessageLogController::kWriteDelayMs);
        QVERIFY(!m_log->bSaveLogToFile());
        QCOMPARE(int(m_h->lines().filter("Log File Error: ").size()), 2);
    }

    // The program never makes folders; another machine's stored folder is kept.
    void newFileInMissingFolder_isRefused()
    {
        m_settings.sLogFilePath = "c:\\QVOrvalis\\Log\\";
        m_files << "/nonexistent-orvalis/run.olf";
        m_log->chkSaveLogToFile_Click(true);
        QCOMPARE(m_asked.last(), QStringLiteral("The folder /nonexistent-orvalis does not exist.  "
                                                "Choose a file in an existing folder."));
        QVERIFY(!m_log->bSaveLogToFile());
        QCOMPARE(m_settings.sLogFilePath, QStringLiteral("c:\\QVOrvalis\\Log\\"));
    }

private:
    VirtualClock m_clock;  // the gathered lines reach the file as it advances
    QString path(const QString& name) const { return m_dir->filePath(name); }
    void line(const QString& text) { m_h->link.log().AddToMessageList(text); }
    static QStringList header(const QString& name) { return {kMessageLogHeader, name, "", kStart, ""}; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LinkHarness> m_h;
    TrafficSettings m_settings;
    std::unique_ptr<MessageLogController> m_log;
    QStringList m_files;  // the file dialog's answers, in turn; none left cancels
    QStringList m_asked;  // every question and message, in turn
};

QTEST_GUILESS_MAIN(TestMessageLogController)
#include "tst_messagelogcontroller.moc"
