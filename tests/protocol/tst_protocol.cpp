#include "protocol/Frame.h"
#include "protocol/FrameAssembler.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Feeds the bytes and returns the frames completed, as hex text.
QStringList Assemble(FrameAssembler& rx, const QByteArray& bytes)
{
    QStringList frames;
    for (char c : bytes)
        if (rx.feed(static_cast<quint8>(c)) == FrameAssembler::Step::FrameComplete)
            frames << HexText(rx.frame()).trimmed();
    return frames;
}

}  // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void buildFrame_data();
    void buildFrame();
    void names_data();
    void names();
    void assembler_data();
    void assembler();
    void assembler_findsFrameWhereverTheStreamIsCut();
    void assembler_neverLeavesItsBufferOnRandomInput();
};

void TestProtocol::buildFrame_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("query IDs, no payload") << 0x03 << QByteArray() << Hex("01 05 03 09 04");
    QTest::newRow("checksum wraps above 255") << 0x0A << Hex("FF") << Hex("01 06 0A FF 10 04");
    QTest::newRow("start and end values inside the payload")
        << 0x01 << Hex("01 04 04 01") << Hex("01 09 01 01 04 04 01 15 04");
}

void TestProtocol::buildFrame()
{
    QFETCH(int, code);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, expected);
    const QByteArray frame = BuildFrame(static_cast<quint8>(code), payload);
    QCOMPARE(HexText(frame), HexText(expected));
    FrameAssembler rx(0, 255);
    QCOMPARE(Assemble(rx, frame).size(), 1);
    QVERIFY(rx.completedFrame().checksumOk());
}

void TestProtocol::names_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("transmitted");
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("timedOut");
    QTest::newRow("query IDs") << 3 << "Query IDs" << "Received Message" << "Query IDs";
    QTest::newRow("IDs") << 131 << "Transmitted Message" << "IDs" << "Received Message";
    QTest::newRow("code 33 has no name")
        << 33 << "Transmitted Message" << "Received Message" << "Received Message";
    QTest::newRow("code 4, never sent but named")
        << 4 << "Query IDs And Programmable Settings Status" << "Received Message"
        << "Query IDs And Programmable Settings Status";
    QTest::newRow("129") << 129 << "Transmitted Message" << "Send RF Data Message Ack/Nack"
                         << "Received Message";
    QTest::newRow("153") << 153 << "Transmitted Message" << "Set Baudrate Ack" << "Received Message";
}

void TestProtocol::names()
{
    QFETCH(int, code);
    QFETCH(QString, transmitted);
    QFETCH(QString, received);
    QFETCH(QString, timedOut);
    QCOMPARE(GetTransmittedMessageName(code), transmitted);
    QCOMPARE(GetReceivedMessageName(code), received);
    QCOMPARE(GetTimedOutMessageName(code), timedOut);
}

void TestProtocol::assembler_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QStringList>("frames");
    QTest::newRow("one frame") << Hex("01 05 96 9C 04") << QStringList{"01 05 96 9C 04"};
    QTest::newRow("garbage before the start byte skipped")
        << Hex("00 FF 04 05 01 05 96 9C 04") << QStringList{"01 05 96 9C 04"};
    QTest::newRow("LEN 47 dropped at the LEN byte, next start byte begins anew")
        << Hex("01 2F 01 05 96 9C 04") << QStringList{"01 05 96 9C 04"};
    QTest::newRow("LEN 4 dropped, the LEN byte is not a start byte")
        << Hex("01 01 05 96 9C 04") << QStringList{};
    QTest::newRow("type below 129 dropped") << Hex("01 05 80 86 04 01 05 81 87 04")
                                            << QStringList{"01 05 81 87 04"};
    QTest::newRow("type above 175 dropped") << Hex("01 05 B0 B6 04") << QStringList{};
    QTest::newRow("type 175 accepted") << Hex("01 05 AF B5 04") << QStringList{"01 05 AF B5 04"};
    QTest::newRow("last byte not 04 dropped") << Hex("01 05 96 9C 05") << QStringList{};
    QTest::newRow("01 and 04 inside the payload")
        << Hex("01 09 94 01 04 04 01 A0 04") << QStringList{"01 09 94 01 04 04 01 A0 04"};
    QTest::newRow("bad checksum still a complete frame")
        << Hex("01 05 96 00 04") << QStringList{"01 05 96 00 04"};
    QTest::newRow("two frames back to back")
        << Hex("01 05 96 9C 04 01 05 99 9F 04") << QStringList{"01 05 96 9C 04", "01 05 99 9F 04"};
    QTest::newRow("longest frame")
        << QByteArray(Hex("01 2E 94") + QByteArray(41, '\x11') + Hex("00 04"))
        << QStringList{HexText(Hex("01 2E 94") + QByteArray(41, '\x11') + Hex("00 04")).trimmed()};
}

void TestProtocol::assembler()
{
    QFETCH(QByteArray, stream);
    QFETCH(QStringList, frames);
    FrameAssembler rx;
    QCOMPARE(Assemble(rx, stream), frames);
    QCOMPARE(rx.iRxState, qint16(0));
}

void TestProtocol::assembler_findsFrameWhereverTheStreamIsCut()
{
    const QByteArray stream = Hex("7F 01 0B 83 2C 01 01 00 01 00 BD 04 01 05 96 9C 04");
    const QStringList expected{"01 0B 83 2C 01 01 00 01 00 BD 04", "01 05 96 9C 04"};
    for (int cut = 0; cut <= stream.size(); ++cut) {
        FrameAssembler rx;
        QStringList frames = Assemble(rx, stream.left(cut));
        frames << Assemble(rx, stream.mid(cut));
        QVERIFY2(frames == expected, qPrintable(QStringLiteral("cut at %1").arg(cut)));
    }
}


void TestProtocol::assembler_neverLeavesItsBufferOnRandomInput()
{
    QRandomGenerator random(12345);
    FrameAssembler rx;
    for (int i = 0; i < 200000; ++i) {
        // Bias towards start bytes and valid lengths so that deep states are reached.
        const quint32 pick = random.bounded(10);
        const quint8 byte = pick == 0 ? 0x01 : pick == 1 ? static_cast<quint8>(random.bounded(5, 47))
                                                         : static_cast<quint8>(random.bounded(256));
        rx.feed(byte);
        QVERIFY(rx.iRxIndex >= 0 && rx.iRxIndex <= FrameLayout::kMaxLength);
    }
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
