#include "traffic/TrafficSettings.h"

#include <QDir>
#include <QStandardPaths>

QString DefaultLogFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir::toNativeSeparators(folder + QLatin1Char('/'));
}
