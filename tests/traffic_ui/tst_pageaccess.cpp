// The keyboard's order on the RF data panel, the "Statistics" and "Test Settings" pages,
// what a figure reads as, and where the message log file is.
#include "support/WindowHarness.h"
#include "ui/widgets/UserPrompts.h"

#include <QAccessible>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The order in which Tab reaches the named controls of `region`, going round once from the
// first of them.
QStringList TabOrder(QWidget* region, const QStringList& names)
{
    QStringList order;
    QWidget* first = region->findChild<QWidget*>(names.first());
    QWidget* w = first;
    do {
        if (names.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return order;
}

}  // namespace

class TestPageAccess : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    // Every control has a name (tst_captionsandnames); a figure's is its row and column, and
    // its value is what it shows.
    void figures_readTheirValue()
    {
        VirtualClock clock;
        WindowHarness w;
        QAccessibleInterface* figure =
            QAccessible::queryAccessibleInterface(w.find<QWidget>("lblTotalPacketsSent"));
        QCOMPARE(figure->text(QAccessible::Name) + "=" + figure->text(QAccessible::Value),
                 QStringLiteral("Total Packets Sent=-"));
    }

    // Row by row on the panel and the statistics; down each column of register frames.
    void tab_followsReadingOrder_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("RF data") << "RfDataPanel"
                                 << QStringList{"txtRFData", "optAscii", "optHex", "txtDestinationID",
                                                "txtPacketID", "txtRepeatDelay", "cmdSendSingleMsg",
                                                "cmdSendRandomMsg", "cmdSendSingleRepeatedMsg",
                                                "cmdSendRandomRepeatedMsg"};
        QTest::newRow("window: down the controls, then across to the log")
            << "frmQVOrvalisETMain"
            << QStringList{"txtRFData", "cmdSendRandomRepeatedMsg", "TabStrip1", "txtTransceiverID2",
                           "cmdSetIDs", "cmdGetFirmwareVersion", "chkSaveLogToFile", "cmdClear",
                           "lstSerialMessages"};
        QTest::newRow("statistics")
            << "StatisticsPage"
            << QStringList{"cmdGetStatistics", "lstRetryDistribution", "cmdClearTestStats"};
        QTest::newRow("test settings")
            << "TestSettingsPage"
            << QStringList{"txtMainADividerCoefficient0", "comboBND", "txtReferenceDividerCoefficient",
                           "optTestModeEnabled", "cmdSetRegisters", "cmdGetRegisters",
                           "txtMainADividerCoefficient1", "comboDetectEnable", "comboRXS", "comboOOKXS",
                           "comboBRA", "comboPAI", "optMode0", "checkStandby", "comboTransmit"};
    }
    void tab_followsReadingOrder()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        VirtualClock clock;
        WindowHarness w;
        QWidget* region = w.window->objectName() == page ? w.window.get() : w.find<QWidget>(page);
        QCOMPARE(TabOrder(region, order), order);
        if (region == w.window.get())
            QCOMPARE(region->focusWidget()->objectName(), order.first());
    }

    void saveLogToFile_showsTheChosenFileAsItsTooltip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("run.olf");
        UserPrompts::SetAnswersForTesting({{}, {}, [&](const UserPrompts::FileDialogRequest&) {
                                               return path;
                                           }});
        VirtualClock clock;
        WindowHarness w;
        auto* box = w.find<QCheckBox>("chkSaveLogToFile");
        QCOMPARE(box->toolTip(), QString());
        box->setChecked(true);
        QTRY_COMPARE(box->toolTip(), QDir::toNativeSeparators(path));
    }
};

QTEST_MAIN(TestPageAccess)
#include "tst_pageaccess.moc"
