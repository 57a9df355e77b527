#pragma once

#include <QObject>

class MessageLogController;
class QCheckBox;
class QPoint;
class QWidget;
struct MessageLogQuestions;

// "Save Log To File" over the message log controller, and the questions the controller
// asks, as message boxes and file dialogs over the box's window.
class MessageLogCheckBox : public QObject {
    Q_OBJECT
public:
    // Places chkSaveLogToFile on `parent` at `position`.
    MessageLogCheckBox(QWidget* parent, const QPoint& position);

    // The controller's questions, asked over the box's window.
    MessageLogQuestions questions() const;
    // The box follows the controller, and the controller the box.
    void bindTo(MessageLogController& controller);

private:
    QCheckBox* chkSaveLogToFile = nullptr;
};
