// The configuration pages in the real program (the main window over QSerialPort on a
// pseudo-terminal) against the module simulator.
#include "config/ValueColours.h"
#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "platform/SettingsStore.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 5000;  // generous: the machine is shared

// The simulator as port 1; the other port numbers lead nowhere, so the search is short.
struct Module {
    SimulatorProcess process;

    bool start(const QStringList& arguments = {})
    {
        if (!process.start(arguments))
            return false;
        PointPortAt(1, process.linkPath());
        for (int p = 2; p <= 8; ++p)
            PointPortAt(p, QStringLiteral("/nonexistent/COM%1").arg(p));
        return true;
    }

    // Trace lines without their time stamps.
    QStringList trace() const
    {
        QStringList lines;
        for (const QString& line : process.traceLines())
            lines << line.section(' ', 1);
        return lines;
    }
};

struct Program {
    std::unique_ptr<frmQVOrvalisETMain> window = std::make_unique<frmQVOrvalisETMain>();

    template <typename T>
    T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }

    void click(const QString& button) const
    {
        auto* b = find<QAbstractButton>(button);
        QVERIFY2(b, qPrintable(button));
        b->click();
    }

    void type(const QString& box, const QString& text) const
    {
        find<QLineEdit>(box)->setText(text);
    }

    QStringList texts(const QStringList& boxes) const
    {
        QStringList result;
        for (const QString& box : boxes)
            result << find<QLineEdit>(box)->text();
        return result;
    }

    bool allConfirmed(const QStringList& names) const
    {
        for (const QString& name : names)
            if (TextColour(find<QWidget>(name)) != ConfirmedColour())
                return false;
        return true;
    }

    // Waits until the request now outstanding has been answered or has timed out.
    bool settled() const
    {
        const TransmitPath& transmit = window->link().transmit();
        return WaitWhileProcessingEvents([&] { return !transmit.isAwaitingResponse(); }, kWaitMs);
    }

    QStringList log() const
    {
        QStringList lines;
        const CommunicationsLogView& list = window->messageList();
        for (int i = list.count() - 1; i >= 0; --i)
            if (!list.item(i)->text().isEmpty())
                lines << list.item(i)->text();
        return lines;  // oldest first
    }
};

const QStringList kIdBoxes{"txtTransceiverID2", "txtNetworkID2", "txtSystemID2"};
const QStringList kSettingsBoxes{"txtSetHopTable2", "txtSetRFRetries2", "txtRFSingleChannel2"};
const QStringList kRecordControls{"txtSetHopTable2",      "chkAcks",
                                  "txtSetRFRetries2",     "comboInternalPALevel",
                                  "optHoppingMode",       "optSingleChannelMode",
                                  "txtRFSingleChannel2",  "chkReceiveAll"};

}  // namespace

class TestE2eConfig : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void setIds_thenGetIds_returnsTheNewValues();
    void setSettings_thenGetSettings_returnsTheNewValues();
    void statusReportOfMissingConfiguration_reprovisionsOnOpen();
    void setBaudrate57600_nextGetIdsStillAnswered();
};

void TestE2eConfig::setIds_thenGetIds_returnsTheNewValues()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Program program;
    QCOMPARE(program.window->statusPanelText(1), QStringLiteral("Comm Port: 1"));

    program.type("txtTransceiverID2", "300");
    program.type("txtNetworkID2", "65535");
    program.type("txtSystemID2", "7");
    program.click("cmdSetIDs");
    QVERIFY(program.settled());
    QVERIFY(program.allConfirmed(kIdBoxes));

    // Local edits that are never sent; the module still holds what was set.
    program.type("txtTransceiverID2", "1");
    program.type("txtSystemID2", "2");
    program.click("cmdGetIDs");
    QVERIFY(program.settled());
    QCOMPARE(program.texts(kIdBoxes), (QStringList{"300", "65535", "7"}));
    QVERIFY(program.allConfirmed(kIdBoxes));
    QVERIFY(module.trace().contains("M>H 19200 01 0B 83 2C 01 FF FF 07 00 C1 04"));
}

void TestE2eConfig::setSettings_thenGetSettings_returnsTheNewValues()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Program program;
    program.type("txtSetHopTable2", "5");
    program.type("txtSetRFRetries2", "10");
    program.type("txtRFSingleChannel2", "33");
    program.click("chkAcks");
    program.click("chkReceiveAll");
    program.click("optSingleChannelMode");
    program.find<QComboBox>("comboInternalPALevel")->setCurrentIndex(2);
    program.click("cmdSetProgrammableSettings");
    QVERIFY(program.settled());
    QVERIFY(program.allConfirmed(kRecordControls));

    program.type("txtSetHopTable2", "1");
    program.click("optHoppingMode");
    program.find<QComboBox>("comboInternalPALevel")->setCurrentIndex(0);
    program.click("cmdGetProgrammableSettings");
    QVERIFY(program.settled());
    QCOMPARE(program.texts(kSettingsBoxes), (QStringList{"5", "10", "33"}));
    QVERIFY(!program.find<QCheckBox>("chkAcks")->isChecked());
    QVERIFY(program.find<QCheckBox>("chkReceiveAll")->isChecked());
    QVERIFY(program.find<QRadioButton>("optSingleChannelMode")->isChecked());
    QCOMPARE(program.find<QComboBox>("comboInternalPALevel")->currentIndex(), 2);
    QVERIFY(program.allConfirmed(kRecordControls));
}

void TestE2eConfig::statusReportOfMissingConfiguration_reprovisionsOnOpen()
{
    SettingsStore::WriteText("Settings", "Transceiver ID", "300");
    SettingsStore::WriteText("Settings", "Single Channel", "7");
    Module module;
    QVERIFY2(module.start({"--status", "0,0"}), qPrintable(module.process.failure()));
    Program program;
    const QString setIds = "H>M 19200 01 0B 02 2C 01 01 00 01 00 3D 04";
    const QString setSettings = "H>M 19200 01 0C 08 00 01 03 00 01 07 00 21 04";
    QTRY_VERIFY2_WITH_TIMEOUT(module.trace().contains(setSettings),
                              qPrintable(module.trace().join('\n')), kWaitMs);
    const QStringList trace = module.trace();
    QVERIFY2(trace.indexOf(setIds) >= 0 && trace.indexOf(setIds) < trace.indexOf(setSettings),
             qPrintable(trace.join('\n')));
    QVERIFY(program.settled());
    QVERIFY(program.allConfirmed(kIdBoxes + kRecordControls));
}

void TestE2eConfig::setBaudrate57600_nextGetIdsStillAnswered()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Program program;
    program.click("optTransceiverBaudrate3");
    program.click("cmdSetTransceiverBaudrate");
    QTRY_COMPARE_WITH_TIMEOUT(program.window->statusPanelText(2),
                              QStringLiteral("Baud Rate: 57600"), kWaitMs);
    QCOMPARE(SettingsStore::ReadText("Properties", "BaudRate", ""), QStringLiteral("57600"));

    program.type("txtTransceiverID2", "9");
    program.click("cmdGetIDs");
    QVERIFY(program.settled());
    QCOMPARE(program.log().last(),
             QStringLiteral("TXCVR->Host (IDs): 01 0B 83 01 00 01 00 01 00 92 04 "));
    QCOMPARE(program.texts(kIdBoxes), (QStringList{"1", "1", "1"}));
    QVERIFY(module.trace().contains("M>H 57600 01 0B 83 01 00 01 00 01 00 92 04"));
}

QTEST_MAIN(TestE2eConfig)
#include "tst_e2e_config.moc"
