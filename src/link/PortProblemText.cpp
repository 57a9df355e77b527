#include "link/PortProblemText.h"

#include "link/ControlCharacters.h"

namespace {

constexpr int kMaxDeviceChars = 32;
constexpr int kMaxDetailsChars = 48;
const QChar kEllipsis(0x2026);

const QString kDialoutAdvice = QStringLiteral(
    "On most distributions you must be in the dialout group: "
    "sudo usermod -aG dialout $USER, then log out and in.");

// A device path keeps its start and its name: "/home/someone/a…/devices/ttyUSB7".
QString ElideMiddle(const QString& text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    const int tail = maxChars / 2;
    return text.left(maxChars - tail - 1) + kEllipsis + text.right(tail);
}

QString ElideRight(const QString& text, int maxChars)
{
    return text.size() <= maxChars ? text : text.left(maxChars - 1).trimmed() + kEllipsis;
}

// "FT232R USB UART, FTDI, S/N A50285BI": whatever the system knows, in that order.
QString KnownDetails(const PortDescription& port)
{
    QStringList details;
    if (!port.description.isEmpty())
        details << port.description;
    if (!port.manufacturer.isEmpty())
        details << port.manufacturer;
    if (!port.serialNumber.isEmpty())
        details << QStringLiteral("S/N ") + port.serialNumber;
    return EscapeControlCharacters(details.join(QStringLiteral(", ")));
}

// Only problems the user can remove: permission, a named device that is not there, or
// one that is no serial port at all.
bool IsFixableByTheUser(const PortRefusal& refusal)
{
    switch (refusal.failure) {
    case PortOpenFailure::PermissionDenied:
    case PortOpenFailure::NotASerialPort:
        return true;
    case PortOpenFailure::NotFound:  // a number that names no device is no fault
        return !refusal.port.present && !refusal.port.device.isEmpty();
    default:
        return false;
    }
}

}  // namespace

QString PortFailureWords(PortOpenFailure failure)
{
    switch (failure) {
    case PortOpenFailure::None:
        return {};
    case PortOpenFailure::PermissionDenied:
        return QStringLiteral("permission denied");
    case PortOpenFailure::Busy:
        return QStringLiteral("in use by another program");
    case PortOpenFailure::NotFound:
        return QStringLiteral("not found");
    case PortOpenFailure::NotASerialPort:
        return QStringLiteral("not a serial port");
    case PortOpenFailure::Other:
        break;
    }
    return QStringLiteral("cannot be opened");
}

QString PortLabelText(const PortDescription& port, PortOpenFailure failure)
{
    if (port.device.isEmpty())
        return QStringLiteral("(none)");
    QString text = ElideMiddle(EscapeControlCharacters(port.device), kMaxDeviceChars);
    const QString details = KnownDetails(port);
    if (!details.isEmpty())
        text += QStringLiteral(" (") + ElideRight(details, kMaxDetailsChars) + QLatin1Char(')');
    const QString words = PortFailureWords(failure);
    if (!words.isEmpty())
        text += QStringLiteral(" — ") + words;
    return text;
}

QString PortDetailsText(const PortDescription& port, PortOpenFailure failure)
{
    if (port.device.isEmpty())
        return QStringLiteral("No serial device has this port number.");
    QStringList lines{QStringLiteral("Device: ") + EscapeControlCharacters(port.device)};
    if (!port.description.isEmpty())
        lines << QStringLiteral("Description: ") + EscapeControlCharacters(port.description);
    if (!port.manufacturer.isEmpty())
        lines << QStringLiteral("Manufacturer: ") + EscapeControlCharacters(port.manufacturer);
    if (!port.serialNumber.isEmpty())
        lines << QStringLiteral("Serial number: ") + EscapeControlCharacters(port.serialNumber);
    const QString advice = PortProblemAdvice(port.device, failure);
    if (!advice.isEmpty())
        lines << advice;
    return lines.join(QLatin1Char('\n'));
}

QString PortProblemAdvice(const QString& device, PortOpenFailure failure)
{
    if (device.isEmpty())
        return {};  // nothing to open, so nothing to fix
    const QString shown = EscapeControlCharacters(device);
    switch (failure) {
    case PortOpenFailure::None:
        return {};
    case PortOpenFailure::PermissionDenied:
        return PermissionAdvice({device});
    case PortOpenFailure::Busy:
        return shown + QStringLiteral(" is in use by another program.");
    case PortOpenFailure::NotFound:
        return shown + QStringLiteral(" does not exist.");
    case PortOpenFailure::NotASerialPort:
        return shown + QStringLiteral(" is not a serial port.");
    case PortOpenFailure::Other:
        break;
    }
    return shown + QStringLiteral(" cannot be opened.");
}

QString PermissionAdvice(const QStringList& devices)
{
    if (devices.isEmpty())
        return {};
    return EscapeControlCharacters(devices.join(QStringLiteral(", ")))
           + QStringLiteral(": permission denied. ") + kDialoutAdvice;
}

QString NoModuleStatus(const QString& status, const QList<PortRefusal>& refusals)
{
    // Permission first: it usually bars every port at once, and one command lifts it.
    const PortRefusal* reason = nullptr;
    for (const PortRefusal& refusal : refusals) {
        if (refusal.failure == PortOpenFailure::PermissionDenied) {
            reason = &refusal;
            break;
        }
        if (!reason && IsFixableByTheUser(refusal))
            reason = &refusal;
    }
    if (!reason)
        return status;
    return status + QStringLiteral(" — ")
           + PortProblemAdvice(reason->port.device, reason->failure);
}
