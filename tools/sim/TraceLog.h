#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The --trace file: one line per frame in either direction, flushed at once so a
// test can read it while the simulator runs.
class TraceLog {
public:
    enum class Direction { HostToModule, ModuleToHost };

    // Opens `path` for appending; an empty path traces nothing.
    bool open(const QString& path, QString* error);

    void write(qint64 ms, Direction direction, int hostRate, const QByteArray& bytes, bool ignored);

    // "1532 H>M 19200 01 05 03 09 04 ignored"
    static QString line(qint64 ms, Direction direction, int hostRate, const QByteArray& bytes,
                        bool ignored);

private:
    QFile m_file;
};
