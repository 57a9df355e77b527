#include "protocol/Frame.h"
#include "protocol/FrameAssembler.h"
#include "protocol/MessageCatalogue.h"
#include "protocol/Replies.h"
#include "support/Hex.h"

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

// The decoded values as one text, or "-" when nothing was decoded.
template <typename T, typename Show>
QString Shown(const std::optional<T>& value, Show show)
{
    return value ? show(*value) : QStringLiteral("-");
}

QString Numbers(std::initializer_list<qint64> values)
{
    QStringList texts;
    for (qint64 v : values)
        texts << QString::number(v);
    return texts.join(' ');
}

QString Decoded(int type, const QByteArray& frameBytes)
{
    const Frame f(frameBytes);
    switch (type) {
    case 131:
        return Shown(DecodeIds(f), [](const ModuleIds& i) { return Numbers({i.transceiverId, i.networkId, i.systemId}); });
    case 132:
        return Shown(DecodeSettingsStatus(f), [](const SettingsStatus& s) { return Numbers({s.hasIds, s.hasSettings}); });
    case 137:
        return Shown(DecodeProgrammableSettings(f), [](const ProgrammableSettingsRecord& r) {
            return Numbers({r.hopTable, r.acknowledgements, r.rfRetries, r.paLevel, r.rfMode, r.singleChannel, r.receiveAll});
        });
    case 129:
        return Shown(DecodeDeliveryReport(f), [](const DeliveryReport& d) { return Numbers({d.packetId, d.status, d.retries}); });
    case 143:
        return Shown(DecodeRfStatistics(f), [](const RFStatistics& s) {
            return Numbers({s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]});
        });
    case 148:
        return QString::fromLatin1(ReceivedRfDataBytes(f).toHex(' '));
    }
    return Shown(DecodeFirmwareVersion(f), [](const FirmwareVersionTexts& t) {
        return QStringList{t.version, t.date, t.copyright}.join('|');
    });
}

}  // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void buildFrame_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("query IDs, no payload") << 0x03 << QByteArray() << Hex("01 05 03 09 04");
        QTest::newRow("checksum wraps above 255") << 0x0A << Hex("FF") << Hex("01 06 0A FF 10 04");
        QTest::newRow("start and end values inside the payload")
            << 0x01 << Hex("01 04 04 01") << Hex("01 09 01 01 04 04 01 15 04");
    }
    void buildFrame()
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
    void names_data()
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
        QTest::newRow("153") << 153 << "Transmitted Message" << "Set Baudrate Ack" << "Received Message";
    }
    void names()
    {
        QFETCH(int, code);
        QFETCH(QString, transmitted);
        QFETCH(QString, received);
        QFETCH(QString, timedOut);
        QCOMPARE(GetTransmittedMessageName(code), transmitted);
        QCOMPARE(GetReceivedMessageName(code), received);
        QCOMPARE(GetTimedOutMessageName(code), timedOut);
    }
    void assembler_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("frames");
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
        const QByteArray longest = Hex("01 2E 94") + QByteArray(41, '\x11') + Hex("00 04");
        QTest::newRow("longest frame") << longest << QStringList{HexText(longest).trimmed()};
    }
    void assembler()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, frames);
        FrameAssembler rx;
        QCOMPARE(Assemble(rx, stream), frames);
        QCOMPARE(rx.iRxState, qint16(0));
    }
    void assembler_findsFrameWhereverTheStreamIsCut()
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
    void decoders_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("decoded");
        const QByteArray copyright35 = "(c) 2004 Orvalis Wireless Corp 1234";
        QTest::newRow("IDs, low byte first") << 131 << Hex("2C 01 07 00 FF FF") << "300 7 65535";
        QTest::newRow("IDs, one byte short") << 131 << Hex("2C 01 07 00 FF") << "-";
        QTest::newRow("status: IDs lost") << 132 << Hex("00 01") << "0 1";
        QTest::newRow("status: too short") << 132 << Hex("00") << "-";
        QTest::newRow("settings") << 137 << Hex("05 00 14 02 00 31 01") << "5 0 20 2 0 49 1";
        QTest::newRow("settings, too short") << 137 << Hex("05 00 14 02 00 31") << "-";
        QTest::newRow("delivery") << 129 << Hex("07 01 02") << "7 1 2";
        QTest::newRow("delivery, no retries") << 129 << Hex("07 01") << "-";
        const QByteArray statistics = Hex("34 12 02 00 03 00 04 00 05 00 06 00 00 01 FF FF");
        QTest::newRow("statistics") << 143 << statistics << "4660 2 3 4 5 6 256 65535";
        QTest::newRow("statistics, short") << 143 << statistics.chopped(1) << "-";
        QTest::newRow("RF data") << 148 << Hex("09 00 00 00 00 0F A0 41") << "0f a0 41";
        QTest::newRow("RF data, short header") << 148 << Hex("09 00") << "";
        QTest::newRow("version, N = 0") << 149 << Hex("01 03 07 0F 04 00") << "1.3|7/15/2004|";
        QTest::newRow("version, unsigned") << 149 << Hex("FF 00 01 02 FF 00") << "255.0|1/2/2255|";
        QTest::newRow("version, 35 characters") << 149 << Hex("02 05 01 01 05 23") + copyright35
                                                << "2.5|1/1/2005|" + QString::fromLatin1(copyright35);
        QTest::newRow("version, N too large") << 149 << Hex("01 03 07 0F 04 0A") + "abc" << "1.3|7/15/2004|abc";
        QTest::newRow("version, bytes beyond N") << 149 << Hex("01 03 07 0F 04 02") + "abcd" << "1.3|7/15/2004|ab";
        QTest::newRow("version, Latin-1") << 149 << Hex("01 03 07 0F 04 02") + "\xA9\xE9"
                                          << QString::fromUtf8("1.3|7/15/2004|\u00A9\u00E9");
        QTest::newRow("version, fixed bytes missing") << 149 << Hex("01 03 07 0F 04") << "-";
    }
    void decoders()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, payload);
        QFETCH(QString, decoded);
        QCOMPARE(Decoded(type, BuildFrame(quint8(type), payload)), decoded);
    }
};

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
