#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;

// "About QV Orvalis Evaluation Tool": which program and build this is, and a shortcut
// to the system's own system-information tool.
class frmQVOrvalisETAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmQVOrvalisETAbout(QWidget* parent = nullptr);

    void cmdSystemInfo_Click();
    void StartSystemInfo();

private:
    void buildControls();
    void Form_Load();

    QLabel* Picture1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSystemInfo = nullptr;
};

// Where the system-information program is: on Windows from the two registry look-ups
// in their order, elsewhere the first known program found on the PATH. Empty when
// there is none.
QString FindSystemInfoProgram();

// The programs looked for on the PATH outside Windows, in order.
QStringList KnownSystemInfoPrograms();
