#include "SimOptions.h"

#include <QRegularExpression>

#include <functional>
#include <map>

namespace {

constexpr int kMaxCopyrightLength = 35;
constexpr int kMaxRetries = 20;
constexpr int kMaxPeerIntervalMs = 3600000;

// A whole decimal number in [min, max], or nullopt.
std::optional<qint64> NumberIn(const QString& text, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < min || value > max || text.trimmed() != text || text.startsWith('+'))
        return std::nullopt;
    return value;
}

// "a,b,c" with exactly `count` numbers in [min, max].
std::optional<QList<qint64>> NumberList(const QString& text, int count, qint64 min, qint64 max)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    QList<qint64> values;
    for (const QString& part : parts) {
        const auto value = NumberIn(part, min, max);
        if (!value)
            return std::nullopt;
        values << *value;
    }
    return values;
}

QString SetBaud(SimOptions& o, const QString& value)
{
    const auto rate = NumberIn(value, 0, 1000000);
    if (!rate || !ModuleBaudRates().contains(static_cast<int>(*rate)))
        return QStringLiteral("'%1' is not one of 9600, 19200, 38400, 57600").arg(value);
    o.baudRate = static_cast<int>(*rate);
    return {};
}

QString SetIds(SimOptions& o, const QString& value)
{
    const auto ids = NumberList(value, 3, 0, 65535);
    if (!ids)
        return QStringLiteral("'%1' is not three IDs 0..65535 as T,N,S").arg(value);
    o.transceiverId = static_cast<quint16>(ids->at(0));
    o.networkId = static_cast<quint16>(ids->at(1));
    o.systemId = static_cast<quint16>(ids->at(2));
    return {};
}

QString SetFirmware(SimOptions& o, const QString& value)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,3})\\.(\\d{1,3}),(\\d{1,3})/(\\d{1,3})/(\\d{4}),(.*)$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = form.match(value);
    const QString text = m.hasMatch() ? m.captured(6) : QString();
    const auto inByte = [&](int i) { return m.captured(i).toInt() <= 255; };
    const int year = m.captured(5).toInt();
    if (!m.hasMatch() || !inByte(1) || !inByte(2) || !inByte(3) || !inByte(4) || year < 2000
        || year > 2255)
        return QStringLiteral("'%1' is not MAJOR.MINOR,M/D/YYYY,TEXT").arg(value);
    if (text.size() > kMaxCopyrightLength)
        return QStringLiteral("the text is longer than %1 characters").arg(kMaxCopyrightLength);
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return QStringLiteral("the text has a character outside Latin-1");
    o.firmware = {static_cast<quint8>(m.captured(1).toInt()),
                  static_cast<quint8>(m.captured(2).toInt()),
                  static_cast<quint8>(m.captured(3).toInt()),
                  static_cast<quint8>(m.captured(4).toInt()),
                  year,
                  text.toLatin1()};
    return {};
}

QString SetStatus(SimOptions& o, const QString& value)
{
    const auto bytes = NumberList(value, 2, 0, 255);
    if (!bytes)
        return QStringLiteral("'%1' is not two bytes 0..255 as I,P").arg(value);
    o.statusReport =
        SimStatusReport{static_cast<quint8>(bytes->at(0)), static_cast<quint8>(bytes->at(1))};
    return {};
}

QString SetNack(SimOptions& o, const QString& value)
{
    bool ok = false;
    const double p = value.toDouble(&ok);
    if (!ok || !(p >= 0.0 && p <= 1.0))
        return QStringLiteral("'%1' is not a probability 0..1").arg(value);
    o.nackProbability = p;
    return {};
}

QString SetMaxRetries(SimOptions& o, const QString& value)
{
    const auto retries = NumberIn(value, 0, kMaxRetries);
    if (!retries)
        return QStringLiteral("'%1' is not a retry count 0..%2").arg(value).arg(kMaxRetries);
    o.maxRetries = static_cast<int>(*retries);
    return {};
}

QString SetSeed(SimOptions& o, const QString& value)
{
    const auto seed = NumberIn(value, 0, 0xFFFFFFFFLL);
    if (!seed)
        return QStringLiteral("'%1' is not a number 0..4294967295").arg(value);
    o.seed = static_cast<quint32>(*seed);
    return {};
}

QString SetPeerInterval(SimOptions& o, const QString& value)
{
    const auto ms = NumberIn(value, 0, kMaxPeerIntervalMs);
    if (!ms)
        return QStringLiteral("'%1' is not a number of milliseconds 0..%2")
            .arg(value)
            .arg(kMaxPeerIntervalMs);
    o.peerIntervalMs = static_cast<int>(*ms);
    return {};
}

QString SetFaults(SimOptions& o, const QString& value)
{
    SimFaults faults;
    for (const QString& kind : value.split(QLatin1Char(','))) {
        if (kind == QLatin1String("badchk"))
            faults.badChecksum = true;
        else if (kind == QLatin1String("noise"))
            faults.noise = true;
        else if (kind == QLatin1String("split"))
            faults.split = true;
        else if (kind == QLatin1String("silent"))
            faults.silent = true;
        else
            return QStringLiteral("'%1' is not one of badchk, noise, split, silent").arg(kind);
    }
    o.faults = faults;
    return {};
}

QString SetPath(QString& target, const QString& value)
{
    if (value.isEmpty())
        return QStringLiteral("the path is empty");
    target = value;
    return {};
}

using ValueSetter = std::function<QString(SimOptions&, const QString&)>;

const std::map<QString, ValueSetter>& OptionsWithValue()
{
    static const std::map<QString, ValueSetter> table{
        {QStringLiteral("--link"),
         [](SimOptions& o, const QString& v) { return SetPath(o.linkPath, v); }},
        {QStringLiteral("--baud"), SetBaud},
        {QStringLiteral("--ids"), SetIds},
        {QStringLiteral("--firmware"), SetFirmware},
        {QStringLiteral("--status"), SetStatus},
        {QStringLiteral("--nack"), SetNack},
        {QStringLiteral("--max-retries"), SetMaxRetries},
        {QStringLiteral("--seed"), SetSeed},
        {QStringLiteral("--peer-interval"), SetPeerInterval},
        {QStringLiteral("--trace"),
         [](SimOptions& o, const QString& v) { return SetPath(o.tracePath, v); }},
        {QStringLiteral("--fault"), SetFaults},
    };
    return table;
}

bool IsFlag(const QString& name)
{
    return name == QLatin1String("--help") || name == QLatin1String("-h")
           || name == QLatin1String("--pace");
}

// The error line, empty when the flag was taken.
QString SetFlag(SimOptionsResult& result, const QString& name, const std::optional<QString>& value)
{
    if (value)
        return name + QStringLiteral(": takes no value");
    if (name == QLatin1String("--pace"))
        result.options.pace = true;
    else
        result.helpRequested = true;
    return {};
}

// The error line, empty when the value was taken.
QString SetValue(SimOptions& options, const QString& name, const std::optional<QString>& value)
{
    const auto setter = OptionsWithValue().find(name);
    if (setter == OptionsWithValue().end())
        return name + QStringLiteral(": unknown option (see --help)");
    if (!value)
        return name + QStringLiteral(": a value is missing");
    const QString problem = setter->second(options, *value);
    return problem.isEmpty() ? QString() : name + QStringLiteral(": ") + problem;
}

}  // namespace

SimOptionsResult ParseSimOptions(const QStringList& arguments)
{
    SimOptionsResult result;
    for (int i = 0; i < arguments.size() && result.error.isEmpty(); ++i) {
        QString name = arguments.at(i);
        std::optional<QString> value;
        const int equals = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (IsFlag(name)) {
            result.error = SetFlag(result, name, value);
            continue;
        }
        if (!value && i + 1 < arguments.size())
            value = arguments.at(++i);
        result.error = SetValue(result.options, name, value);
    }
    return result;
}

QString SimUsageText()
{
    return QStringLiteral(
        "Usage: orvalis-sim [options]\n"
        "Plays the Orvalis 900 MHz transceiver module on a pseudo-terminal, so that the\n"
        "evaluation tool can talk to it as to a module on a serial port.\n"
        "\n"
        "Options:\n"
        "  --link PATH          make PATH a symbolic link to the device (a stale link is\n"
        "                       replaced; the link is removed on exit). Without it the\n"
        "                       device path is printed as the first line on stdout.\n"
        "  --baud RATE          the module's rate: 9600, 19200 (default), 38400, 57600.\n"
        "                       Bytes sent while the host's port runs at another rate are\n"
        "                       ignored.\n"
        "  --ids T,N,S          transceiver, network and system ID (default 1,1,1).\n"
        "  --firmware V,D,TEXT  firmware answer as MAJOR.MINOR,M/D/YYYY,TEXT\n"
        "                       (default 1.3,7/15/2004,(C) Orvalis Radio; TEXT <= 35 chars).\n"
        "  --status I,P         once the host first has the port open at the module's\n"
        "                       rate, wait 500 ms and send an IDs And Programmable\n"
        "                       Settings Status report with these two bytes (default: none).\n"
        "  --nack P             probability 0..1 that an RF data message is not\n"
        "                       acknowledged (default 0).\n"
        "  --max-retries R      acknowledged messages needed 0..R retries, uniformly;\n"
        "                       a message not acknowledged used all R (default 0, R <= 20).\n"
        "  --seed N             seed of the random generator (default: from the clock).\n"
        "  --peer-interval MS   every MS ms a virtual peer sends a Received RF Data Message\n"
        "                       with a counting packet ID and 1..36 data bytes (default 0:\n"
        "                       never; not while the module sleeps or no host listens).\n"
        "  --pace               write no faster than the module's rate (10 bits a byte).\n"
        "  --trace FILE         append a line per frame in either direction and per 0x00\n"
        "                       byte from the host outside a frame: milliseconds since\n"
        "                       start, H>M or M>H, the host's rate, the bytes in hex, and\n"
        "                       \"ignored\" when the module did not act on it.\n"
        "  --fault KIND[,KIND]  badchk: every 3rd frame sent has a wrong checksum;\n"
        "                       noise: stray bytes (never 0x01) before each frame sent;\n"
        "                       split: each frame sent goes out in two parts 50 ms apart;\n"
        "                       silent: commands are never answered.\n"
        "  -h, --help           show this text.\n"
        "\n"
        "Control lines on standard input (end of input does not stop the simulator):\n"
        "  send148 PID [HEX]    send a Received RF Data Message: PID, 4 zero bytes, data\n"
        "  send142 [PID [HEX]]  the same as a message sent to another transceiver\n"
        "  status I P           send an IDs And Programmable Settings Status report\n"
        "  raw HEX              write these bytes as they are\n"
        "  unplug               close the device as an unplugged adapter would, and exit\n"
        "  detach               close the device as an unplugged adapter would and remove\n"
        "                       its link, but keep running (the module keeps its state)\n"
        "  attach               after detach: a new device, linked again from the same\n"
        "                       --link path (without --link its path is printed on stdout)\n"
        "  quit                 exit\n"
        "\n"
        "RF statistics (Query RF Statistics) count the simulated radio traffic:\n"
        "  each Send RF Data Message: Total Packets Sent += 1 + retries, Unique Packets\n"
        "  Sent += 1, and when acknowledged Total and Unique Acks Received += 1;\n"
        "  each Received RF Data Message sent to the host: Total and Unique Packets\n"
        "  Received += 1 and Total and Unique Acks Sent += 1 (the module acknowledged it);\n"
        "  each message for another transceiver: Total Packets Received += 1.\n"
        "  Clear Statistics sets all eight to 0; they wrap at 65536.\n"
        "\n"
        "The simulator runs until SIGINT, SIGTERM, 'quit' or 'unplug' and then exits 0.\n"
        "Bad options exit with status 2.\n");
}
