// The on-screen communications log: its horizontal extent, that no width of the list
// or the window sets its layout feeding itself, the times before its lines, copying
// them, and the session history exported from the main window.
#include "link/CommunicationsLog.h"
#include "link/LinkSession.h"
#include "platform/ExportFileName.h"
#include "ui/widgets/UserPrompts.h"
#include "support/ExistingPlace.h"
#include "support/Hex.h"
#include "support/LayoutLoopGuard.h"
#include "support/SteppingClock.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogExport.h"
#include "ui/CommunicationsLogView.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QtTest>

Q_DECLARE_METATYPE(PathHolds)

namespace {

// Log lines of many widths, the widest added in the middle so that later lines are
// narrower than the extent.
QStringList LinesOfManyWidths(int count)
{
    static const int kBytes[] = {3, 17, 1, 9, 24, 5, 12, 40, 2, 31, 7, 20, 11, 36, 4};
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const int bytes = kBytes[i % std::size(kBytes)];
        lines << QStringLiteral("PID=%1:TXCVR->Host (Received RF Data Message): ").arg(i % 256)
                     + QStringLiteral("4F ").repeated(bytes);
    }
    return lines;
}

void AddLines(CommunicationsLog& log, const QStringList& lines)
{
    for (const QString& line : lines) {
        log.MakeRoomInMessageList(1);
        log.AddToMessageList(line);
    }
}

// The lines the list's rows show, top first (the list shows changes in batches).
QStringList RowsShown(const CommunicationsLogView& list)
{
    QStringList rows;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        rows << list.model()->index(row, 0).data().toString();
    return rows;
}

int ScrollBarExtent(const QWidget& widget)
{
    return widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
}

// The list's frame on both sides: the list is this much wider than its viewport
// when no vertical scroll bar is shown.
int FrameWidths(const CommunicationsLogView& list)
{
    return list.width() - list.maximumViewportSize().width();
}

const QDateTime kStart(QDate(2026, 12, 7), QTime(14, 3, 22, 125), Qt::OffsetFromUTC, 3600);

QString ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<none>");
}

// The file dialog's answer of an export test: a device as it is, else a name in `folder`.
QString InFolder(const QTemporaryDir& folder, const QString& name)
{
    return name.startsWith('/') ? name : folder.filePath(name);
}

// Whether an export made a file beside `path`, named as it with ".csv" added; such a
// file is taken away again, so that a device's folder keeps nothing of a failed run.
bool FileMadeBeside(const QString& path)
{
    const QString beside = path + QStringLiteral(".csv");
    if (!QFileInfo(beside).isFile())
        return false;
    QFile::remove(beside);
    return true;
}

QString StoredShowTimestamps()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle)
        .value(QStringLiteral("View/Show Timestamps"))
        .toString();
}

}  // namespace

class TestCommunicationsLogView : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void listResizedAcrossTheExtent_settlesAtEveryWidth_data();
    void listResizedAcrossTheExtent_settlesAtEveryWidth();
    void scrollRange_endsAtTheExtent_whetherOrNotTheVerticalBarShows_data();
    void scrollRange_endsAtTheExtent_whetherOrNotTheVerticalBarShows();
    void afterClear_aShortLineScrollsAsFarAsBefore();
    void rowsShown_catchUpWithTheLog_data();
    void rowsShown_catchUpWithTheLog();
    void cleanup();

    void timestamps_beforeTextLinesOnly_data();
    void timestamps_beforeTextLinesOnly();
    void copy_linesAsShown_topToBottom_data();
    void copy_linesAsShown_topToBottom();

    void showTimestamps_isRemembered_andLeavesTheMessageLogFileAlone();
    void exportFileName_addsTheExtensionOnlyWhereItBelongs_data();
    void exportFileName_addsTheExtensionOnlyWhereItBelongs();
    void export_writesWhereTheUserMeant_orSaysWhyNot_data();
    void export_writesWhereTheUserMeant_orSaysWhyNot();
};

void TestCommunicationsLogView::listResizedAcrossTheExtent_settlesAtEveryWidth_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("heightFitsOnlyWithoutHorizontalBar");
    QTest::newRow("few lines, no vertical bar") << 3 << false;
    QTest::newRow("rows fill the height unless the horizontal bar shows") << 12 << true;
    QTest::newRow("full list") << 100 << false;
}

// Sweeping the width across the extent makes each scroll bar appear and disappear and
// the viewport change with it; at each width the layout must settle.
void TestCommunicationsLogView::listResizedAcrossTheExtent_settlesAtEveryWidth()
{
    QFETCH(int, lines);
    QFETCH(bool, heightFitsOnlyWithoutHorizontalBar);
    CommunicationsLogView list;
    CommunicationsLog log(list);
    list.resize(300, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    AddLines(log, LinesOfManyWidths(lines));
    QTRY_COMPARE(RowsShown(list), list.lines());
    const int bar = ScrollBarExtent(list);
    if (heightFitsOnlyWithoutHorizontalBar) {
        const int rowHeight = list.sizeHintForRow(0);
        list.resize(list.width(), lines * rowHeight + FrameWidths(list) + bar / 2);
    }
    LayoutLoopGuard guard(list);
    QVERIFY(guard.settle());

    const int extent = list.horizontalExtent();
    for (int width = extent - 3 * bar; width <= extent + 3 * bar; ++width) {
        guard.startStep();
        list.resize(width, list.height());
        QVERIFY2(!guard.tripped(), qPrintable(QStringLiteral("layout loop at width %1").arg(width)));
        QVERIFY2(guard.settle(), qPrintable(QStringLiteral("no rest at width %1").arg(width)));
    }
}

void TestCommunicationsLogView::scrollRange_endsAtTheExtent_whetherOrNotTheVerticalBarShows_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("verticalBar");
    QTest::newRow("few lines") << 15 << false;
    QTest::newRow("full list") << 100 << true;
}

// Scrolled to the right end, the widest line's end is in view, and every row is at
// least as wide as its text (nothing is shortened).
void TestCommunicationsLogView::scrollRange_endsAtTheExtent_whetherOrNotTheVerticalBarShows()
{
    QFETCH(int, lines);
    QFETCH(bool, verticalBar);
    CommunicationsLogView list;
    CommunicationsLog log(list);
    list.resize(300, 500);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QStringList added = LinesOfManyWidths(lines);
    AddLines(log, added);
    QTRY_VERIFY(list.horizontalScrollBar()->isVisible());
    QCOMPARE(list.verticalScrollBar()->isVisible(), verticalBar);

    const QString widest = *std::max_element(
        added.cbegin(), added.cend(), [](const QString& a, const QString& b) { return a.size() < b.size(); });
    QCOMPARE(list.horizontalExtent(), list.measureLine(widest));
    QCOMPARE(list.horizontalScrollBar()->maximum() + list.viewport()->width(), list.horizontalExtent());
    for (int row = 0; row < list.lineCount(); ++row)
        QVERIFY(list.visualRect(list.model()->index(row, 0)).width()
                > list.fontMetrics().horizontalAdvance(list.line(row)));
}

void TestCommunicationsLogView::afterClear_aShortLineScrollsAsFarAsBefore()
{
    CommunicationsLogView list;
    CommunicationsLog log(list);
    list.resize(300, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    AddLines(log, LinesOfManyWidths(15));
    const int extent = list.horizontalExtent();
    log.cmdClear_Click();
    QCOMPARE(list.lineCount(), 0);
    AddLines(log, {QStringLiteral("x")});
    QCOMPARE(list.horizontalExtent(), extent);
    QTRY_VERIFY(list.horizontalScrollBar()->isVisible());
    QCOMPARE(list.horizontalScrollBar()->maximum() + list.viewport()->width(), extent);
}

void TestCommunicationsLogView::rowsShown_catchUpWithTheLog_data()
{
    // Steps: "+text" adds a line on top, "-n" removes line n, "clear" empties the list,
    // "full" fills it with 100 lines, "rx" logs a received frame (trimming a full list).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("a burst") << QStringList{"+a", "+b", "+c"} << QStringList{"c", "b", "a"};
    QTest::newRow("a line taken from the middle")
        << QStringList{"+a", "+b", "+c", "-1"} << QStringList{"c", "a"};
    QTest::newRow("cleared between lines")
        << QStringList{"+a", "+b", "clear", "+c"} << QStringList{"c"};
    QTest::newRow("cleared last") << QStringList{"+a", "clear"} << QStringList{};
    QStringList trimmed{"TXCVR->Host (Received Message): 01 05 97 9D 04 "};
    for (int i = 99; i >= 1; --i)
        trimmed << QString::number(i);
    QTest::newRow("a full list trimmed") << QStringList{"full", "rx"} << trimmed;
}

// Whatever happens between two batches, the rows end up showing the log's lines.
void TestCommunicationsLogView::rowsShown_catchUpWithTheLog()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, shown);
    CommunicationsLogView list;
    CommunicationsLog log(list);
    for (const QString& step : steps) {
        if (step.startsWith('+'))
            log.AddToMessageList(step.mid(1));
        else if (step.startsWith('-'))
            list.removeLine(step.mid(1).toInt());
        else if (step == "clear")
            log.cmdClear_Click();
        else if (step == "full")
            for (int i = 0; i < 100; ++i)
                log.AddToMessageList(QString::number(i));
        else if (step == "rx")
            log.LogReceivedMessage(151, "Received Message", Hex("01 05 97 9D 04"), 0);
    }
    QCOMPARE(list.lines(), shown);
    QTRY_COMPARE(RowsShown(list), shown);
}

void TestCommunicationsLogView::cleanup()
{
    Clock::SetNowForTesting({});
    UserPrompts::SetAnswersForTesting({});
}

void TestCommunicationsLogView::timestamps_beforeTextLinesOnly_data()
{
    // Steps: "on"/"off" switch the times, "lines" logs a frame sent and its answer.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("timesShown");
    QTest::newRow("off") << QStringList{"lines"} << false;
    QTest::newRow("on before the lines come") << QStringList{"on", "lines"} << true;
    QTest::newRow("switched on over lines shown") << QStringList{"lines", "on"} << true;
    QTest::newRow("switched on and off again") << QStringList{"lines", "on", "off"} << false;
}

// Times go before the lines on screen only: the log's own lines stay as they were, and
// the empty line before an exchange stays empty so that exchanges still stand apart.
void TestCommunicationsLogView::timestamps_beforeTextLinesOnly()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, timesShown);
    PinClockStepping(kStart);
    CommunicationsLogView list;
    CommunicationsLog log(list);
    for (const QString& step : steps) {
        if (step == "lines") {
            log.LogTransmittedMessage("Query IDs", Hex("01 05 03 09 04"), false, 0);
            log.LogReceivedMessage(131, "IDs", Hex("01 0B 83 2C 01 01 00 01 00 BE 04"), 0);
        } else {
            list.setShowTimestamps(step == "on");
        }
    }
    const QStringList lines{"TXCVR->Host (IDs): 01 0B 83 2C 01 01 00 01 00 BE 04 ",
                            "Host->TXCVR (Query IDs): 01 05 03 09 04 ", ""};
    const QStringList withTimes{"14:03:22.127 " + lines[0], "14:03:22.126 " + lines[1], ""};
    QCOMPARE(list.lines(), lines);
    QTRY_COMPARE(RowsShown(list), timesShown ? withTimes : lines);
}

void TestCommunicationsLogView::copy_linesAsShown_topToBottom_data()
{
    // The list shows, from the top: "c" (22.127), "" (22.126), "a" (22.125).
    QTest::addColumn<bool>("timesShown");
    QTest::addColumn<QList<int>>("picked");  // rows selected, in the order picked
    QTest::addColumn<QString>("how");        // "keys" (Ctrl+C) or the context menu action
    QTest::addColumn<QString>("copied");
    QTest::newRow("two lines picked bottom first")
        << false << QList<int>{2, 0} << "keys" << "c\na";
    QTest::newRow("two lines with their times")
        << true << QList<int>{2, 0} << "keys" << "14:03:22.127 c\n14:03:22.125 a";
    QTest::newRow("Copy from the menu") << true << QList<int>{0} << "mnuLogCopy"
                                        << "14:03:22.127 c";
    QTest::newRow("Copy All, the empty line without a time")
        << true << QList<int>{} << "mnuLogCopyAll" << "14:03:22.127 c\n\n14:03:22.125 a";
}

void TestCommunicationsLogView::copy_linesAsShown_topToBottom()
{
    QFETCH(bool, timesShown);
    QFETCH(QList<int>, picked);
    QFETCH(QString, how);
    QFETCH(QString, copied);
    PinClockStepping(kStart);
    CommunicationsLogView list;
    CommunicationsLog log(list);
    list.setShowTimestamps(timesShown);
    list.show();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    for (const char* line : {"a", "", "c"})
        log.AddToMessageList(line);
    QTRY_COMPARE(list.model()->rowCount(), 3);
    for (int row : picked)
        list.selectionModel()->select(list.model()->index(row, 0), QItemSelectionModel::Select);
    QGuiApplication::clipboard()->setText("before");

    if (how == "keys")
        QTest::keySequence(&list, QKeySequence::Copy);
    else
        list.findChild<QAction*>(how)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

void TestCommunicationsLogView::showTimestamps_isRemembered_andLeavesTheMessageLogFileAlone()
{
    ClearSettingsStore();
    QTemporaryDir folder;
    const QString logFile = folder.filePath("run.olf");
    UserPrompts::TestAnswers answers;
    answers.onChooseFile = [&](const UserPrompts::FileDialogRequest&) { return logFile; };
    UserPrompts::SetAnswersForTesting(answers);
    {
        WindowHarness harness;
        harness.find<QAction>("mnuShowTimestamps")->trigger();
        QCOMPARE(StoredShowTimestamps(), "1");
        harness.find<QCheckBox>("chkSaveLogToFile")->click();
        harness.window->link().log().LogMessageTimeout("Query IDs");
        QTRY_VERIFY(RowsShown(harness.window->messageList()).value(0).endsWith(" Query IDs Timeout!"));
    }
    QVERIFY(ReadFile(logFile).split("\r\n").contains("Query IDs Timeout!"));

    WindowHarness again;
    auto* showTimestamps = again.find<QAction>("mnuShowTimestamps");
    QVERIFY(showTimestamps->isChecked());
    QVERIFY(again.window->messageList().showsTimestamps());
    showTimestamps->trigger();
    QCOMPARE(StoredShowTimestamps(), "0");
    QVERIFY(!again.window->messageList().showsTimestamps());
}

void TestCommunicationsLogView::exportFileName_addsTheExtensionOnlyWhereItBelongs_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<PathHolds>("holds");  // what the chosen path names already
    QTest::addColumn<QString>("written");
    QTest::newRow("new name") << "/home/u/session" << PathHolds::Nothing << "/home/u/session.csv";
    QTest::newRow("new name with the extension")
        << "/home/u/session.csv" << PathHolds::Nothing << "/home/u/session.csv";
    QTest::newRow("another extension") << "/home/u/session.txt" << PathHolds::RegularFile
                                       << "/home/u/session.txt";
    QTest::newRow("a file without extension")
        << "/home/u/session" << PathHolds::RegularFile << "/home/u/session.csv";
    QTest::newRow("a dot in the folder only")
        << "/home/u/v1.2/session" << PathHolds::Nothing << "/home/u/v1.2/session.csv";
    QTest::newRow("a device") << "/dev/full" << PathHolds::OtherFile << "/dev/full";
    QTest::newRow("a FIFO") << "/tmp/pipe" << PathHolds::OtherFile << "/tmp/pipe";
    QTest::newRow("a folder") << "/home/u/x" << PathHolds::Folder << "/home/u/x";
}

void TestCommunicationsLogView::exportFileName_addsTheExtensionOnlyWhereItBelongs()
{
    QFETCH(QString, chosen);
    QFETCH(PathHolds, holds);
    QFETCH(QString, written);
    QCOMPARE(ExportFileName(chosen, "csv", holds), written);
}

void TestCommunicationsLogView::export_writesWhereTheUserMeant_orSaysWhyNot_data()
{
    QTest::addColumn<QString>("chosen");    // the file dialog's answer (see InFolder)
    QTest::addColumn<QString>("existing");  // what is there before (see ExistingPlace)
    QTest::addColumn<bool>("overwrite");    // the answer to "Overwrite File"
    QTest::addColumn<QString>("written");   // what gets the session: a name, "fifo", "" for none
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QString>("message");   // a part of the one message shown, "" for none
    const QStringList overwriteOld{"Overwrite File|File old.csv already exists.  Overwrite?"};
    QTest::newRow("name without extension") << "session" << "" << false << "session.csv"
                                            << QStringList() << "";
    QTest::newRow("existing file kept") << "old.csv" << "file" << false << "" << overwriteOld << "";
    QTest::newRow("existing file replaced")
        << "old.csv" << "file" << true << "old.csv" << overwriteOld << "";
    QTest::newRow("folder named like a CSV file")
        << "x.csv" << "folder" << true << "" << QStringList() << "x.csv is a folder";
    QTest::newRow("folder without extension")
        << "x" << "folder" << true << "" << QStringList() << "x is a folder";
    QTest::newRow("FIFO, written under its own name")
        << "fifo" << "fifo" << false << "fifo" << QStringList() << "";
    QTest::newRow("FIFO nobody reads: refused at once, no thread left waiting")
        << "fifo" << "lonely fifo" << false << "" << QStringList() << "Nothing is reading from it";
    QTest::newRow("/dev/null") << "/dev/null" << "" << false << "" << QStringList() << "";
    QTest::newRow("/dev/full, a full disk")
        << "/dev/full" << "" << false << "" << QStringList() << ":\nNo space left on device";
}

void TestCommunicationsLogView::export_writesWhereTheUserMeant_orSaysWhyNot()
{
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QFETCH(bool, overwrite);
    QFETCH(QString, written);
    QFETCH(QStringList, questions);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = InFolder(folder, chosen);
    const ExistingPlace place(path, existing);
    QStringList asked;
    QStringList messages;
    UserPrompts::TestAnswers answers;
    answers.onChooseFile = [&](const UserPrompts::FileDialogRequest&) { return path; };
    answers.onQuestion = [&](const QString& title, const QString& text) {
        asked << title + '|' + text;
        return overwrite;
    };
    answers.onMessage = [&](const QString&, const QString& text) { messages << text; };
    UserPrompts::SetAnswersForTesting(answers);
    WindowHarness harness;
    PinClockStepping(kStart);
    harness.window->link().log().LogStatusMessage("Log File Error: C:\\logs\\a,b.olf \"locked\"");
    harness.window->link().log().LogMessageTimeout("Query IDs");

    QSignalSpy ended(harness.find<CommunicationsLogExport>("communicationsLogExport"),
                     &CommunicationsLogExport::finished);
    harness.find<QAction>("mnuFileExportLog")->trigger();
    QTRY_COMPARE(ended.count(), 1);
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        QVERIFY(!FileMadeBeside(path));  // first, so that a failure leaves nothing in /dev

    QCOMPARE(asked, questions);
    QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(messages[0].contains(message), qPrintable(messages[0]));
    if (existing == "file" && written.isEmpty())
        QCOMPARE(ReadFile(path), "old");
    if (written.isEmpty())
        return;
    QCOMPARE(written == "fifo" ? QString::fromUtf8(place.readFifo())
                               : ReadFile(folder.filePath(written)),
             "Time,Direction,Message,Bytes,Line\r\n"
             "2026-12-07T14:03:22.125+01:00,Separator,,,\r\n"
             "2026-12-07T14:03:22.126+01:00,Status,,,\"Log File Error: C:\\logs\\a,b.olf \"\"locked\"\"\"\r\n"
             "2026-12-07T14:03:22.127+01:00,Separator,,,\r\n"
             "2026-12-07T14:03:22.128+01:00,Timeout,Query IDs,,Query IDs Timeout!\r\n");
}

QTEST_MAIN(TestCommunicationsLogView)
#include "tst_communicationslogview.moc"
