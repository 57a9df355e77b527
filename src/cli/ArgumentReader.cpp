#include "cli/ArgumentReader.h"

#include "link/ControlCharacters.h"
#include "link/LinkState.h"

namespace {

const QString kProgram = QStringLiteral("orvalis-cli");

bool IsPortArgument(const QString& port)
{
    bool isNumber = false;
    const int number = port.toInt(&isNumber);
    return isNumber ? number >= 1 && number <= 8 : !port.trimmed().isEmpty();
}

}  // namespace

ArgumentReader::ArgumentReader(const QString& command, const QString& synopsis,
                               const QString& description)
    : m_command(command), m_synopsis(synopsis)
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Shows this help.")));
}

void ArgumentReader::addOption(const QString& name, const QString& description,
                               const QString& valueName)
{
    m_parser.addOption(QCommandLineOption(name, description, valueName));
}

void ArgumentReader::addPortOptions()
{
    addOption(QStringLiteral("port"),
              QStringLiteral("Look for the module only on this port: a number 1 to 8 (as the "
                             "window numbers ports) or a device path such as /dev/ttyUSB0."),
              QStringLiteral("N|DEVICE"));
    addOption(QStringLiteral("baud"),
              QStringLiteral("Look for the module only at this host rate: ")
                  + HostBaudRates().join(QStringLiteral(", ")) + QLatin1Char('.'),
              QStringLiteral("RATE"));
    addOption(QStringLiteral("json"), QStringLiteral("Print one JSON object on standard output."));
}

bool ArgumentReader::parse(const QStringList& arguments)
{
    if (!m_parser.parse(arguments)) {
        fail(m_parser.errorText());
        return false;
    }
    return true;
}

QString ArgumentReader::helpText() const
{
    QString text = m_parser.helpText();
    const int usageEnd = text.indexOf(QLatin1Char('\n'));
    return text.replace(0, usageEnd, QStringLiteral("Usage: ") + kProgram + QLatin1Char(' ')
                                         + m_command + QLatin1Char(' ') + m_synopsis);
}

std::optional<int> ArgumentReader::integer(const QString& name, int minimum, int maximum)
{
    if (failed() || !isSet(name))
        return std::nullopt;
    bool ok = false;
    const int number = value(name).trimmed().toInt(&ok);
    if (ok && number >= minimum && number <= maximum)
        return number;
    fail(QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
             .arg(name)
             .arg(minimum)
             .arg(maximum)
             .arg(value(name)));
    return std::nullopt;
}

std::optional<double> ArgumentReader::percent(const QString& name)
{
    if (failed() || !isSet(name))
        return std::nullopt;
    bool ok = false;
    const double number = value(name).trimmed().toDouble(&ok);
    if (ok && number >= 0 && number <= 100)
        return number;
    fail(QStringLiteral("--%1 takes a percentage from 0 to 100, not '%2'").arg(name, value(name)));
    return std::nullopt;
}

std::optional<bool> ArgumentReader::onOff(const QString& name)
{
    if (failed() || !isSet(name))
        return std::nullopt;
    const QString text = value(name).trimmed().toLower();
    if (text == QLatin1String("on"))
        return true;
    if (text == QLatin1String("off"))
        return false;
    fail(QStringLiteral("--%1 takes on or off, not '%2'").arg(name, value(name)));
    return std::nullopt;
}

QList<int> ArgumentReader::integerList(const QString& name, int minimum, int maximum)
{
    QList<int> numbers;
    if (failed() || !isSet(name))
        return numbers;
    for (const QString& item : value(name).split(QLatin1Char(','))) {
        bool ok = false;
        const int number = item.trimmed().toInt(&ok);
        if (!ok || number < minimum || number > maximum) {
            fail(QStringLiteral("--%1 takes numbers from %2 to %3 separated by commas, not '%4'")
                     .arg(name)
                     .arg(minimum)
                     .arg(maximum)
                     .arg(item));
            return {};
        }
        numbers << number;
    }
    return numbers;
}

PortChoice ArgumentReader::portChoice()
{
    PortChoice choice{value(QStringLiteral("port")), value(QStringLiteral("baud"))};
    if (isSet(QStringLiteral("port")) && !IsPortArgument(choice.port))
        fail(QStringLiteral("--port takes a number 1 to 8 or a device path, not '%1'").arg(choice.port));
    else if (isSet(QStringLiteral("baud")) && !HostBaudRates().contains(choice.baudRate))
        fail(QStringLiteral("--baud takes one of %1, not '%2'")
                 .arg(HostBaudRates().join(QStringLiteral(", ")), choice.baudRate));
    return choice;
}

void ArgumentReader::fail(const QString& problem)
{
    if (m_problem.isEmpty())
        m_problem = problem;
}

CliParse UsageFailure(const QString& problem, const QString& command)
{
    CliParse parse;
    parse.action = CliParse::Action::Fail;
    const QString helpCommand = command.isEmpty() ? kProgram : kProgram + QLatin1Char(' ') + command;
    parse.text = kProgram + QStringLiteral(": ") + EscapeControlCharacters(problem)
                 + QStringLiteral("\nTry '") + helpCommand + QStringLiteral(" --help' for more information.\n");
    return parse;
}

CliParse HelpOf(const ArgumentReader& reader)
{
    CliParse parse;
    parse.action = CliParse::Action::ShowText;
    parse.text = reader.helpText();
    return parse;
}
