#include "cli/Output.h"

#include "link/ControlCharacters.h"

#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>
#include <unistd.h>

void PrintLine(const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void PrintProblem(const QString& problem)
{
    std::fprintf(stderr, "orvalis-cli: %s\n", EscapeControlCharacters(problem).toLocal8Bit().constData());
    std::fflush(stderr);
}

void PrintJson(const QJsonObject& object)
{
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Indented).constData(), stdout);
    std::fflush(stdout);
}

bool ErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

bool WriteTextFile(const QString& path, const QByteArray& content, QString* problem)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    *problem = path + QStringLiteral(": ") + file.errorString();
    return false;
}
