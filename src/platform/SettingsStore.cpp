#include "platform/SettingsStore.h"

#include <QSettings>

#include <limits>

namespace SettingsStore {
namespace {

QSettings OpenStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kApplicationTitle);
}

QString FullKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

qint64 ReadBounded(const QString& section, const QString& key, qint64 defaultValue, qint64 min,
                   qint64 max)
{
    const QString text = ReadText(section, key, QString());
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok && value >= min && value <= max ? value : defaultValue;
}

}  // namespace

QString ReadText(const QString& section, const QString& key, const QString& defaultValue)
{
    return OpenStore().value(FullKey(section, key), defaultValue).toString();
}

qint16 ReadInt16(const QString& section, const QString& key, qint16 defaultValue)
{
    return static_cast<qint16>(ReadBounded(section, key, defaultValue,
                                           std::numeric_limits<qint16>::min(),
                                           std::numeric_limits<qint16>::max()));
}

qint32 ReadBoundedInt(const QString& section, const QString& key, qint32 defaultValue,
                      qint32 minimum, qint32 maximum)
{
    return static_cast<qint32>(ReadBounded(section, key, defaultValue, minimum, maximum));
}

void WriteText(const QString& section, const QString& key, const QString& value)
{
    QSettings store = OpenStore();
    store.setValue(FullKey(section, key), value);
    store.sync();
}

void WriteNumber(const QString& section, const QString& key, qint64 value)
{
    WriteText(section, key, QString::number(value));
}

}  // namespace SettingsStore
