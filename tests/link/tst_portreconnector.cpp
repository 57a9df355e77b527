// The link's way back after a port fault: which device counts as the lost one, when it
// is reopened, and who stops the looking.
#include "link/PortReconnector.h"
#include "platform/ProtocolTimer.h"
#include "protocol/Frame.h"
#include "support/LinkHarness.h"
#include "support/PortDescriptions.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kParameters = QStringLiteral("38400,N,8,1");

PortDescription Adapter(const QString& path, const QString& serialNumber, bool present = true)
{
    return Device(path, present, {}, {}, serialNumber);
}

// A link whose port 1 ("/dev/ttyUSB0", serial number "A1") is open at 38400 until the
// adapter is pulled out.
struct Replug {
    VirtualClock clock;
    LinkHarness h{false};

    Replug()
    {
        h.port->setOnlyPortsAvailable({1});
        h.port->setPortDescription(1, Adapter("/dev/ttyUSB0", "A1"));
        h.port->setParameters(kParameters);
        h.port->open();
        h.link.state().iCommPort = 1;
    }
    void pullOut()
    {
        h.port->setOnlyPortsAvailable({});
        h.port->setPortDescription(1, Adapter({}, {}, false));
        h.port->injectFault(QStringLiteral("The serial device was disconnected"));
    }
    void plugIn(int portNumber, const PortDescription& device)
    {
        h.port->setPortDescription(portNumber, device);
        h.port->setOnlyPortsAvailable({portNumber});
    }
    // The reconnector's next look, if it is looking.
    void lookNow() { clock.advance(PortReconnector::kPollIntervalMs); }
    QStringList linesWith(const QString& text) const { return h.lines().filter(text); }
};

}  // namespace

class TestPortReconnector : public QObject {
    Q_OBJECT
private slots:
    void deviceBack_isReopenedOnce_withTheOldParameters_data()
    {
        QTest::addColumn<int>("backAt");
        QTest::addColumn<PortDescription>("back");
        QTest::addColumn<bool>("firstOpenFails");  // the device node is there before its rights
        QTest::addColumn<QString>("shownAs");
        QTest::newRow("same serial number, another path and number")
            << 3 << Adapter("/dev/ttyUSB1", "A1") << false << "/dev/ttyUSB1";
        QTest::newRow("back, but opens only at the second look")
            << 1 << Adapter("/dev/ttyUSB0", "A1") << true << "/dev/ttyUSB0";
        QTest::newRow("back under a path with a line break")
            << 2 << Adapter("/dev/tty\nUSB\x1b", "A1") << false << "/dev/tty\\nUSB\\x1b";
    }
    void deviceBack_isReopenedOnce_withTheOldParameters()
    {
        QFETCH(int, backAt);
        QFETCH(PortDescription, back);
        QFETCH(bool, firstOpenFails);
        QFETCH(QString, shownAs);
        Replug r;
        QSignalSpy reopened(&r.h.link, &LinkSession::portReopened);
        r.pullOut();
        r.lookNow();  // gone for a while: nothing to say about it
        r.lookNow();
        QCOMPARE(r.h.lines(), (QStringList{"", "Serial Port Error: The serial device was disconnected", ""}));

        if (firstOpenFails)
            r.h.port->setOpenFailure(backAt, PortOpenFailure::PermissionDenied);
        r.h.port->clearRecords();
        r.plugIn(backAt, back);
        if (firstOpenFails) {
            r.lookNow();
            QVERIFY(!r.h.port->isOpen());
            r.h.port->setOpenFailure(backAt, PortOpenFailure::None);
        }
        r.lookNow();
        QCOMPARE(reopened.size(), 1);
        QCOMPARE(r.h.link.state().iCommPort, backAt);
        QCOMPARE(r.h.lines().mid(0, 2), (QStringList{"", "Serial Port Reopened: " + shownAs}));

        QVERIFY(!r.h.link.reconnector().isArmed());  // no second reopen without a second fault
        r.lookNow();
        QCOMPARE(reopened.size(), 1);
        r.h.link.SendMessageToTransceiver(BuildFrame(0x03), false);
        QCOMPARE(r.h.port->writes().size(), 1);
        QCOMPARE(r.h.port->writes().first().parameters, kParameters);
        QCOMPARE(r.linesWith("Serial Port").size(), 2);
    }
    void portTakenOnPurpose_stopsTheLooking_data()
    {
        QTest::addColumn<QString>("takenBy");
        QTest::newRow("another port opened") << "open";
        QTest::newRow("a search looks at the ports") << "search";
        QTest::newRow("the fault came during a search") << "fault while searching";
    }
    void portTakenOnPurpose_stopsTheLooking()
    {
        QFETCH(QString, takenBy);
        Replug r;
        if (takenBy == "fault while searching")
            r.h.link.state().bSearching = true;
        r.pullOut();
        if (takenBy == "open") {  // as the settings dialog tries each port
            r.h.port->setOnlyPortsAvailable({2});
            r.h.port->selectPort(2);
            QVERIFY(r.h.port->open());
            r.h.port->close();
        } else if (takenBy == "search") {
            r.h.link.state().bSearching = true;
            r.lookNow();
        }
        r.h.link.state().bSearching = false;
        QVERIFY(!r.h.link.reconnector().isArmed());
        r.plugIn(1, Adapter("/dev/ttyUSB0", "A1"));
        r.lookNow();
        QVERIFY(!r.h.port->isOpen());
        QCOMPARE(r.linesWith("Reopened").size(), 0);
    }
};


QTEST_MAIN(TestPortReconnector)
#include "tst_portreconnector.moc"
