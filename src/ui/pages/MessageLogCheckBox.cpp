#include "ui/pages/MessageLogCheckBox.h"

#include "traffic/MessageLogController.h"
#include "ui/widgets/UserPrompts.h"

#include <QCheckBox>

namespace {

const QString kLogFileFilter =
    QStringLiteral("QV Orvalis Log Files (*.olf)|*.olf|All Files (*.*)|*.*");

}  // namespace

MessageLogCheckBox::MessageLogCheckBox(QWidget* parent, const QPoint& position)
    : QObject(parent)
{
    chkSaveLogToFile = new QCheckBox(QStringLiteral("Save Log To File"), parent);
    chkSaveLogToFile->setObjectName(QStringLiteral("chkSaveLogToFile"));
    chkSaveLogToFile->move(position);
    chkSaveLogToFile->resize(chkSaveLogToFile->sizeHint());
}

MessageLogQuestions MessageLogCheckBox::questions() const
{
    QCheckBox* box = chkSaveLogToFile;
    MessageLogQuestions questions;
    questions.chooseFile = [box](const QString& title, const QString& startFolder,
                                 bool fileMustExist) {
        UserPrompts::FileDialogRequest request;
        request.title = title;
        request.filter = kLogFileFilter;
        request.startFolder = startFolder;
        request.fileMustExist = fileMustExist;
        return UserPrompts::ChooseFile(box->window(), request);
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
    connect(chkSaveLogToFile, &QCheckBox::toggled, &controller,
            &MessageLogController::chkSaveLogToFile_Click);
    connect(&controller, &MessageLogController::saveLogToFileChanged, chkSaveLogToFile,
            &QCheckBox::setChecked);
}
