#include "app/CommandLine.h"
#include "app/SignalCloser.h"
#include "link/Discovery.h"
#include "platform/SettingsStore.h"
#include "ui/AppIcon.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(SettingsStore::kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvalis-et"));
    QApplication::setWindowIcon(OrvalisIcon());

    const CommandLineOutcome command = ParseCommandLine(QApplication::arguments());
    if (command.action != CommandLineOutcome::Action::Run) {
        std::FILE* out = command.exitCode == 0 ? stdout : stderr;
        std::fputs(qPrintable(command.text), out);
        return command.exitCode;
    }

    SignalCloser closer;
    // The window shows itself; the search for the module starts from the event loop.
    frmQVOrvalisETMain window(StartupSearchScope(command.options));
    return QApplication::exec();
}
