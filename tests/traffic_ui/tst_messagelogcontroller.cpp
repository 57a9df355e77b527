// The message log file through the real window: "Save Log To File", "&New", "&Open",
// the lines copied, the closing blocks, and files that cannot be used.
#include "TrafficWindow.h"

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompts.h"
#include "traffic/MessageLogFile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QDateTime kNow(QDate(2005, 8, 29), QTime(14, 3, 22));

// The dialogs, answered from scripts and recorded.
struct Prompts {
    QStringList fileAnswers;  // one per file dialog; "" cancels
    bool overwrite = false;
    QList<UserPrompts::FileDialogRequest> fileRequests;
    QStringList questions;    // "title|text"
    QStringList messages;     // "title|text"

    void install()
    {
        UserPrompts::TestAnswers answers;
        answers.onChooseFile = [this](const UserPrompts::FileDialogRequest& request) {
            fileRequests << request;
            return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
        };
        answers.onQuestion = [this](const QString& title, const QString& text) {
            questions << title + "|" + text;
            return overwrite;
        };
        answers.onMessage = [this](const QString& title, const QString& text) {
            messages << title + "|" + text;
        };
        UserPrompts::SetAnswersForTesting(answers);
    }
};

QStringList FileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {"<cannot read " + path + ">"};
    QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // after the last line's CR LF
    return lines;
}

QString StartLine()
{
    return "Log Started: " + Clock::ShortTimeText(kNow) + " " + Clock::ShortDateText(kNow);
}

QString EndLine()
{
    return "Log Ended: " + Clock::ShortTimeText(kNow) + " " + Clock::ShortDateText(kNow);
}

QStringList Header(const QString& fileName)
{
    return {"QV Orvalis Message Log", fileName, ""};
}

// The start of a logging period: its line and an empty one.
QStringList StartLines()
{
    return {StartLine(), QString()};
}

QCheckBox* SaveBox(const TrafficWindow& w)
{
    return w.find<QCheckBox>("chkSaveLogToFile");
}

void SendAB(TrafficWindow& w)
{
    auto* box = w.find<QLineEdit>("txtRFData");
    box->setText("AB");
    w.click("cmdSendSingleMsg");
}

int ErrorLines(const TrafficWindow& w)
{
    int count = 0;
    for (const QString& line : w.logLines())
        count += line.startsWith("Log File Error: ") ? 1 : 0;
    return count;
}

}  // namespace

class TestMessageLogController : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveLogToFile_sitsRightOfTheLogCaption();
    void checkingWithNoFile_opensNew_cancelWritesNothing();
    void checkedBox_copiesLogLinesOldestFirst();
    void uncheckAndCheck_appendClosingBlockThenNewStart();
    void newFromMenu_whileUnchecked_writesOnlyItsStartLine();
    void newOnExistingFile_data();
    void newOnExistingFile();
    void openNonLogFile_showsError_andKeepsPreviousFile();
    void openLogFile_endsOldPeriod_andTakesTheLines();
    void sameNameInAnotherFolder_leavesOldFileOpen();
    void unwritableFile_isReportedOnce_andUnticksTheBox_data();
    void unwritableFile_isReportedOnce_andUnticksTheBox();
    void closingWindow_writesClosingBlockWheneverAFileWasChosen();

private:
    Prompts m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name) const { return m_dir->filePath(name); }
};

void TestMessageLogController::init()
{
    ClearSettingsStore();
    Clock::SetNowForTesting([] { return kNow; });
    m_prompts = Prompts{};
    m_prompts.install();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMessageLogController::cleanup()
{
    UserPrompts::SetAnswersForTesting({});
    Clock::SetNowForTesting({});
}

void TestMessageLogController::saveLogToFile_sitsRightOfTheLogCaption()
{
    TrafficWindow w;
    QCheckBox* box = SaveBox(w);
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("Save Log To File"));
    QVERIFY(!box->isChecked());
    QCOMPARE(box->pos(), QPoint(768, 8));
    auto* caption = w.find<QLabel>("lblCommunicationsLog");
    QVERIFY(caption->geometry().right() < box->geometry().left());
}

void TestMessageLogController::checkingWithNoFile_opensNew_cancelWritesNothing()
{
    TrafficWindow w;
    SaveBox(w)->setChecked(true);
    QCOMPARE(m_prompts.fileRequests.size(), 1);
    const UserPrompts::FileDialogRequest request = m_prompts.fileRequests.first();
    QCOMPARE(request.title, QStringLiteral("New"));
    QCOMPARE(request.filter,
             QStringLiteral("QV Orvalis Log Files (*.olf)|*.olf|All Files (*.*)|*.*"));
    QCOMPARE(request.startFolder, QStringLiteral("c:\\QVOrvalis\\Log\\"));
    QVERIFY(!request.fileMustExist);
    QVERIFY(!SaveBox(w)->isChecked());
    SendAB(w);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void TestMessageLogController::checkedBox_copiesLogLinesOldestFirst()
{
    TrafficWindow w;
    m_prompts.fileAnswers << path("run.olf");
    const int linesBefore = int(w.logLines().size());
    SaveBox(w)->setChecked(true);
    QVERIFY(SaveBox(w)->isChecked());
    SendAB(w);
    w.port->feedReceived(AckFrame(1, 0));

    const QStringList body = w.logLines().mid(linesBefore);
    QCOMPARE(body.size(), 3);
    QCOMPARE(body[0], QString());
    QVERIFY2(body[1].startsWith("PID=1:Host->TXCVR (")
                 && body[1].endsWith("): 01 0A 01 01 02 00 41 42 92 04 "),
             qPrintable(body[1]));
    QVERIFY2(body[2].startsWith("TXCVR->Host ("), qPrintable(body[2]));
    QCOMPARE(FileLines(path("run.olf")), Header("run.olf") + StartLines() + body);
    QCOMPARE(SettingsStore::ReadText("Settings", "File Path", {}), m_dir->path() + "/");
    QCOMPARE(w.window->trafficSettings().sLogFilePath, m_dir->path() + "/");
}

void TestMessageLogController::uncheckAndCheck_appendClosingBlockThenNewStart()
{
    TrafficWindow w;
    m_prompts.fileAnswers << path("run.olf");
    SaveBox(w)->setChecked(true);
    SendAB(w);
    QByteArray statistics = Hex("34 12");
    statistics.append(QByteArray(14, '\0'));
    w.port->feedReceived(ModuleFrame(MessageCode::RfStatistics, statistics));
    const int before = int(FileLines(path("run.olf")).size());

    SaveBox(w)->setChecked(false);
    SendAB(w);  // not copied
    SaveBox(w)->setChecked(true);

    const QStringList added = FileLines(path("run.olf")).mid(before);
    const QStringList expectedBlock = {
        "",
        "Transceiver Statistics",
        "----------------------",
        "Total Packets Sent      = 4660",
        "Unique Packets Sent     = 0",
        "Total Acks Sent         = 0",
        "Unique Acks Sent        = 0",
        "Total Packets Received  = 0",
        "Unique Packets Received = 0",
        "Total Acks Received     = 0",
        "Unique Acks Received    = 0",
        "",
        "Evaluation Program Statistics",
        "-----------------------------",
        "Packets Sent     = 1",
        "Packets Received = 0",
        "Acks Received    = 0",
        "Packet Success Rate Without Acks = -",
        "Packet Success Rate With Acks = -",
        "0 Retries - 0",
        "1 Retries - 0",
        "2 Retries - 0",
        "3 Retries - 0",
        "   Failed - 0",
        "",
        EndLine(),
        "", "", "", "",
    };
    QCOMPARE(added, expectedBlock + StartLines());
}

void TestMessageLogController::newFromMenu_whileUnchecked_writesOnlyItsStartLine()
{
    TrafficWindow w;
    m_prompts.fileAnswers << path("menu.olf");
    w.find<QAction>("mnuFileNew")->trigger();
    QVERIFY(!SaveBox(w)->isChecked());
    SendAB(w);
    QCOMPARE(FileLines(path("menu.olf")), Header("menu.olf") + StartLines());
    SaveBox(w)->setChecked(true);
    QCOMPARE(m_prompts.fileRequests.size(), 1);  // the file is chosen already
    QCOMPARE(FileLines(path("menu.olf")),
             Header("menu.olf") + StartLines() + StartLines());
}

void TestMessageLogController::newOnExistingFile_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("No keeps the content") << false;
    QTest::newRow("Yes recreates it") << true;
}

void TestMessageLogController::newOnExistingFile()
{
    QFETCH(bool, overwrite);
    QVERIFY(CreateLogFile(path("old.olf"), "old.olf"));
    QVERIFY(AppendToLogFile(path("old.olf"), "earlier line"));
    TrafficWindow w;
    m_prompts.overwrite = overwrite;
    m_prompts.fileAnswers << path("old.olf");
    w.find<QAction>("mnuFileNew")->trigger();
    QCOMPARE(m_prompts.questions,
             QStringList{"Overwrite File|File old.olf already exists.  Overwrite?"});
    const QStringList kept = overwrite ? QStringList{} : QStringList{"earlier line"};
    QCOMPARE(FileLines(path("old.olf")), Header("old.olf") + kept + StartLines());
}

void TestMessageLogController::openNonLogFile_showsError_andKeepsPreviousFile()
{
    QVERIFY(QDir(m_dir->path()).mkdir("other"));
    QFile notALog(path("other/notes.olf"));
    QVERIFY(notALog.open(QIODevice::WriteOnly));
    notALog.write("hello\r\n");
    notALog.close();
    TrafficWindow w;
    m_prompts.fileAnswers << path("run.olf") << path("other/notes.olf");
    SaveBox(w)->setChecked(true);
    w.find<QAction>("mnuFileOpen")->trigger();

    QCOMPARE(m_prompts.fileRequests.last().title, QStringLiteral("Open"));
    QVERIFY(m_prompts.fileRequests.last().fileMustExist);
    QCOMPARE(m_prompts.fileRequests.last().startFolder, m_dir->path() + "/");
    QCOMPARE(m_prompts.messages,
             QStringList{"Error|Invalid file type.  Default file will be used!"});
    SendAB(w);
    QCOMPARE(FileLines(path("other/notes.olf")), QStringList{"hello"});
    QCOMPARE(FileLines(path("run.olf")).size(), 3 + 2 + 2);  // header, start, the new frame
    QCOMPARE(SettingsStore::ReadText("Settings", "File Path", {}), m_dir->path() + "/");
}

void TestMessageLogController::openLogFile_endsOldPeriod_andTakesTheLines()
{
    QVERIFY(CreateLogFile(path("next.olf"), "next.olf"));
    TrafficWindow w;
    m_prompts.fileAnswers << path("run.olf") << path("next.olf");
    SaveBox(w)->setChecked(true);
    w.find<QAction>("mnuFileOpen")->trigger();
    QCOMPARE(m_prompts.messages, QStringList());
    QCOMPARE(FileLines(path("run.olf")).mid(3 + 2 + 25), QStringList({EndLine(), "", "", "", ""}));
    SendAB(w);
    const QStringList next = FileLines(path("next.olf"));
    QCOMPARE(next.size(), 3 + 2);  // no start line: opening writes nothing
    QVERIFY2(next.last().startsWith("PID=1:Host->TXCVR"), qPrintable(next.last()));
}

void TestMessageLogController::sameNameInAnotherFolder_leavesOldFileOpen()
{
    QVERIFY(QDir(m_dir->path()).mkdir("a") && QDir(m_dir->path()).mkdir("b"));
    TrafficWindow w;
    m_prompts.fileAnswers << path("a/x.olf") << path("b/x.olf");
    SaveBox(w)->setChecked(true);
    w.find<QAction>("mnuFileNew")->trigger();
    QCOMPARE(FileLines(path("a/x.olf")), Header("x.olf") + StartLines());
    QCOMPARE(FileLines(path("b/x.olf")), Header("x.olf") + StartLines());
    QCOMPARE(SettingsStore::ReadText("Settings", "File Path", {}), path("b") + "/");
}

void TestMessageLogController::unwritableFile_isReportedOnce_andUnticksTheBox_data()
{
    QTest::addColumn<bool>("failsWhileLogging");
    QTest::newRow("chosen under a regular file") << false;
    QTest::newRow("folder removed while logging") << true;
}

void TestMessageLogController::unwritableFile_isReportedOnce_andUnticksTheBox()
{
    QFETCH(bool, failsWhileLogging);
    QFile plain(path("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(m_dir->path()).mkdir("gone"));
    TrafficWindow w;
    m_prompts.fileAnswers << (failsWhileLogging ? path("gone/x.olf") : path("plain/x.olf"));
    SaveBox(w)->setChecked(true);
    if (failsWhileLogging) {
        QCOMPARE(ErrorLines(w), 0);
        QVERIFY(QDir(path("gone")).removeRecursively());
        SendAB(w);
    }
    QCOMPARE(ErrorLines(w), 1);
    QVERIFY(!SaveBox(w)->isChecked());
    const QStringList lines = w.logLines();
    const int at = int(lines.indexOf(QRegularExpression("^Log File Error: .+")));
    QCOMPARE(lines.mid(at - 1, 3).first(), QString());
    QCOMPARE(lines.mid(at - 1, 3).last(), QString());
    SendAB(w);
    QCOMPARE(ErrorLines(w), 1);
}

void TestMessageLogController::closingWindow_writesClosingBlockWheneverAFileWasChosen()
{
    TrafficWindow w;
    m_prompts.fileAnswers << path("run.olf");
    SaveBox(w)->setChecked(true);
    SaveBox(w)->setChecked(false);
    w.window->close();
    QCOMPARE(FileLines(path("run.olf")).count(EndLine()), 2);
    QCOMPARE(FileLines(path("run.olf")).mid(3 + 2 + 2 * 30), QStringList());
}

QTEST_MAIN(TestMessageLogController)
#include "tst_messagelogcontroller.moc"
