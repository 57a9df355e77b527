#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "protocol/Frame.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "testmode/TestModeCodec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

// Walked backwards: Transmit is chosen before TXM, whose own choice must outlast the coupling.
static void ChangeEveryField(frmQVOrvalisETMain& window, int step)
{
    for (auto field = TestModeFieldTable().rbegin(); field != TestModeFieldTable().rend(); ++field)
        if (auto* list = window.findChild<QComboBox*>("combo" + field->name))
            list->setCurrentIndex((list->currentIndex() + step) % list->count());
        else if (auto* box = window.findChild<QLineEdit*>("txt" + field->name))
            box->setText(QString::number((field->initialValue + 3 * step) % (field->maximum + 1)));
}

static bool ClickAndWait(frmQVOrvalisETMain& window, const char* button)
{
    window.findChild<QAbstractButton*>(button)->click();
    return LinkSettles(window.link());  // for the reply or the time-out
}

static QString BlockHex(const TestModeSettings& s) { return HexText(EncodeTestModeSettings(s)); }

class TestE2eTestMode : public QObject {
    Q_OBJECT
private slots:
    void getRegisters_bringsBackWhatSetRegistersWrote()
    {
        ClearSettingsStore();
        SimulatorProcess sim(1);
        QVERIFY2(sim.start(), qPrintable(sim.failure()));
        PointPortAt(1, sim.linkPath());
        for (int p = 2; p <= 8; ++p)  // never a real device
            PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
        frmQVOrvalisETMain window;
        QVERIFY(StartUpEnded(window));
        QVERIFY(ClickAndWait(window, "optTestModeEnabled"));
        ChangeEveryField(window, 1);
        QVERIFY(ClickAndWait(window, "cmdSetRegisters"));
        const TestModeSettings sent = window.testModeSettings();  // Set Registers completed it
        ChangeEveryField(window, 2);
        QVERIFY(ClickAndWait(window, "cmdGetRegisters"));
        QCOMPARE(BlockHex(window.testModeSettings()), BlockHex(sent));
    }
};

QTEST_MAIN(TestE2eTestMode)
#include "tst_e2e_testmode.moc"
