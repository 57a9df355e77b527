#include "ui/CommunicationsLogExport.h"

#include "link/SessionHistory.h"
#include "link/SessionHistoryCsv.h"
#include "platform/UserPrompts.h"

#include <QDir>
#include <QWidget>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <memory>

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

// Written to a temporary file that replaces the old one only when complete; "" when
// written, else what went wrong.
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

CommunicationsLogExport::CommunicationsLogExport(const SessionHistory& history,
                                                 QWidget* dialogParent)
    : QObject(dialogParent), m_history(history), m_dialogParent(dialogParent)
{
    setObjectName(QStringLiteral("communicationsLogExport"));
}

CommunicationsLogExport::~CommunicationsLogExport()
{
    if (m_writer)
        m_writer->wait();
}

void CommunicationsLogExport::mnuFileExportLog_Click(const QString& startFolder)
{
    if (isWriting())
        return;
    const QString path = ChooseTargetFile(startFolder);
    if (path.isEmpty()) {
        emit finished();
        return;
    }
    StartWriting(path);
}

// The file to write, or "" when the user cancelled or keeps the file there is.
QString CommunicationsLogExport::ChooseTargetFile(const QString& startFolder) const
{
    UserPrompts::FileDialogRequest request;
    request.title = kTitle;
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
    request.startFolder = startFolder;
    const QString chosen = UserPrompts::ChooseFile(m_dialogParent, request);
    if (chosen.isEmpty())
        return {};
    const QString path = WithCsvExtension(chosen);
    return MayWriteTo(m_dialogParent, path) ? path : QString();
}

void CommunicationsLogExport::StartWriting(const QString& path)
{
    auto failure = std::make_shared<QString>();
    m_writer = QThread::create([snapshot = m_history, path, failure] {
        *failure = WriteCsv(snapshot, path);
    });
    m_writer->setParent(this);
    connect(m_writer, &QThread::finished, this, [this, path, failure] {
        m_writer->deleteLater();
        m_writer = nullptr;
        OnWritten(path, *failure);
    });
    m_writer->start();
}

void CommunicationsLogExport::OnWritten(const QString& path, const QString& failure)
{
    if (!failure.isEmpty())
        UserPrompts::ShowMessage(m_dialogParent, kTitle,
                                 QStringLiteral("The communications log could not be written to ")
                                     + QDir::toNativeSeparators(path) + QStringLiteral(":\n")
                                     + failure,
                                 UserPrompts::Icon::Exclamation);
    emit finished();
}
