#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Message boxes and the file dialog, behind functions that tests can answer.
namespace UserPrompts {

enum class Icon { Information, Exclamation, Question };

// A message box with an OK button.
void ShowMessage(QWidget* parent, const QString& title, const QString& text, Icon icon);

// A Yes/No question with a question icon and "No" as the default button; true for Yes.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);

// Before a file is written over: "Overwrite File", "File " + `fileName` (without its
// folder) + " already exists.  Overwrite?"; true for Yes.
bool AskToOverwrite(QWidget* parent, const QString& fileName);

struct FileDialogRequest {
    QString title;
    QString filter;          // "Name (*.ext)|*.ext|All Files (*.*)|*.*"
    QString startFolder;
    bool fileMustExist = false;
};

// The full path chosen, or an empty text when cancelled. The folder must exist.
QString ChooseFile(QWidget* parent, const FileDialogRequest& request);

// Tests replace the dialogs: each records its question and returns the scripted answer.
struct TestAnswers {
    std::function<void(const QString& title, const QString& text)> onMessage;
    std::function<bool(const QString& title, const QString& text)> onQuestion;
    std::function<QString(const FileDialogRequest&)> onChooseFile;
};
void SetAnswersForTesting(TestAnswers answers);

// "Name (*.ext)|*.ext|All Files (*.*)|*.*" -> Qt's "Name (*.ext);;All Files (*.*)"
QString QtFilterFromPairs(const QString& filter);

}  // namespace UserPrompts
