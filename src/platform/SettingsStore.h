#pragma once

#include <QString>

// The per-user settings store, addressed by section and key under the application
// name "QV Orvalis Evaluation Tool". Every write is synced at once, so a crash loses
// nothing.
namespace SettingsStore {

inline const QString kApplicationTitle = QStringLiteral("QV Orvalis Evaluation Tool");

QString ReadText(const QString& section, const QString& key, const QString& defaultValue);

// A missing key, or one that does not hold a whole number in range, yields the default.
qint16 ReadInt16(const QString& section, const QString& key, qint16 defaultValue);

// A missing key, or one that does not hold a whole number within minimum .. maximum, yields
// the default: a hand-edited store never carries a value past the place that reads it.
qint32 ReadBoundedInt(const QString& section, const QString& key, qint32 defaultValue,
                      qint32 minimum, qint32 maximum);

void WriteText(const QString& section, const QString& key, const QString& value);
void WriteNumber(const QString& section, const QString& key, qint64 value);

}  // namespace SettingsStore
