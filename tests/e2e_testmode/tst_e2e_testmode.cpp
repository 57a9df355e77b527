// The register editor against the module simulator over a real pseudo-terminal: what
// Set Registers writes into the module is what Get Registers brings back.
#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "protocol/Frame.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "testmode/TestModeCodec.h"
#include "ui/CommunicationsLogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

constexpr int kWaitMs = 5000;  // generous: the machine is shared

// Every field of the editor away from its initial value, `step` entries or units on.
// Transmit is chosen before TXM, whose own choice must outlast the coupling.
void ChangeEveryField(frmQVOrvalisETMain& window, int step)
{
    auto* transmit = window.findChild<QComboBox*>("comboTransmit");
    transmit->setCurrentIndex((transmit->currentIndex() + step) % transmit->count());
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        if (field.group == RadioRegister::Operating)
            continue;
        if (auto* list = window.findChild<QComboBox*>("combo" + field.name))
            list->setCurrentIndex((list->currentIndex() + step) % list->count());
        else
            window.findChild<QLineEdit*>("txt" + field.name)
                ->setText(QString::number((field.initialValue + 3 * step) % (field.maximum + 1)));
    }
    window.findChild<QRadioButton*>(step % 2 ? "optMode1" : "optMode0")->setChecked(true);
    window.findChild<QCheckBox*>("checkStandby")->setChecked(step % 2);
}

// Clicks the button and waits for the module's reply (or the time-out).
bool ClickAndWait(frmQVOrvalisETMain& window, QAbstractButton* button)
{
    button->click();
    return WaitWhileProcessingEvents(
        [&] { return !window.link().transmit().isAwaitingResponse(); }, kWaitMs);
}

QStringList LogLines(frmQVOrvalisETMain& window)
{
    QStringList lines;
    for (int i = 0; i < window.messageList().count(); ++i)
        lines << window.messageList().item(i)->text();
    return lines;
}

}  // namespace

class TestE2eTestMode : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void getRegisters_bringsBackWhatSetRegistersWrote();
};

void TestE2eTestMode::getRegisters_bringsBackWhatSetRegistersWrote()
{
    SimulatorProcess sim(1);
    QVERIFY2(sim.start(), qPrintable(sim.failure()));
    PointPortAt(1, sim.linkPath());
    for (int p = 2; p <= 8; ++p)
        PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
    frmQVOrvalisETMain window;
    QVERIFY(window.link().port().isOpen());

    QVERIFY(ClickAndWait(window, window.findChild<QRadioButton*>("optTestModeEnabled")));
    ChangeEveryField(window, 1);
    QVERIFY(ClickAndWait(window, window.findChild<QPushButton*>("cmdSetRegisters")));
    const TestModeSettings written = window.testModeSettings();  // Set Registers completed it
    QVERIFY(LogLines(window).filter("(Set Test Mode Settings Ack)").size() == 1);

    ChangeEveryField(window, 2);
    QVERIFY(window.testModeSettings() != written);
    QVERIFY(ClickAndWait(window, window.findChild<QPushButton*>("cmdGetRegisters")));
    QCOMPARE(LogLines(window).filter("(Test Mode Settings)").size(), 1);
    QCOMPARE(HexText(EncodeTestModeSettings(window.testModeSettings())),
             HexText(EncodeTestModeSettings(written)));
    QCOMPARE(window.findChild<QComboBox*>("comboTXM")->currentIndex(), int(written.TXM));
    QCOMPARE(window.findChild<QLineEdit*>("txtTCOUNT")->text(), QString::number(written.TCOUNT));
    QVERIFY(window.findChild<QCheckBox*>("checkStandby")->isChecked());
    QVERIFY(LogLines(window).filter("Timeout!").isEmpty());
}

QTEST_MAIN(TestE2eTestMode)
#include "tst_e2e_testmode.moc"
