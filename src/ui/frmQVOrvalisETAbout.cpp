#include "ui/frmQVOrvalisETAbout.h"

#include "platform/SettingsStore.h"
#include "ui/widgets/UserPrompts.h"
#include "ui/AppIcon.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

namespace {

#ifdef Q_OS_WIN
// Reads one value under HKEY_LOCAL_MACHINE; false when the key or value is missing.
bool GetKeyValue(const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\") + KeyName, QSettings::NativeFormat);
    const QVariant value = key.value(SubKeyRef);
    KeyVal = value.isValid() ? value.toString() : QString();
    return value.isValid();
}
#endif

}  // namespace

QStringList KnownSystemInfoPrograms()
{
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("xfce4-taskmanager")};
}

QString FindSystemInfoProgram()
{
#ifdef Q_OS_WIN
    QString value;
    if (GetKeyValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), value))
        return value;
    if (GetKeyValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), value)) {
        const QString path = value + QStringLiteral("\\MSINFO32.EXE");
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
#else
    for (const QString& program : KnownSystemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty())
            return path;
    }
    return {};
#endif
}

frmQVOrvalisETAbout::frmQVOrvalisETAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmQVOrvalisETAbout"));
    buildControls();
    Form_Load();
}

void frmQVOrvalisETAbout::buildControls()
{
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(OrvalisIcon().pixmap(48, 48));
    Picture1->setAlignment(Qt::AlignTop);

    lblTitle = new QLabel(QStringLiteral("Application Title"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDate = new QLabel(QStringLiteral("Date"), this);
    lblDate->setObjectName(QStringLiteral("lblDate"));

    Label1 = new QLabel(
        QStringLiteral("This tool finds and configures the Orvalis 900 MHz serial RF transceiver "
                       "module, tests its radio link and logs every frame it exchanges with it."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    // The notice wraps at about 50 characters of whatever font the desktop uses.
    Label1->setMinimumWidth(Label1->fontMetrics().averageCharWidth() * 50);

    auto* Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdSystemInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSystemInfo->setObjectName(QStringLiteral("cmdSystemInfo"));
    cmdSystemInfo->setAutoDefault(false);
    // QDialog's Escape runs reject(), which closes the box as OK does.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSystemInfo, &QPushButton::clicked, this, &frmQVOrvalisETAbout::cmdSystemInfo_Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Picture1, 0, 0, 3, 1);
    layout->addWidget(lblTitle, 0, 1, 1, 2);
    layout->addWidget(lblVersion, 1, 1, 1, 2);
    layout->addWidget(lblDate, 2, 1, 1, 2);
    layout->addWidget(Label1, 3, 1, 1, 2);
    layout->addWidget(Line1, 4, 0, 1, 3);
    layout->addWidget(cmdOK, 5, 2);
    layout->addWidget(cmdSystemInfo, 6, 2);
    layout->setColumnStretch(1, 1);
}

void frmQVOrvalisETAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + SettingsStore::kApplicationTitle);
    lblTitle->setText(SettingsStore::kApplicationTitle);
    lblVersion->setText(QStringLiteral("Version ") + QStringLiteral("2") + QStringLiteral(".")
                        + QStringLiteral("1"));
    lblDate->setText(QStringLiteral("Date: ") + QStringLiteral("8/29/2005"));
}

void frmQVOrvalisETAbout::cmdSystemInfo_Click()
{
    StartSystemInfo();
}

void frmQVOrvalisETAbout::StartSystemInfo()
{
    const QString program = FindSystemInfoProgram();
    if (!program.isEmpty() && QProcess::startDetached(program, {}))
        return;
    UserPrompts::ShowMessage(this, SettingsStore::kApplicationTitle,
                             QStringLiteral("System Information Is Unavailable At This Time"),
                             UserPrompts::Icon::Information);
}
