// The configuration and test mode pages of the real program (QSerialPort) against the
// module simulator.
#include "ui/widgets/ValueColours.h"
#include "link/LinkSession.h"
#include "protocol/Frame.h"
#include "support/Waiting.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "testmode/TestModeCodec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList kBoxes{"txtTransceiverID2", "txtNetworkID2",    "txtSystemID2",
                         "txtSetHopTable2",   "txtSetRFRetries2", "txtRFSingleChannel2"};

// Clicks the button, then waits until its request is answered or has timed out.
bool ClickAndSettle(frmQVOrvalisETMain& window, const char* button)
{
    window.findChild<QAbstractButton*>(button)->click();
    return LinkSettles(window.link());
}

// Each box's text while it shows the confirmed colour, else "unconfirmed".
QStringList ConfirmedTexts(frmQVOrvalisETMain& window)
{
    QStringList texts;
    for (const QString& name : kBoxes) {
        const auto* box = window.findChild<QLineEdit*>(name);
        texts << (TextColour(box) == ConfirmedColour() ? box->text() : QString("unconfirmed"));
    }
    return texts;
}

// Walked backwards: Transmit is chosen before TXM, whose own choice must outlast the coupling.
void ChangeEveryTestModeField(frmQVOrvalisETMain& window, int step)
{
    for (auto field = TestModeFieldTable().rbegin(); field != TestModeFieldTable().rend(); ++field)
        if (auto* list = window.findChild<QComboBox*>("combo" + field->name))
            list->setCurrentIndex((list->currentIndex() + step) % list->count());
        else if (auto* box = window.findChild<QLineEdit*>("txt" + field->name))
            box->setText(QString::number((field->initialValue + 3 * step) % (field->maximum + 1)));
}

QString BlockHex(const TestModeSettings& s) { return HexText(EncodeTestModeSettings(s)); }

}  // namespace

class TestE2eConfig : public QObject {
    Q_OBJECT
private slots:
    // What is set comes back from the module over local edits never sent: IDs, settings
    // and the test mode registers.
    void setThenGet_bringsBackWhatWasSet()
    {
        ClearSettingsStore();
        SimulatorProcess module;
        QVERIFY2(module.start(), qPrintable(module.failure()));
        PointPortAt(1, module.linkPath());
        for (int p = 2; p <= 8; ++p)  // the other ports lead nowhere, so the search is short
            PointPortAt(p, QStringLiteral("/nonexistent/COM%1").arg(p));
        frmQVOrvalisETMain window;
        QVERIFY(StartUpEnded(window));
        const QStringList set{"65535", "2", "7", "5", "10", "33"};
        for (int i = 0; i < kBoxes.size(); ++i)
            window.findChild<QLineEdit*>(kBoxes[i])->setText(set[i]);
        QVERIFY(ClickAndSettle(window, "cmdSetIDs"));
        QVERIFY(ClickAndSettle(window, "cmdSetProgrammableSettings"));
        for (const QString& name : kBoxes)
            window.findChild<QLineEdit*>(name)->setText("1");  // never sent
        QVERIFY(ClickAndSettle(window, "cmdGetIDs"));
        QVERIFY(ClickAndSettle(window, "cmdGetProgrammableSettings"));
        QCOMPARE(ConfirmedTexts(window), set);

        QVERIFY(ClickAndSettle(window, "optTestModeEnabled"));
        ChangeEveryTestModeField(window, 1);
        QVERIFY(ClickAndSettle(window, "cmdSetRegisters"));
        const TestModeSettings sent = window.testModeSettings();  // Set Registers completed it
        ChangeEveryTestModeField(window, 2);
        QVERIFY(ClickAndSettle(window, "cmdGetRegisters"));
        QCOMPARE(BlockHex(window.testModeSettings()), BlockHex(sent));
    }
};

QTEST_MAIN(TestE2eConfig)
#include "tst_e2e_config.moc"
