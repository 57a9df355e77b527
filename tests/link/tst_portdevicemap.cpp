#include "link/PortDeviceMap.h"
#include "platform/SettingsStore.h"

#include <QtTest>

class TestPortDeviceMap : public QObject {
    Q_OBJECT
private slots:
    void usbBeforeBuiltIn_numbersInNaturalOrder();
    void configuredDevice_winsOverThePlatformDefault();
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

QTEST_GUILESS_MAIN(TestPortDeviceMap)
#include "tst_portdevicemap.moc"
