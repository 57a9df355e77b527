#include "ui/widgets/UserPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace UserPrompts {
namespace {

TestAnswers& Answers()
{
    static TestAnswers answers;
    return answers;
}

QMessageBox::Icon ToQt(Icon icon)
{
    switch (icon) {
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Information:
        break;
    }
    return QMessageBox::Information;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    if (Answers().onMessage) {
        Answers().onMessage(title, text);
        return;
    }
    QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text)
{
    if (Answers().onQuestion)
        return Answers().onQuestion(title, text);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool AskToOverwrite(QWidget* parent, const QString& fileName)
{
    return AskYesNo(parent, QStringLiteral("Overwrite File"),
                    QStringLiteral("File ") + fileName
                        + QStringLiteral(" already exists.  Overwrite?"));
}

QString QtFilterFromPairs(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        names << parts[i];
    return names.join(QStringLiteral(";;"));
}

QString ChooseFile(QWidget* parent, const FileDialogRequest& request)
{
    if (Answers().onChooseFile)
        return Answers().onChooseFile(request);
    QFileDialog dialog(parent, request.title, request.startFolder,
                       QtFilterFromPairs(request.filter));
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(request.fileMustExist ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Overwriting is asked by the program itself, with its own question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void SetAnswersForTesting(TestAnswers answers)
{
    Answers() = std::move(answers);
}

}  // namespace UserPrompts
