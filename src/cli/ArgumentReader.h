#pragma once

#include "cli/CliRequest.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The options of one command, read with the checks every command shares: numbers in
// their range (refused, never taken at the bound), on/off switches, the port and rate.
// The first problem found is kept; later reads return nothing.
class ArgumentReader {
public:
    ArgumentReader(const QString& command, const QString& synopsis, const QString& description);

    void addOption(const QString& name, const QString& description, const QString& valueName = {});
    // --port, --baud and --json.
    void addPortOptions();

    // `arguments`: the program name, then what follows the command's name.
    bool parse(const QStringList& arguments);
    bool helpAsked() const { return m_parser.isSet(QStringLiteral("help")); }
    QString helpText() const;
    QStringList positional() const { return m_parser.positionalArguments(); }

    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }
    std::optional<int> integer(const QString& name, int minimum, int maximum);
    std::optional<double> percent(const QString& name);
    std::optional<bool> onOff(const QString& name);
    // A comma-separated list of numbers within the range.
    QList<int> integerList(const QString& name, int minimum, int maximum);
    PortChoice portChoice();

    void fail(const QString& problem);
    bool failed() const { return !m_problem.isEmpty(); }
    QString problem() const { return m_problem; }

private:
    QString m_command;
    QString m_synopsis;
    QCommandLineParser m_parser;
    QString m_problem;
};

// The parse of a command that failed, or asked for its help.
CliParse UsageFailure(const QString& problem, const QString& command = {});
CliParse HelpOf(const ArgumentReader& reader);
