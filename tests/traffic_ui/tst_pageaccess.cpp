// What a screen reader and the keyboard find on the RF data panel, the "Statistics"
// and "Test Settings" pages, and where the message log file is.
#include "support/WindowHarness.h"
#include "ui/widgets/UserPrompts.h"

#include <QAccessible>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a reader announces as the control's name. On Linux Qt names a list by its
// selected entry and gives its caption as the list's first label relation.
QString AnnouncedName(QWidget* control)
{
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
    if (!access)
        return QStringLiteral("<not accessible>");
#ifdef Q_OS_UNIX
    if (access->role() == QAccessible::ComboBox) {
        const auto labels = access->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
#endif
    return access->text(QAccessible::Name);
}

// The order in which Tab reaches the named controls of `page`.
QStringList TabOrder(QWidget* page, const QStringList& names)
{
    QStringList order;
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
        if (names.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus))
            order << w->objectName();
    return order;
}

}  // namespace

class TestPageAccess : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    // Boxes and lists by the caption beside them, not by their frame or their value.
    void inputs_areNamedByTheirCaptions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("data box") << "txtRFData" << "RF Data";
        QTest::newRow("destination") << "txtDestinationID" << "Dest ID";
        QTest::newRow("packet ID") << "txtPacketID" << "Pkt ID";
        QTest::newRow("repeat delay") << "txtRepeatDelay" << "Repeat Delay(msec)";
        QTest::newRow("module figure") << "lblUniqueAcksReceived" << "Unique Acks Received";
        QTest::newRow("host figure") << "lblTestPktsRcvd" << "Total Packets Received";
        QTest::newRow("retries") << "lstRetryDistribution" << "Retry Distribution";
        QTest::newRow("register box") << "txtMainBDividerCoefficient1" << "Main B-DC";
        QTest::newRow("register C") << "txtReferenceDividerCoefficient" << "Reg C - RDC";
        QTest::newRow("register list") << "comboPA0" << "PA0";
        QTest::newRow("transmit") << "comboTransmit" << "Transmit";
        QTest::newRow("standby") << "checkStandby" << "Standby";
    }
    void inputs_areNamedByTheirCaptions()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        VirtualClock clock;
        WindowHarness w;
        QCOMPARE(AnnouncedName(w.find<QWidget>(control)), name);
    }

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
        QCOMPARE(TabOrder(w.find<QWidget>(page), order), order);
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
