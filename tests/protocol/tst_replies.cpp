// Each reply decoded from its frame, and what a frame too short for its type gives.
#include "protocol/Replies.h"
#include "support/Hex.h"

#include <QtTest>

namespace {

// The decoded values as one text, or "-" when nothing was decoded.
template <typename T, typename Show>
QString Shown(const std::optional<T>& value, Show show)
{
    return value ? show(*value) : QStringLiteral("-");
}

QString Decoded(int type, const QByteArray& frameBytes)
{
    const Frame frame(frameBytes);
    const auto n = [](auto v) { return QString::number(v); };
    switch (type) {
    case 131:
        return Shown(DecodeIds(frame), [&](const ModuleIds& i) {
            return QStringList{n(i.transceiverId), n(i.networkId), n(i.systemId)}.join(' ');
        });
    case 132:
        return Shown(DecodeSettingsStatus(frame), [&](const SettingsStatus& s) {
            return n(int(s.hasIds)) + ' ' + n(int(s.hasSettings));
        });
    case 137:
        return Shown(DecodeProgrammableSettings(frame), [&](const ProgrammableSettingsRecord& r) {
            return QStringList{n(r.hopTable), n(r.acknowledgements), n(r.rfRetries), n(r.paLevel),
                               n(r.rfMode), n(r.singleChannel), n(r.receiveAll)}.join(' ');
        });
    case 129:
        return Shown(DecodeDeliveryReport(frame), [&](const DeliveryReport& d) {
            return QStringList{n(d.packetId), n(d.status), n(d.retries)}.join(' ');
        });
    case 143:
        return Shown(DecodeRfStatistics(frame), [&](const RFStatistics& s) {
            QStringList values;
            for (quint16 v : s)
                values << n(v);
            return values.join(' ');
        });
    case 148:
        return QString::fromLatin1(ReceivedRfDataBytes(frame).toHex(' '));
    case 149:
        return Shown(DecodeFirmwareVersion(frame), [](const FirmwareVersionTexts& t) {
            return QStringList{t.version, t.date, t.copyright}.join('|');
        });
    }
    return QStringLiteral("?");
}

}  // namespace

class TestReplies : public QObject {
    Q_OBJECT
private slots:
    void frame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("checksumOk");
        QTest::addColumn<QString>("payload");
        QTest::addColumn<int>("byteBeyond");
        QTest::newRow("good") << Hex("01 06 99 02 A2 04") << true << "02" << 0;
        QTest::newRow("bad checksum") << Hex("01 06 99 02 A3 04") << false << "02" << 0;
        QTest::newRow("no payload") << Hex("01 05 96 9C 04") << true << "" << 0;
    }
    void frame()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, checksumOk);
        QFETCH(QString, payload);
        QFETCH(int, byteBeyond);
        const Frame frame(bytes);
        QCOMPARE(frame.checksumOk(), checksumOk);
        QCOMPARE(QString::fromLatin1(frame.payload().toHex(' ')), payload);
        QCOMPARE(frame.type(), int(quint8(bytes.at(2))));
        QCOMPARE(frame.byteAt(bytes.size() + 1), byteBeyond);
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
        QTest::newRow("statistics") << 143 << Hex("34 12 02 00 03 00 04 00 05 00 06 00 00 01 FF FF")
                                    << "4660 2 3 4 5 6 256 65535";
        QTest::newRow("statistics, short") << 143 << Hex("34 12 02 00 03 00 04 00 05 00 06 00 00 01 FF")
                                           << "-";
        QTest::newRow("RF data") << 148 << Hex("09 00 00 00 00 0F A0 41") << "0f a0 41";
        QTest::newRow("RF data, none") << 148 << Hex("09 00 00 00 00") << "";
        QTest::newRow("RF data, short header") << 148 << Hex("09 00") << "";
        QTest::newRow("version, N = 0") << 149 << Hex("01 03 07 0F 04 00") << "1.3|7/15/2004|";
        QTest::newRow("version, minor 10") << 149 << Hex("01 0A 0C 1F 63 00") << "1.10|12/31/2099|";
        QTest::newRow("version, unsigned") << 149 << Hex("FF 00 01 02 FF 00") << "255.0|1/2/2255|";
        QTest::newRow("version, 35 characters") << 149 << Hex("02 05 01 01 05 23") + copyright35
                                                << "2.5|1/1/2005|" + QString::fromLatin1(copyright35);
        QTest::newRow("version, N too large") << 149 << Hex("01 03 07 0F 04 0A") + "abc"
                                              << "1.3|7/15/2004|abc";
        QTest::newRow("version, bytes beyond N") << 149 << Hex("01 03 07 0F 04 02") + "abcd"
                                                 << "1.3|7/15/2004|ab";
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

QTEST_APPLESS_MAIN(TestReplies)
#include "tst_replies.moc"
