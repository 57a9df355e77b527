#include "PtyDevice.h"

#include <QtTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The host's side of the line, opened as a serial library would open it.
class HostSide {
public:
    explicit HostSide(const QString& device)
        : m_fd(::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~HostSide() { close(); }
    bool isOpen() const { return m_fd >= 0; }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    void setSpeed(speed_t speed)
    {
        termios settings{};
        tcgetattr(m_fd, &settings);
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        tcsetattr(m_fd, TCSANOW, &settings);
    }
    termios settings() const
    {
        termios settings{};
        tcgetattr(m_fd, &settings);
        return settings;
    }
    void makeCooked()
    {
        termios settings = this->settings();
        settings.c_lflag |= ECHO | ICANON;
        settings.c_oflag |= OPOST | ONLCR;
        tcsetattr(m_fd, TCSANOW, &settings);
    }
    bool write(const QByteArray& bytes)
    {
        return ::write(m_fd, bytes.constData(), bytes.size()) == bytes.size();
    }
    QByteArray read()
    {
        char buffer[256];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        return n > 0 ? QByteArray(buffer, n) : QByteArray();
    }

private:
    int m_fd;
};

}  // namespace

class TestPtyDevice : public QObject {
    Q_OBJECT
private slots:
    void freshDevice_hasNoHostUntilOneOpensIt();
    void hostRate_followsHostsSettings_data();
    void hostRate_followsHostsSettings();
    void everyByteValue_passesUnchangedBothWays();
    void hostLeaving_isReportedOnce_andRawModeComesBack();
};

void TestPtyDevice::freshDevice_hasNoHostUntilOneOpensIt()
{
    PtyDevice device;
    QString error;
    QVERIFY2(device.open(&error), qPrintable(error));
    QVERIFY(QFileInfo::exists(device.devicePath()));
    QVERIFY(!device.hostPresent());
    HostSide host(device.devicePath());
    QVERIFY(host.isOpen());
    QVERIFY(device.hostPresent());
    const termios settings = host.settings();
    QVERIFY((settings.c_lflag & (ECHO | ICANON)) == 0);  // raw before any host set it
    host.close();
    QVERIFY(!device.hostPresent());
}

void TestPtyDevice::hostRate_followsHostsSettings_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("rate");
    QTest::newRow("9600") << int(B9600) << 9600;
    QTest::newRow("19200") << int(B19200) << 19200;
    QTest::newRow("38400") << int(B38400) << 38400;
    QTest::newRow("57600") << int(B57600) << 57600;
    QTest::newRow("115200") << int(B115200) << 115200;
    QTest::newRow("300: no module rate") << int(B300) << 0;
}

void TestPtyDevice::hostRate_followsHostsSettings()
{
    QFETCH(int, speed);
    QFETCH(int, rate);
    PtyDevice device;
    QString error;
    QVERIFY(device.open(&error));
    HostSide host(device.devicePath());
    host.setSpeed(speed_t(speed));
    QCOMPARE(device.hostRate(), rate);
}

void TestPtyDevice::everyByteValue_passesUnchangedBothWays()
{
    PtyDevice device;
    QString error;
    QVERIFY(device.open(&error));
    HostSide host(device.devicePath());
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(char(value));
    QVERIFY(host.write(all));
    QByteArray received;
    QTRY_VERIFY_WITH_TIMEOUT((device.read(received), received.size() >= all.size()), 2000);
    QCOMPARE(received.toHex(' '), all.toHex(' '));
    QCOMPARE(device.write(all), qint64(all.size()));
    QByteArray echoed;
    QTRY_VERIFY_WITH_TIMEOUT((echoed += host.read(), echoed.size() >= all.size()), 2000);
    QCOMPARE(echoed.toHex(' '), all.toHex(' '));
    QByteArray nothing;
    QCOMPARE(device.read(nothing), PtyDevice::ReadResult::Nothing);  // no echo came back
}

void TestPtyDevice::hostLeaving_isReportedOnce_andRawModeComesBack()
{
    PtyDevice device;
    QString error;
    QVERIFY(device.open(&error));
    {
        HostSide host(device.devicePath());
        QVERIFY(host.write("\x01\x05"));
        host.makeCooked();
        QByteArray received;
        QTRY_VERIFY_WITH_TIMEOUT((device.read(received), received.size() >= 2), 2000);
        QCOMPARE(received.toHex(' '), QByteArray("01 05"));
    }
    QByteArray bytes;
    QCOMPARE(device.read(bytes), PtyDevice::ReadResult::HostGone);
    QVERIFY(!device.hostPresent());
    device.makeRaw();
    HostSide next(device.devicePath());
    QVERIFY((next.settings().c_lflag & (ECHO | ICANON)) == 0);
    QVERIFY((next.settings().c_oflag & OPOST) == 0);
    QVERIFY(device.hostPresent());
}

QTEST_GUILESS_MAIN(TestPtyDevice)
#include "tst_ptydevice.moc"
