#pragma once

#include <QObject>
#include <QPointer>

class MessageLogController;
class QCheckBox;
class QWidget;
struct MessageLogQuestions;

// "Save Log To File" over the message log controller, and the questions the controller
// asks, as message boxes and file dialogs over the box's window. The box's tooltip is
// the full path of the chosen log file (empty while none is chosen).
class MessageLogCheckBox : public QObject {
    Q_OBJECT
public:
    // Makes chkSaveLogToFile on `parent`, for a layout to place.
    explicit MessageLogCheckBox(QWidget* parent);

    QCheckBox* checkBox() const { return chkSaveLogToFile; }

    // The controller's questions, asked over the box's window.
    MessageLogQuestions questions();
    // The box follows the controller, and the controller the box.
    void bindTo(MessageLogController& controller);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tooltip to the file the controller holds now.
    void ShowLogFilePath();

    QCheckBox* chkSaveLogToFile = nullptr;
    QPointer<MessageLogController> m_controller;
};
