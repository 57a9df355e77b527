#include "link/PortDeviceMap.h"
#include "link/PortProblemText.h"
#include "link/QtSerialPortAdapter.h"
#include "platform/SettingsStore.h"
#include "support/PortDescriptions.h"

#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

Q_DECLARE_METATYPE(PortOpenFailure)
Q_DECLARE_METATYPE(PortRefusal)

namespace {


const PortDescription kFtdi =
    Device("/dev/ttyUSB0", true, "FT232R USB UART", "FTDI", "A50285BI");
const PortDescription kMissing = Device("/nonexistent/ttyX", false);

}  // namespace

class TestPortDeviceMap : public QObject {
    Q_OBJECT
private slots:
    void usbBeforeBuiltIn_numbersInNaturalOrder();
    void configuredDevice_winsOverThePlatformDefault();
    void portTexts_sayDeviceDetailsAndWhy_data();
    void portTexts_sayDeviceDetailsAndWhy();
    void noModuleStatus_namesTheFirstPortTheUserCanFix_data();
    void noModuleStatus_namesTheFirstPortTheUserCanFix();
    void permissionAdvice_namesEveryRefusedDevice();
    void realAdapter_tellsWhyAConfiguredDeviceDoesNotOpen_data();
    void realAdapter_tellsWhyAConfiguredDeviceDoesNotOpen();
};

void TestPortDeviceMap::usbBeforeBuiltIn_numbersInNaturalOrder()
{
    const QStringList present{"ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyUSB0", "ttyAMA0"};
    QCOMPARE(OrderSerialDevices(present),
             (QStringList{"ttyACM0", "ttyUSB0", "ttyUSB1", "ttyS2", "ttyS10", "ttyAMA0"}));
}

void TestPortDeviceMap::configuredDevice_winsOverThePlatformDefault()
{
    SettingsStore::WriteText("Ports", "COM3", "/tmp/orvalis-test-device");
    QCOMPARE(DeviceForPortNumber(3), QStringLiteral("/tmp/orvalis-test-device"));
    QCOMPARE(DeviceForPortNumber(0), QString());
    QCOMPARE(DeviceForPortNumber(9), QString());
}

void TestPortDeviceMap::portTexts_sayDeviceDetailsAndWhy_data()
{
    QTest::addColumn<PortDescription>("port");
    QTest::addColumn<PortOpenFailure>("failure");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("advice");
    QTest::addColumn<QString>("details");

    const QString ftdiDetails = "Device: /dev/ttyUSB0\nDescription: FT232R USB UART\n"
                                "Manufacturer: FTDI\nSerial number: A50285BI";
    QTest::newRow("usb adapter, opens")
        << kFtdi << PortOpenFailure::None << "/dev/ttyUSB0 (FT232R USB UART, FTDI, S/N A50285BI)"
        << "" << ftdiDetails;
    QTest::newRow("usb adapter, permission denied")
        << kFtdi << PortOpenFailure::PermissionDenied
        << "/dev/ttyUSB0 (FT232R USB UART, FTDI, S/N A50285BI) — permission denied"
        << "/dev/ttyUSB0: permission denied. " + kDialoutAdvice
        << ftdiDetails + "\n/dev/ttyUSB0: permission denied. " + kDialoutAdvice;
    QTest::newRow("built-in port, busy")
        << Device("/dev/ttyS0") << PortOpenFailure::Busy << "/dev/ttyS0 — in use by another program"
        << "/dev/ttyS0 is in use by another program."
        << "Device: /dev/ttyS0\n/dev/ttyS0 is in use by another program.";
    QTest::newRow("configured path missing")
        << kMissing << PortOpenFailure::NotFound << "/nonexistent/ttyX — not found"
        << "/nonexistent/ttyX does not exist."
        << "Device: /nonexistent/ttyX\n/nonexistent/ttyX does not exist.";
    QTest::newRow("no device for the number")
        << PortDescription() << PortOpenFailure::Other << "(none)" << ""
        << "No serial device has this port number.";
    const QString longPath = "/home/someone/a/rather/deep/folder/for/devices/ttyUSB7";
    const QString longText = "USB-Serial Controller with a very long product name";
    QTest::newRow("long names are shortened, details keep them")
        << Device(longPath, true, longText) << PortOpenFailure::PermissionDenied
        << "/home/someone/a…/devices/ttyUSB7 (USB-Serial Controller with a very long product…)"
           " — permission denied"
        << longPath + ": permission denied. " + kDialoutAdvice
        << "Device: " + longPath + "\nDescription: " + longText + "\n" + longPath
               + ": permission denied. " + kDialoutAdvice;
}

void TestPortDeviceMap::portTexts_sayDeviceDetailsAndWhy()
{
    QFETCH(PortDescription, port);
    QFETCH(PortOpenFailure, failure);
    QFETCH(QString, label);
    QFETCH(QString, advice);
    QFETCH(QString, details);
    QCOMPARE(PortLabelText(port, failure), label);
    QCOMPARE(PortProblemAdvice(port.device, failure), advice);
    QCOMPARE(PortDetailsText(port, failure), details);
}

void TestPortDeviceMap::noModuleStatus_namesTheFirstPortTheUserCanFix_data()
{
    QTest::addColumn<QList<PortRefusal>>("refusals");
    QTest::addColumn<QString>("status");

    const QString none = "Status: No transceiver detected";
    const PortRefusal permission1{kFtdi, PortOpenFailure::PermissionDenied};
    const PortRefusal permission2{Device("/dev/ttyUSB1"), PortOpenFailure::PermissionDenied};
    const PortRefusal busy{Device("/dev/ttyS0"), PortOpenFailure::Busy};
    const PortRefusal other{Device("/dev/ttyS1"), PortOpenFailure::Other};
    const PortRefusal missing{kMissing, PortOpenFailure::NotFound};
    // The system listed the device but it was gone when opened: nothing the settings can fix.
    const PortRefusal vanished{Device("/dev/ttyUSB3", true), PortOpenFailure::NotFound};
    const QString permissionReason = " — /dev/ttyUSB0: permission denied. " + kDialoutAdvice;

    QTest::newRow("nothing refused") << QList<PortRefusal>{} << none;
    QTest::newRow("busy and other only") << QList<PortRefusal>{busy, other} << none;
    QTest::newRow("listed device vanished") << QList<PortRefusal>{vanished} << none;
    QTest::newRow("number past the devices present")
        << QList<PortRefusal>{{PortDescription{}, PortOpenFailure::NotFound}} << none;
    QTest::newRow("one refused for permission")
        << QList<PortRefusal>{busy, permission1} << none + permissionReason;
    QTest::newRow("configured path missing")
        << QList<PortRefusal>{busy, missing} << none + " — /nonexistent/ttyX does not exist.";
}

void TestPortDeviceMap::noModuleStatus_namesTheFirstPortTheUserCanFix()
{
    QFETCH(QList<PortRefusal>, refusals);
    QFETCH(QString, status);
    QCOMPARE(NoModuleStatus("Status: No transceiver detected", refusals), status);
}

void TestPortDeviceMap::permissionAdvice_namesEveryRefusedDevice()
{
    QCOMPARE(PermissionAdvice({"/dev/ttyUSB0", "/dev/ttyS0"}),
             "/dev/ttyUSB0, /dev/ttyS0: permission denied. " + kDialoutAdvice);
    QCOMPARE(PermissionAdvice({}), QString());
}

void TestPortDeviceMap::realAdapter_tellsWhyAConfiguredDeviceDoesNotOpen_data()
{
    QTest::addColumn<bool>("createUnreadableFile");
    QTest::addColumn<PortOpenFailure>("failure");
    QTest::addColumn<QString>("words");
    QTest::newRow("missing path") << false << PortOpenFailure::NotFound << "not found";
    QTest::newRow("device without access rights")
        << true << PortOpenFailure::PermissionDenied << "permission denied";
}

void TestPortDeviceMap::realAdapter_tellsWhyAConfiguredDeviceDoesNotOpen()
{
    QFETCH(bool, createUnreadableFile);
    QFETCH(PortOpenFailure, failure);
    QFETCH(QString, words);
    if (createUnreadableFile && geteuid() == 0)
        QSKIP("root may open a device whatever its access rights");
    QTemporaryDir folder;
    QString device = "/nonexistent/ttyX";
    if (createUnreadableFile) {
        device = folder.filePath("ttyX");
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::Permissions()));
    }
    SettingsStore::WriteText("Ports", "COM1", device);
    QtSerialPortAdapter port;
    QVERIFY(port.selectPort(1));
    QVERIFY(!port.open());
    QCOMPARE(port.lastOpenFailure(), failure);
    const PortDescription description = port.describePort(1);
    QCOMPARE(description.device, device);
    QCOMPARE(description.present, createUnreadableFile);
    QVERIFY2(PortLabelText(description, port.lastOpenFailure()).endsWith(" — " + words),
             qPrintable(PortLabelText(description, port.lastOpenFailure())));
}

QTEST_GUILESS_MAIN(TestPortDeviceMap)
#include "tst_portdevicemap.moc"
