// The floor under the tool's cost at the line rate: a bare Qt program that reads the
// same port the tool would, cuts the bytes into frames and appends one line per frame
// to a QPlainTextEdit that keeps the newest 100, the lines of 50 ms at a time.
// Nothing else: no protocol, no counters, no log file. bench_rx_flood runs it beside
// the tool and compares their CPU time.
// Usage: bench_rx_floor <device> <baud rate>
#include <QApplication>
#include <QPlainTextEdit>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

constexpr char kStartOfFrame = 0x01;
constexpr int kShortestFrame = 4;  // start, length, type, end
constexpr int kBatchMs = 50;
constexpr int kLinesKept = 100;

class FloorWindow : public QPlainTextEdit {
public:
    FloorWindow(const QString& device, qint32 baud)
    {
        setReadOnly(true);
        setMaximumBlockCount(kLinesKept);
        resize(800, 600);
        m_batch.setSingleShot(true);
        m_batch.setInterval(kBatchMs);
        connect(&m_batch, &QTimer::timeout, this, &FloorWindow::showBatch);
        connect(&m_port, &QSerialPort::readyRead, this, &FloorWindow::readFrames);
        m_port.setPortName(device);
        m_port.setBaudRate(baud);
        if (!m_port.open(QIODevice::ReadWrite))
            std::fprintf(stderr, "bench_rx_floor: %s\n", qPrintable(m_port.errorString()));
    }

private:
    // A frame is 0x01, its whole length, its type, ..., 0x04; bytes before a start go.
    void readFrames()
    {
        m_pending += m_port.readAll();
        qsizetype used = 0;  // bytes before this are lines or noise
        while (true) {
            const qsizetype at = m_pending.indexOf(kStartOfFrame, used);
            if (at < 0) {
                used = m_pending.size();
                break;
            }
            used = at;
            if (m_pending.size() - at < 2)
                break;
            const int length = static_cast<quint8>(m_pending[at + 1]);
            if (length < kShortestFrame) {
                used = at + 1;
                continue;
            }
            if (m_pending.size() - at < length)
                break;
            m_lines << QStringLiteral("TXCVR->Host: ")
                           + QString::fromLatin1(m_pending.mid(at, length).toHex(' ').toUpper());
            used = at + length;
        }
        m_pending.remove(0, used);
        if (!m_lines.isEmpty() && !m_batch.isActive())
            m_batch.start();
    }

    void showBatch()
    {
        appendPlainText(m_lines.join(QLatin1Char('\n')));
        m_lines.clear();
    }

    QSerialPort m_port;
    QByteArray m_pending;
    QStringList m_lines;
    QTimer m_batch;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_rx_floor <device> <baud rate>\n");
        return 2;
    }
    FloorWindow window(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]).toInt());
    window.show();
    return app.exec();
}
