#pragma once

#include <QJsonObject>
#include <QString>

// Standard output carries results, one line at a time; standard error carries problems
// and progress.
void PrintLine(const QString& line);
// "orvalis-cli: <problem>" on standard error.
void PrintProblem(const QString& problem);
void PrintJson(const QJsonObject& object);
// Whether standard error is a terminal (progress is shown only there).
bool ErrorIsTerminal();
// Writes the whole text to the file, reporting a failure as "<file>: <reason>".
bool WriteTextFile(const QString& path, const QByteArray& content, QString* problem);
