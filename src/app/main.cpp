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
    // The window shows itself before the search for the module, which runs inside it.
    frmQVOrvalisETMain window(StartupSearchScope(command.options));
    if (!window.isVisible())
        return 0;  // closed while the search was still running
    return QApplication::exec();
}
