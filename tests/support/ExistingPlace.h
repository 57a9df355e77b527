#pragma once

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// What is already where an export is to write: "file" (a regular file holding "old"),
// "folder", "fifo" (a FIFO whose reading end is open, so that a writer does not wait
// for a reader), "lonely fifo" (a FIFO nobody reads), or "" for nothing.
class ExistingPlace {
public:
    ExistingPlace(const QString& path, const QString& kind)
    {
        if (kind == "file") {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write("old");
        } else if (kind == "folder") {
            QDir().mkpath(path);
        } else if (kind.endsWith("fifo")) {
            const QByteArray name = QFile::encodeName(path);
            ::mkfifo(name.constData(), 0600);
            if (kind == "fifo")
                m_fifoReader = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
        }
    }
    ~ExistingPlace()
    {
        if (m_fifoReader >= 0)
            ::close(m_fifoReader);
    }
    ExistingPlace(const ExistingPlace&) = delete;
    ExistingPlace& operator=(const ExistingPlace&) = delete;

    // What has been written into the FIFO so far.
    QByteArray readFifo() const
    {
        QByteArray all;
        char chunk[4096];
        ssize_t got = 0;
        while (m_fifoReader >= 0 && (got = ::read(m_fifoReader, chunk, sizeof chunk)) > 0)
            all.append(chunk, got);
        return all;
    }

private:
    int m_fifoReader = -1;
};
