#include "ui/pages/MessageLogCheckBox.h"

#include "platform/SettingsStore.h"
#include "traffic/MessageLogController.h"
#include "ui/widgets/UserPrompts.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QTimer>

namespace {

const QString kLogFileFilter =
    QStringLiteral("QV Orvalis Log Files (*.olf)|*.olf|All Files (*.*)|*.*");

}  // namespace

MessageLogCheckBox::MessageLogCheckBox(QWidget* parent) : QObject(parent)
{
    chkSaveLogToFile = new QCheckBox(QStringLiteral("Save Log To File"), parent);
    chkSaveLogToFile->setObjectName(QStringLiteral("chkSaveLogToFile"));
    chkSaveLogToFile->installEventFilter(this);
}

MessageLogQuestions MessageLogCheckBox::questions()
{
    QCheckBox* box = chkSaveLogToFile;
    const QPointer<MessageLogCheckBox> self(this);
    MessageLogQuestions questions;
    questions.chooseFile = [box, self](const QString& title, const QString& startFolder,
                                       bool fileMustExist) {
        UserPrompts::FileDialogRequest request;
        request.title = title;
        request.filter = kLogFileFilter;
        request.startFolder = startFolder;
        request.fileMustExist = fileMustExist;
        const QString path = UserPrompts::ChooseFile(box->window(), request);
        // The controller takes or refuses the file once this returns.
        if (self)
            QTimer::singleShot(0, self.data(), &MessageLogCheckBox::ShowLogFilePath);
        return path;
    };
    questions.askToOverwrite = [box](const QString& fileName) {
        return UserPrompts::AskToOverwrite(box->window(), fileName);
    };
    questions.showError = [box](const QString& text) {
        UserPrompts::ShowMessage(box->window(), QStringLiteral("Error"), text,
                                 UserPrompts::Icon::Exclamation);
    };
    return questions;
}

void MessageLogCheckBox::bindTo(MessageLogController& controller)
{
    m_controller = &controller;
    connect(chkSaveLogToFile, &QCheckBox::toggled, &controller,
            &MessageLogController::chkSaveLogToFile_Click);
    connect(&controller, &MessageLogController::saveLogToFileChanged, chkSaveLogToFile,
            &QCheckBox::setChecked);
    connect(&controller, &MessageLogController::saveLogToFileChanged, this,
            &MessageLogCheckBox::ShowLogFilePath);
    ShowLogFilePath();
}

// A tooltip about to show is brought up to date first, whatever changed the file.
bool MessageLogCheckBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == chkSaveLogToFile && event->type() == QEvent::ToolTip)
        ShowLogFilePath();
    return QObject::eventFilter(watched, event);
}

// The controller stores the folder of the file it takes at once, beside the file's name.
void MessageLogCheckBox::ShowLogFilePath()
{
    QString path;
    if (m_controller && !m_controller->sLogFileName().isEmpty()) {
        const QString folder = SettingsStore::ReadText(QStringLiteral("Settings"),
                                                       QStringLiteral("File Path"), QString());
        path = QDir::toNativeSeparators(folder + m_controller->sLogFileName());
    }
    chkSaveLogToFile->setToolTip(path);
}
