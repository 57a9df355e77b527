#pragma once

#include <QJsonObject>
#include <QStringList>

class CliModule;

// The figures of a link test as the Statistics page shows them, taken from the same
// counters and texts: sent, received, acknowledged, failed, the retry rows, both
// success rates and the throughput.
struct TestFigures {
    qint64 sent = 0;
    qint64 received = 0;
    qint64 acknowledged = 0;
    qint64 failed = 0;
    qint64 totalTransmissions = 0;
    QList<qint64> retryRows;  // acknowledged after 0 .. retries retries
    double successWithRetries = 0;  // "Pkt Success Rate (Retries Included)"
    double overallSuccess = 0;
    QString successWithRetriesText;
    QString overallSuccessText;
    double throughputKbps = 0;  // the average of the last throughput tick
    double elapsedSeconds = 0;
};

TestFigures TakeFigures(CliModule& module, double throughputKbps, double elapsedSeconds);

QJsonObject FiguresJson(const TestFigures& figures);
// The summary for people: one "name: value" line each.
QStringList FiguresText(const TestFigures& figures);
