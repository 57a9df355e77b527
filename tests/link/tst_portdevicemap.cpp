#include "link/ControlCharacters.h"
#include "link/PortDeviceMap.h"
#include "link/PortProblemText.h"
#include "link/QtSerialPortAdapter.h"
#include "platform/SettingsStore.h"
#include "support/PortDescriptions.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(PortOpenFailure)
Q_DECLARE_METATYPE(PortRefusal)

namespace {

const PortDescription kFtdi = Device("/dev/ttyUSB0", true, "FT232R USB UART", "FTDI", "A50285BI");
const PortDescription kMissing = Device("/nonexistent/ttyX", false);
const PortDescription kNull = Device("/dev/null");
const PortDescription kTwoLines = Device("/dev/tty\nUSB0\x1b[31m");
const QString kTwoLinesShown = "/dev/tty\\nUSB0\\x1b[31m";

// A path of `kind` in `folder` that the adapter is given to open; empty when it cannot be made.
QString MakeDevice(const QString& kind, const QTemporaryDir& folder)
{
    const QString path = folder.filePath("ttyX");
    if (kind == "missing")
        return "/nonexistent/ttyX";
    if (kind == "/dev/null")
        return kind;
    if (kind == "folder")
        return QDir().mkdir(path) ? path : QString();
    if (kind == "fifo")
        return mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
    QFile file(path);
    const bool made = file.open(QIODevice::WriteOnly);
    file.close();
    return made && (kind != "unreadable file" || file.setPermissions({})) ? path : QString();
}

}  // namespace

class TestPortDeviceMap : public QObject {
    Q_OBJECT
private slots:
    void escapeControlCharacters_leavesOneLineOfPrintableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("line feed, return, tab") << "/dev/a\nb\rc\td" << "/dev/a\\nb\\rc\\td";
        QTest::newRow("terminal escape") << "/dev/\x1b[2Jx" << "/dev/\\x1b[2Jx";
        QTest::newRow("NUL, DEL and a C1 control")
            << QString("a") + QChar(0x00) + "b" + QChar(0x7f) + "c" + QChar(0x9b) + "d"
            << "a\\x00b\\x7fc\\x9bd";
        QTest::newRow("unicode line and paragraph separators")
            << QString("a") + QChar(0x2028) + "b" + QChar(0x2029) + "c" << "a\\u2028b\\u2029c";
        const QString letters = QString::fromUtf8("/home/jürgen/Gerät\\ü");
        QTest::newRow("letters of any script and backslashes stay") << letters << letters;
    }
    void escapeControlCharacters_leavesOneLineOfPrintableText()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(EscapeControlCharacters(text), shown);
    }
    // USB before built-in, numbers in natural order; a configured device wins over both.
    void portNumbers_nameDevices()
    {
        QCOMPARE(OrderSerialDevices({"ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyUSB0", "ttyAMA0"}),
                 (QStringList{"ttyACM0", "ttyUSB0", "ttyUSB1", "ttyS2", "ttyS10", "ttyAMA0"}));
        SettingsStore::WriteText("Ports", "COM3", "/tmp/orvalis-test-device");
        QCOMPARE(DeviceForPortNumber(3), QStringLiteral("/tmp/orvalis-test-device"));
        QCOMPARE(DeviceForPortNumber(0), QString());
        QCOMPARE(DeviceForPortNumber(9), QString());
    }
    void portTexts_sayDeviceDetailsAndWhy_data()
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
        QTest::newRow("not a serial port")
            << kNull << PortOpenFailure::NotASerialPort << "/dev/null — not a serial port"
            << "/dev/null is not a serial port."
            << "Device: /dev/null\n/dev/null is not a serial port.";
        QTest::newRow("control characters in the path are escaped")
            << kTwoLines << PortOpenFailure::Busy << kTwoLinesShown + " — in use by another program"
            << kTwoLinesShown + " is in use by another program."
            << "Device: " + kTwoLinesShown + "\n" + kTwoLinesShown + " is in use by another program.";
    }
    void portTexts_sayDeviceDetailsAndWhy()
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
    void noModuleStatus_namesTheFirstPortTheUserCanFix_data()
    {
        QTest::addColumn<QList<PortRefusal>>("refusals");
        QTest::addColumn<QString>("status");

        const QString none = "Status: No transceiver detected";
        const PortRefusal permission1{kFtdi, PortOpenFailure::PermissionDenied};
        const PortRefusal busy{Device("/dev/ttyS0"), PortOpenFailure::Busy};
        const PortRefusal other{Device("/dev/ttyS1"), PortOpenFailure::Other};
        const PortRefusal missing{kMissing, PortOpenFailure::NotFound};
        const PortRefusal notSerial{kNull, PortOpenFailure::NotASerialPort};
        // The system listed the device but it was gone when opened: nothing the settings can fix.
        const PortRefusal vanished{Device("/dev/ttyUSB3", true), PortOpenFailure::NotFound};
        const QString permissionReason = " — /dev/ttyUSB0: permission denied. " + kDialoutAdvice;

        QTest::newRow("busy, other, listed device vanished") << QList<PortRefusal>{busy, other, vanished} << none;
        QTest::newRow("configured path missing")
            << QList<PortRefusal>{busy, missing} << none + " — /nonexistent/ttyX does not exist.";
        QTest::newRow("not a serial port, after a missing one")
            << QList<PortRefusal>{notSerial, missing} << none + " — /dev/null is not a serial port.";
        QTest::newRow("permission before not a serial port")
            << QList<PortRefusal>{notSerial, permission1} << none + permissionReason;
    }
    void noModuleStatus_namesTheFirstPortTheUserCanFix()
    {
        QFETCH(QList<PortRefusal>, refusals);
        QFETCH(QString, status);
        QCOMPARE(NoModuleStatus("Status: No transceiver detected", refusals), status);
    }
    void permissionAdvice_namesEveryRefusedDevice()
    {
        QCOMPARE(PermissionAdvice({"/dev/ttyUSB0", "/dev/ttyS0"}),
                 "/dev/ttyUSB0, /dev/ttyS0: permission denied. " + kDialoutAdvice);
        QCOMPARE(PermissionAdvice({}), QString());
        QCOMPARE(PermissionAdvice({kTwoLines.device}),
                 kTwoLinesShown + ": permission denied. " + kDialoutAdvice);
    }
    void realAdapter_tellsWhyAConfiguredDeviceDoesNotOpen_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<PortOpenFailure>("failure");
        QTest::addColumn<QString>("words");
        QTest::newRow("missing path") << "missing" << PortOpenFailure::NotFound << "not found";
        QTest::newRow("device without access rights")
            << "unreadable file" << PortOpenFailure::PermissionDenied << "permission denied";
        for (const char* kind : {"/dev/null", "fifo", "regular file", "folder"})
            QTest::newRow(kind) << kind << PortOpenFailure::NotASerialPort << "not a serial port";
    }
    void realAdapter_tellsWhyAConfiguredDeviceDoesNotOpen()
    {
        QFETCH(QString, kind);
        QFETCH(PortOpenFailure, failure);
        QFETCH(QString, words);
        if (kind == "unreadable file" && geteuid() == 0)
            QSKIP("root may open a device whatever its access rights");
        QTemporaryDir folder;
        const QString device = MakeDevice(kind, folder);
        QVERIFY(!device.isEmpty());
        SettingsStore::WriteText("Ports", "COM1", device);
        QtSerialPortAdapter port;
        QVERIFY(port.selectPort(1));
        QVERIFY(!port.open());
        QCOMPARE(port.lastOpenFailure(), failure);
        const PortDescription description = port.describePort(1);
        QCOMPARE(description.device, device);
        QCOMPARE(description.present, kind != "missing");
        QVERIFY2(PortLabelText(description, port.lastOpenFailure()).endsWith(" — " + words),
                 qPrintable(PortLabelText(description, port.lastOpenFailure())));
    }
};


QTEST_GUILESS_MAIN(TestPortDeviceMap)
#include "tst_portdevicemap.moc"
