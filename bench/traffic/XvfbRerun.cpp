#include "XvfbRerun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

int RerunUnderXvfb(const QStringList& arguments)
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty()) {
        std::fprintf(stderr, "xvfb-run is not installed (scripts/setup-deps installs it)\n");
        return -1;
    }
    std::fflush(stdout);  // our lines before the child's
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(xvfbRun, QStringList{"-a", "-s", "-screen 0 1280x1024x24",
                                     QCoreApplication::applicationFilePath()}
                             + arguments);
    if (!child.waitForStarted() || !child.waitForFinished(-1))
        return -1;
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}
