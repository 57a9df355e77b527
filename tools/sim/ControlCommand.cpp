#include "ControlCommand.h"

#include "protocol/Frame.h"

#include <QStringList>

#include <optional>

namespace {

constexpr int kMaxRfData = 36;

std::optional<quint8> ByteValue(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 255)
        return std::nullopt;
    return static_cast<quint8>(value);
}

std::optional<QByteArray> HexBytes(const QString& text)
{
    bool ok = false;
    const QByteArray bytes = BytesFromHexText(text, &ok);
    if (!ok)
        return std::nullopt;
    return bytes;
}

ControlCommand Invalid(const QString& why)
{
    ControlCommand command;
    command.kind = ControlCommand::Kind::Invalid;
    command.error = why;
    return command;
}

// "PID [HEX...]" after send148 / send142; the hex may be written with blanks.
ControlCommand RfData(ControlCommand::Kind kind, const QStringList& arguments, bool pidRequired)
{
    if (arguments.isEmpty() && pidRequired)
        return Invalid(QStringLiteral("a packet ID is missing"));
    const auto pid = arguments.isEmpty() ? std::optional<quint8>(0) : ByteValue(arguments.at(0));
    if (!pid)
        return Invalid(QStringLiteral("the packet ID is not 0..255"));
    const auto data = HexBytes(arguments.mid(1).join(QString()));
    if (!data)
        return Invalid(QStringLiteral("the data is not hexadecimal"));
    if (data->size() > kMaxRfData)
        return Invalid(QStringLiteral("more than %1 data bytes").arg(kMaxRfData));
    ControlCommand command;
    command.kind = kind;
    command.packetId = *pid;
    command.bytes = *data;
    return command;
}

ControlCommand Status(const QStringList& arguments)
{
    const auto ids = arguments.size() == 2 ? ByteValue(arguments.at(0)) : std::nullopt;
    const auto settings = arguments.size() == 2 ? ByteValue(arguments.at(1)) : std::nullopt;
    if (!ids || !settings)
        return Invalid(QStringLiteral("status needs two bytes 0..255"));
    ControlCommand command;
    command.kind = ControlCommand::Kind::Status;
    command.idsStatus = *ids;
    command.settingsStatus = *settings;
    return command;
}

ControlCommand Raw(const QStringList& arguments)
{
    const auto bytes = HexBytes(arguments.join(QString()));
    if (!bytes || bytes->isEmpty())
        return Invalid(QStringLiteral("raw needs hexadecimal bytes"));
    ControlCommand command;
    command.kind = ControlCommand::Kind::Raw;
    command.bytes = *bytes;
    return command;
}

ControlCommand Bare(ControlCommand::Kind kind, const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return Invalid(QStringLiteral("takes no arguments"));
    ControlCommand command;
    command.kind = kind;
    return command;
}

}  // namespace

ControlCommand ParseControlCommand(const QString& line)
{
    QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const QString verb = words.takeFirst();
    using Kind = ControlCommand::Kind;
    if (verb == QLatin1String("send148"))
        return RfData(Kind::SendRfData, words, true);
    if (verb == QLatin1String("send142"))
        return RfData(Kind::SendRfDataForAnother, words, false);
    if (verb == QLatin1String("status"))
        return Status(words);
    if (verb == QLatin1String("raw"))
        return Raw(words);
    if (verb == QLatin1String("unplug"))
        return Bare(Kind::Unplug, words);
    if (verb == QLatin1String("detach"))
        return Bare(Kind::Detach, words);
    if (verb == QLatin1String("attach"))
        return Bare(Kind::Attach, words);
    if (verb == QLatin1String("quit"))
        return Bare(Kind::Quit, words);
    return Invalid(QStringLiteral("unknown command '%1'").arg(verb));
}
