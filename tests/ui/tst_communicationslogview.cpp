// The on-screen communications log: its horizontal extent, that no width of the list
// sets its layout feeding itself, the times before its lines, copying them, and the
// session history exported from the main window.
#include "link/CommunicationsLog.h"
#include "link/LinkSession.h"
#include "platform/ExportFileName.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "ui/widgets/UserPrompts.h"
#include "support/ExistingPlace.h"
#include "support/Hex.h"
#include "support/SteppingClock.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogExport.h"
#include "ui/CommunicationsLogView.h"
#include "ui/ScreenRefresh.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QScreen>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QtTest>

Q_DECLARE_METATYPE(PathHolds)

namespace {

// Watches the layout events (resize, layout request, scroll bar shown or hidden) that
// reach a scroll area, its viewport and its scroll bars. A layout that feeds itself
// sends them without end; beyond `limit` in one step the guard swallows them, which
// breaks the loop, so a faulty list makes the test fail instead of hanging or
// overflowing the stack.
class LayoutLoopGuard : public QObject {
public:
    explicit LayoutLoopGuard(QAbstractScrollArea& area, int limit = 200)
        : m_limit(limit)
    {
        for (QObject* watched : std::initializer_list<QObject*>{
                 &area, area.viewport(), area.horizontalScrollBar(), area.verticalScrollBar()})
            watched->installEventFilter(this);
    }

    void startStep() { m_eventsInStep = 0; }
    bool tripped() const { return m_tripped; }

    // Delivers what is posted until a round brings the watched widgets no layout event
    // (true), or gives up after `rounds` rounds (false).
    bool settle(int rounds = 20)
    {
        for (int i = 0; i < rounds && !m_tripped; ++i) {
            startStep();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            if (m_eventsInStep == 0)
                return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::LayoutRequest:
        case QEvent::Show:
        case QEvent::Hide:
            if (++m_eventsInStep > m_limit)
                m_tripped = true;
            return m_tripped;
        default:
            return false;
        }
    }

private:
    int m_limit;
    int m_eventsInStep = 0;
    bool m_tripped = false;
};


// Log lines of many widths, the widest in the middle so that later lines are narrower
// than the extent.
QStringList AddLinesOfManyWidths(CommunicationsLog& log, int count)
{
    static const int kBytes[] = {3, 17, 1, 9, 24, 5, 12, 40, 2, 31, 7, 20, 11, 36, 4};
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        lines << QStringLiteral("PID=%1:TXCVR->Host (Received RF Data Message): ").arg(i % 256)
                     + QStringLiteral("4F ").repeated(kBytes[i % std::size(kBytes)]);
        log.MakeRoomInMessageList(1);
        log.AddToMessageList(lines.last());
    }
    return lines;
}

// The lines the list's rows show, top first (the list shows changes in batches).
QStringList RowsShown(const CommunicationsLogView& list)
{
    QStringList rows;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        rows << list.model()->index(row, 0).data().toString();
    return rows;
}

// The list on screen, 300 x 200, showing `count` lines of many widths.
bool ShownWithLines(CommunicationsLogView& list, CommunicationsLog& log, int count)
{
    list.resize(300, 200);
    list.show();
    if (!QTest::qWaitForWindowExposed(&list))
        return false;
    AddLinesOfManyWidths(log, count);
    return QTest::qWaitFor([&] { return RowsShown(list) == list.lines(); });
}

// Counts the timer events any object of the program receives.
struct TimerEvents : QObject {
    int count = 0;
    TimerEvents() { qApp->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override { count += event->type() == QEvent::Timer; return false; }
};

// Counts the paint events one widget receives.
struct PaintEvents : QObject {
    int count = 0;
    explicit PaintEvents(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override { count += event->type() == QEvent::Paint; return false; }
};

const QDateTime kStart(QDate(2026, 12, 7), QTime(14, 3, 22, 125), Qt::OffsetFromUTC, 3600);

QString ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<none>");
}

QString StoredShowTimestamps()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle)
        .value(QStringLiteral("View/Show Timestamps")).toString();
}

}  // namespace

class TestCommunicationsLogView : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void cleanup()
    {
        Clock::SetNowForTesting({});
        UserPrompts::SetAnswersForTesting({});
    }

    void listResizedAcrossTheExtent_settlesAtEveryWidth_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("heightFitsOnlyWithoutHorizontalBar");
        QTest::newRow("few lines, no vertical bar") << 3 << false;
        QTest::newRow("rows fill the height unless the horizontal bar shows") << 12 << true;
        QTest::newRow("full list") << 100 << false;
    }
    // Scrolled to the right end, the widest line's end is in view. Sweeping the width
    // across the extent makes each scroll bar appear and disappear and the viewport change
    // with it; at each width the layout must settle.
    void listResizedAcrossTheExtent_settlesAtEveryWidth()
    {
        QFETCH(int, lines);
        QFETCH(bool, heightFitsOnlyWithoutHorizontalBar);
        CommunicationsLogView list;
        CommunicationsLog log(list);
        list.resize(300, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QStringList added = AddLinesOfManyWidths(log, lines);
        QTRY_COMPARE(RowsShown(list), list.lines());
        const QString widest = *std::max_element(added.cbegin(), added.cend(),
            [](const QString& a, const QString& b) { return a.size() < b.size(); });
        QCOMPARE(list.horizontalExtent(), list.measureLine(widest));
        QTRY_COMPARE(list.horizontalScrollBar()->maximum() + list.viewport()->width(), list.horizontalExtent());
        const int bar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
        if (heightFitsOnlyWithoutHorizontalBar) {
            const int frames = list.width() - list.maximumViewportSize().width();
            list.resize(list.width(), lines * list.sizeHintForRow(0) + frames + bar / 2);
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

    // A line's measured width, which sets the rows' width, holds every pixel the row
    // draws of it: scrolled to the right end, nothing of the widest line is cut.
    void lineWidth_holdsWhatTheRowDraws_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("frame bytes") << QStringLiteral("PID=7:TXCVR->Host (Received RF Data Message): 01 1C 94 07 01 00 00 00 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF 00 11 C4 04 ");
        QTest::newRow("wide letters") << QString(60, QLatin1Char('W'));
        QTest::newRow("ending in spaces") << QStringLiteral("Status: Test Mode      ");
        QTest::newRow("letters beyond Latin") << QStringLiteral("Ünïcödé ΩΣΔ Жж 测试 — fin");
    }
    void lineWidth_holdsWhatTheRowDraws()
    {
        QFETCH(QString, line);
        CommunicationsLogView list;
        const int width = list.measureLine(line);
        QStandardItemModel model;
        model.appendRow(new QStandardItem(line));
        QImage row(width + 200, list.fontMetrics().height() + 8, QImage::Format_RGB32);
        row.fill(Qt::white);
        QPainter painter(&row);
        QStyleOptionViewItem option;
        option.initFrom(&list);
        option.rect = row.rect();
        option.font = list.font();
        option.fontMetrics = list.fontMetrics();
        option.palette.setColor(QPalette::Text, Qt::black);
        list.itemDelegate()->paint(&painter, option, model.index(0, 0));
        painter.end();
        int inkEnds = 0;
        for (int y = 0; y < row.height(); ++y)
            for (int x = 0; x < row.width(); ++x)
                if (row.pixel(x, y) != QColor(Qt::white).rgb())
                    inkEnds = std::max(inkEnds, x + 1);
        QVERIFY(inkEnds > 0);
        QVERIFY2(inkEnds <= width, qPrintable(QStringLiteral("ink to %1, width %2").arg(inkEnds).arg(width)));
    }

    // Times go before the lines on screen only, and the empty line before an exchange
    // stays empty so that exchanges still stand apart; copies take the lines as shown.
    // Frames that come between two refreshes of the screen reach it together at the next:
    // every line in its place in one insertion, the newest data and the count.
    void flood_reachesTheScreenWholeAtTheNextRefresh_data()
    {
        QTest::addColumn<int>("frames");
        QTest::newRow("a few") << 7;
        QTest::newRow("more than the list keeps") << 130;
    }
    void flood_reachesTheScreenWholeAtTheNextRefresh()
    {
        QFETCH(int, frames);
        VirtualClock clock;
        WindowHarness w;
        w.openPort1();
        clock.advance(ScreenRefresh::kIntervalMs);
        const CommunicationsLogView& list = w.window->messageList();
        const QStringList before = RowsShown(list);
        QSignalSpy insertions(list.model(), &QAbstractItemModel::rowsInserted);
        for (int i = 1; i <= frames; ++i)
            w.port->feedReceived(BuildFrame(MessageCode::ReceivedRfData, Hex("09 00 00 00 00") + QByteArray::number(i)));
        QCOMPARE(RowsShown(list) << w.text("txtRFData") << w.text("lblTestPktsRcvd"), before + QStringList({"", "-"}));
        clock.advance(ScreenRefresh::kIntervalMs);
        QCOMPARE(insertions.count(), 1);
        QCOMPARE(RowsShown(list), list.lines());
        QCOMPARE(w.text("txtRFData") + "/" + w.text("lblTestPktsRcvd"), QStringLiteral("%1/%1").arg(frames));
    }

    // Rows moved down as pixels under new lines look as if every row had been drawn
    // again; with the lines on screen, no timer fires.
    void newLinesOnTop_lookAsIfEveryRowWereDrawnAgain_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("added");
        QTest::addColumn<bool>("atTheBottom");  // scrolled to the oldest lines
        QTest::newRow("one line over a few") << 3 << 1 << false;
        QTest::newRow("a batch over a full list") << 100 << 6 << false;
        QTest::newRow("more than a screen") << 30 << 25 << false;
        QTest::newRow("scrolled to the bottom of a full list") << 100 << 6 << true;
    }
    void newLinesOnTop_lookAsIfEveryRowWereDrawnAgain()
    {
        QFETCH(int, before);
        QFETCH(int, added);
        QFETCH(bool, atTheBottom);
        CommunicationsLogView list;
        CommunicationsLog log(list);
        QVERIFY(ShownWithLines(list, log, before));
        list.verticalScrollBar()->setValue(atTheBottom ? list.verticalScrollBar()->maximum() : 0);
        QTest::qWait(2 * ScreenRefresh::kIntervalMs);
        for (int i = 0; i < added; ++i)
            log.AddToMessageList(QStringLiteral("new line %1").arg(i));
        QTRY_COMPARE(RowsShown(list), list.lines());
        const QRect viewport(list.viewport()->mapTo(&list, QPoint()), list.viewport()->size());
        QTRY_COMPARE(list.screen()->grabWindow(list.winId()).toImage().copy(viewport),
                     list.viewport()->grab().toImage());
        TimerEvents timers;
        QTest::qWait(5 * ScreenRefresh::kIntervalMs);
        QCOMPARE(timers.count, 0);
    }

    // Lines added on top of a full list under a flood leave both scroll bars as they
    // were, and redrawing them at every refresh cost as much as the new lines did. A bar
    // whose range changed is drawn again.
    void newLinesOnTop_repaintTheScrollBarsOnlyWhenTheyChanged_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("repainted");  // "vertical", "horizontal" or "neither"
        QTest::newRow("full list, narrower lines") << 100 << "new line" << "neither";
        QTest::newRow("full list, a wider line") << 100 << QString(300, QLatin1Char('W')) << "horizontal";
        QTest::newRow("list still filling") << 40 << "new line" << "vertical";
    }
    void newLinesOnTop_repaintTheScrollBarsOnlyWhenTheyChanged()
    {
        QFETCH(int, before);
        QFETCH(QString, added);
        QFETCH(QString, repainted);
        CommunicationsLogView list;
        CommunicationsLog log(list);
        QVERIFY(ShownWithLines(list, log, before));
        QTest::qWait(2 * ScreenRefresh::kIntervalMs);
        PaintEvents vertical(*list.verticalScrollBar());
        PaintEvents horizontal(*list.horizontalScrollBar());
        for (int i = 0; i < 3; ++i) {
            log.MakeRoomInMessageList(1);
            log.AddToMessageList(added);
            QTRY_COMPARE(RowsShown(list), list.lines());
        }
        QTest::qWait(2 * ScreenRefresh::kIntervalMs);
        if (repainted == QLatin1String("neither"))
            QCOMPARE(vertical.count + horizontal.count, 0);
        else
            QVERIFY((repainted == QLatin1String("vertical") ? vertical : horizontal).count > 0);
    }

    void copy_linesAsShown_topToBottom_data()
    {
        // The list shows, from the top: "c" (22.127), "" (22.126), "a" (22.125).
        QTest::addColumn<bool>("timesShown");
        QTest::addColumn<QList<int>>("picked");  // rows selected, in the order picked
        QTest::addColumn<QString>("how");        // "keys" (Ctrl+C) or the context menu action
        QTest::addColumn<QString>("copied");
        QTest::newRow("two lines picked bottom first") << false << QList<int>{2, 0} << "keys" << "c\na";
        QTest::newRow("Copy from the menu") << true << QList<int>{0} << "mnuLogCopy" << "14:03:22.127 c";
        QTest::newRow("Copy All, the empty line without a time") << true << QList<int>{} << "mnuLogCopyAll"
                                                                 << "14:03:22.127 c\n\n14:03:22.125 a";
    }
    void copy_linesAsShown_topToBottom()
    {
        QFETCH(bool, timesShown);
        QFETCH(QList<int>, picked);
        QFETCH(QString, how);
        QFETCH(QString, copied);
        PinClockStepping(kStart);
        CommunicationsLogView list;
        CommunicationsLog log(list);
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        for (const char* line : {"a", "", "c"})
            log.AddToMessageList(line);
        list.setShowTimestamps(timesShown);  // over lines shown: they get their times
        QCOMPARE(list.lines(), (QStringList{"c", "", "a"}));  // the log's own lines stay as they were
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

    void showTimestamps_isRemembered_andLeavesTheMessageLogFileAlone()
    {
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
        QVERIFY(again.find<QAction>("mnuShowTimestamps")->isChecked());
        QVERIFY(again.window->messageList().showsTimestamps());
        again.find<QAction>("mnuShowTimestamps")->trigger();
        QCOMPARE(StoredShowTimestamps(), "0");
    }

    void exportFileName_addsTheExtensionOnlyWhereItBelongs_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<PathHolds>("holds");  // what the chosen path names already
        QTest::addColumn<QString>("written");
        QTest::newRow("new name") << "/home/u/session" << PathHolds::Nothing << "/home/u/session.csv";
        QTest::newRow("another extension") << "/home/u/s.txt" << PathHolds::RegularFile << "/home/u/s.txt";
        QTest::newRow("a file without extension") << "/home/u/session" << PathHolds::RegularFile << "/home/u/session.csv";
        QTest::newRow("a device") << "/dev/full" << PathHolds::OtherFile << "/dev/full";
        QTest::newRow("a folder") << "/home/u/x" << PathHolds::Folder << "/home/u/x";
    }
    void exportFileName_addsTheExtensionOnlyWhereItBelongs()
    {
        QFETCH(QString, chosen);
        QFETCH(PathHolds, holds);
        QFETCH(QString, written);
        QCOMPARE(ExportFileName(chosen, "csv", holds), written);
    }

    void export_writesWhereTheUserMeant_orSaysWhyNot_data()
    {
        QTest::addColumn<QString>("chosen");    // the file dialog's answer: in a new folder unless absolute
        QTest::addColumn<QString>("existing");  // what is there before (see ExistingPlace)
        QTest::addColumn<bool>("overwrite");    // the answer to "Overwrite File", when asked (only over old.csv)
        QTest::addColumn<QString>("written");   // what gets the session: a name, "fifo", "" for none
        QTest::addColumn<QString>("message");   // a part of the one message shown, "" for none
        QTest::newRow("name without extension") << "session" << "" << false << "session.csv" << "";
        QTest::newRow("existing file kept") << "old.csv" << "file" << false << "" << "";
        QTest::newRow("existing file replaced") << "old.csv" << "file" << true << "old.csv" << "";
        QTest::newRow("folder named like a CSV file") << "x.csv" << "folder" << true << "" << "x.csv is a folder";
        QTest::newRow("FIFO, written under its own name") << "fifo" << "fifo" << false << "fifo" << "";
        QTest::newRow("FIFO nobody reads: refused at once, no thread left waiting")
            << "fifo" << "lonely fifo" << false << "" << "Nothing is reading from it";
        QTest::newRow("/dev/full, a full disk") << "/dev/full" << "" << false << "" << ":\nNo space left on device";
    }
    void export_writesWhereTheUserMeant_orSaysWhyNot()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, existing);
        QFETCH(bool, overwrite);
        QFETCH(QString, written);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString path = chosen.startsWith('/') ? chosen : folder.filePath(chosen);
        const ExistingPlace place(path, existing);
        QStringList asked, messages;
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
        QSignalSpy ended(harness.find<CommunicationsLogExport>("communicationsLogExport"), &CommunicationsLogExport::finished);
        harness.find<QAction>("mnuFileExportLog")->trigger();
        QTRY_COMPARE(ended.count(), 1);
        // Nothing made beside a device or folder; checked first, so a failure leaves nothing in /dev.
        if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
            QVERIFY(!QFileInfo(path + ".csv").isFile() || !QFile::remove(path + ".csv"));
        QCOMPARE(asked, existing == "file" ? QStringList{"Overwrite File|File old.csv already exists.  Overwrite?"}
                                           : QStringList());
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY2(message.isEmpty() || messages[0].contains(message), qPrintable(messages.value(0)));
        if (existing == "file" && written.isEmpty())
            QCOMPARE(ReadFile(path), "old");
        if (!written.isEmpty())
            QCOMPARE(written == "fifo" ? QString::fromUtf8(place.readFifo()) : ReadFile(folder.filePath(written)),
                     "Time,Direction,Message,Bytes,Line\r\n"
                     "2026-12-07T14:03:22.125+01:00,Separator,,,\r\n"
                     "2026-12-07T14:03:22.126+01:00,Status,,,\"Log File Error: C:\\logs\\a,b.olf \"\"locked\"\"\"\r\n"
                     "2026-12-07T14:03:22.127+01:00,Separator,,,\r\n"
                     "2026-12-07T14:03:22.128+01:00,Timeout,Query IDs,,Query IDs Timeout!\r\n");
    }
};

QTEST_MAIN(TestCommunicationsLogView)
#include "tst_communicationslogview.moc"
