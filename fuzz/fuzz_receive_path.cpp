// Arbitrary bytes, in arbitrary notifications, through the program's receive path: the
// frame assembler, the inter-byte gap timer, the log and the dispatcher. Each input is
// a script of steps; the path is checked step by step against the plain receive rules
// of ReferenceAssembler.
#include "FireTimer.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ReferenceAssembler.h"
#include "link/LinkSession.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingMessageList.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

namespace {

constexpr int kCataloguedResponses[] = {129, 130, 131, 132, 136, 137, 142, 143,
                                        144, 145, 146, 147, 148, 149, 150, 153};

bool IsCatalogued(int type)
{
    return std::find(std::begin(kCataloguedResponses), std::end(kCataloguedResponses), type)
           != std::end(kCataloguedResponses);
}

QString HexOf(const QByteArray& frame)
{
    return QString::fromLatin1(frame.toHex(' ').toUpper()) + QLatin1Char(' ');
}

// The hex text at the end of a "TXCVR->Host (name): hex" line, or "" for other lines.
QString ReceivedHex(const QString& line)
{
    if (!line.contains(QLatin1String("TXCVR->Host (")))
        return {};
    return line.mid(line.indexOf(QLatin1String("): ")) + 3);
}

class ReceivePathRun {
public:
    explicit ReceivePathRun(FuzzInput& input)
        : m_in(input), m_port(new FakeSerialPort), m_link(std::unique_ptr<SerialPort>(m_port), m_list)
    {
        m_port->selectPort(1);
        m_port->setParameters(QStringLiteral("19200,N,8,1"));
        m_port->open();
        m_link.log().setLineAddedHook([this](const QString& line) {
            const QString hex = ReceivedHex(line);
            if (!hex.isEmpty())
                m_loggedHex << hex;
        });
        for (int type : kCataloguedResponses)
            m_link.dispatcher().registerHandler(type, [this, type](const Frame& f) { onHandler(type, f); });
        m_link.receive().setRfDataDisplay([this](const Frame& f) { m_displayed << f.bytes(); });
    }

    void run()
    {
        while (!m_in.atEnd()) {
            step(m_in.byte());
            FuzzRequire(m_link.receive().tmrSerial().isActive() == m_reference.inFrame(),
                        "the gap timer runs exactly while a frame is partly in");
            FuzzRequire(m_link.transmit().isAwaitingResponse() == m_watchdogExpected,
                        "only a complete frame ends the wait for a response");
        }
        FuzzRequire(m_handled == m_expectedHandled, "every good frame, and only those, is handled");
        FuzzRequire(m_loggedHex == m_expectedLoggedHex, "every complete frame is logged in order");
        FuzzRequire(m_displayed == m_expectedDisplayed, "every complete RF data frame is shown");
    }

private:
    // The low three bits of the control byte choose the step, the rest its size.
    void step(quint8 control)
    {
        const int size = (control >> 3) + 1;  // 1 .. 32
        switch (control & 7) {
        case 5:
            FireTimer(m_link.receive().tmrSerial());
            m_reference.gap();
            break;
        case 6:
            if (size % 2)
                m_link.state().bSearching = !m_link.state().bSearching;
            else
                m_port->raiseOverflow();
            break;
        case 7:
            if (size % 2) {
                m_link.transmit().StartMsgTimeoutTimer();
                m_watchdogExpected = true;
            } else {
                m_bytesForNextHandler = m_in.bytes(size / 2);
            }
            break;
        default:
            feed(m_in.bytes(size));
            break;
        }
    }

    // One receive notification carrying these bytes.
    void feed(const QByteArray& bytes)
    {
        for (char c : bytes) {
            const std::optional<QByteArray> frame = m_reference.feed(static_cast<unsigned char>(c));
            if (!frame)
                continue;
            m_watchdogExpected = false;
            if (!m_link.state().bSearching)
                m_expectedLoggedHex << HexOf(*frame);
            if (static_cast<unsigned char>(frame->at(2)) == 148)
                m_expectedDisplayed << *frame;
            const int type = static_cast<unsigned char>(frame->at(2));
            const bool searchAnswer = m_link.state().bSearching && type == 131;  // only says "found"
            if (ReferenceAssembler::checksumHolds(*frame) && IsCatalogued(type) && !searchAnswer)
                m_expectedHandled << *frame;
        }
        m_port->feedReceived(bytes);
    }

    // Bytes may arrive while a handler runs; the handler must still hold its own frame.
    void onHandler(int type, const Frame& handled)
    {
        const QByteArray frame = handled.bytes();
        FuzzRequire(handled.type() == type, "a handler runs only for its own type");
        for (int i = -1; i <= FrameLayout::kMaxLength; ++i) {
            const bool inFrame = i >= 1 && 3 + i <= frame.size();
            FuzzRequire(handled.payloadByte(i) == (inFrame ? static_cast<unsigned char>(frame.at(2 + i)) : 0),
                        "payload byte i is frame byte 3 + i, and 0 beyond the frame");
        }
        m_handled << frame;
        if (m_bytesForNextHandler.isEmpty())
            return;
        feed(std::exchange(m_bytesForNextHandler, {}));
        FuzzRequire(handled.bytes() == frame, "frames arriving during a handler leave its frame alone");
    }

    FuzzInput& m_in;
    RecordingMessageList m_list;
    FakeSerialPort* m_port;
    LinkSession m_link;
    ReferenceAssembler m_reference;
    QByteArray m_bytesForNextHandler;
    bool m_watchdogExpected = false;
    QList<QByteArray> m_handled;
    QList<QByteArray> m_expectedHandled;
    QList<QByteArray> m_displayed;
    QList<QByteArray> m_expectedDisplayed;
    QStringList m_loggedHex;
    QStringList m_expectedLoggedHex;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The path's timers need the application's event dispatcher; no event loop runs.
    // Never destroyed: Qt's own statics may be gone by the time exit handlers run.
    static int argc = 1;
    static char name[] = "fuzz_receive_path";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    ReceivePathRun(input).run();
    return 0;
}
