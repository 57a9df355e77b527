#include "ui/CommunicationsLogExport.h"

#include "link/SessionHistoryCsv.h"
#include "platform/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kTitle = QStringLiteral("Export Communications Log");

QString WithCsvExtension(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".csv") : path;
}

bool MayWriteTo(QWidget* parent, const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return true;
    return UserPrompts::AskYesNo(parent, QStringLiteral("Overwrite File"),
                                 QStringLiteral("File ") + file.fileName()
                                     + QStringLiteral(" already exists.  Overwrite?"));
}

// Written to a temporary file that replaces the old one only when complete.
QString WriteCsv(const SessionHistory& history, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!WriteSessionHistoryCsv(history, file) || !file.commit())
        return file.errorString();
    return {};
}

}  // namespace

void ExportCommunicationsLog(QWidget* parent, const SessionHistory& history,
                             const QString& startFolder)
{
    UserPrompts::FileDialogRequest request;
    request.title = kTitle;
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
    request.startFolder = startFolder;
    const QString chosen = UserPrompts::ChooseFile(parent, request);
    if (chosen.isEmpty())
        return;
    const QString path = WithCsvExtension(chosen);
    if (!MayWriteTo(parent, path))
        return;
    const QString failure = WriteCsv(history, path);
    if (!failure.isEmpty())
        UserPrompts::ShowMessage(parent, kTitle,
                                 QStringLiteral("The communications log could not be written to ")
                                     + QDir::toNativeSeparators(path) + QStringLiteral(":\n")
                                     + failure,
                                 UserPrompts::Icon::Exclamation);
}
