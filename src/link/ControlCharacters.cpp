#include "link/ControlCharacters.h"

namespace {

bool NeedsEscape(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:  // C0, DEL and C1
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString Escape(QChar c)
{
    switch (c.unicode()) {
    case '\n':
        return QStringLiteral("\\n");
    case '\r':
        return QStringLiteral("\\r");
    case '\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    if (c.unicode() <= 0xFF)
        return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
}

}  // namespace

QString EscapeControlCharacters(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text)
        escaped += NeedsEscape(c) ? Escape(c) : QString(c);
    return escaped;
}
