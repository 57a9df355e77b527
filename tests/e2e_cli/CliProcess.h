#pragma once

#include "platform/SettingsStore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <functional>

// orvalis-cli run to its end; `during` acts on it while it runs (a signal, the simulator).
struct CliResult {
    int status = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

inline CliResult RunCli(const QStringList& arguments, const std::function<void(QProcess&)>& during = {})
{
    QProcess cli;
    cli.start(QStringLiteral(ORVALIS_CLI), arguments);
    cli.waitForStarted();
    if (during)
        during(cli);
    cli.waitForFinished(60000);
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromLocal8Bit(cli.readAllStandardOutput()),
            QString::fromLocal8Bit(cli.readAllStandardError())};
}

// Ctrl+C once the command has run for `ms`.
inline std::function<void(QProcess&)> InterruptAfter(int ms)
{
    return [ms](QProcess& cli) {
        QTest::qWait(ms);
        ::kill(pid_t(cli.processId()), SIGINT);
    };
}

inline QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle);
}
