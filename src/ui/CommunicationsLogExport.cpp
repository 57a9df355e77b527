#include "ui/CommunicationsLogExport.h"

#include "link/SessionHistory.h"
#include "link/SessionHistoryCsv.h"
#include "platform/ExportFile.h"
#include "ui/widgets/UserPrompts.h"
#include "ui/ExportTarget.h"

#include <QDir>
#include <QThread>
#include <QWidget>

#include <memory>

namespace {

const QString kTitle = QStringLiteral("Export Communications Log");

QString WriteCsv(const SessionHistory& history, const QString& path)
{
    return WriteExportFile(path, [&history](QIODevice& out) {
        return WriteSessionHistoryCsv(history, out);
    });
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

// The file to write, or "" when the user cancelled, chose a folder or keeps the file
// there is.
QString CommunicationsLogExport::ChooseTargetFile(const QString& startFolder) const
{
    UserPrompts::FileDialogRequest request;
    request.title = kTitle;
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
    request.startFolder = startFolder;
    const QString chosen = UserPrompts::ChooseFile(m_dialogParent, request);
    if (chosen.isEmpty())
        return {};
    return ConfirmExportTarget(m_dialogParent, kTitle, chosen, QStringLiteral("csv"));
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
