#include "app/CommandLine.h"
#include "app/SignalCloser.h"
#include "link/Discovery.h"
#include "platform/SettingsStore.h"
#include "ui/AppIcon.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>

#include <cstdio>

namespace {

int Answer(const CommandLineOutcome& command)
{
    std::FILE* out = command.exitCode == 0 ? stdout : stderr;
    std::fputs(command.text.toLocal8Bit().constData(), out);
    return command.exitCode;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(SettingsStore::kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));

    // Help, version and a bad option are answered before any window system is needed, so
    // they work in a terminal without a display, for scripts and for help2man.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLineOutcome command = ParseCommandLine(arguments);
    const bool readAfterToolkit = command.action == CommandLineOutcome::Action::Fail
                                  && HoldsToolkitOptions(arguments);
    if (command.action != CommandLineOutcome::Action::Run && !readAfterToolkit)
        return Answer(command);

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("orvalis-et"));
    QApplication::setWindowIcon(OrvalisIcon());
    if (readAfterToolkit) {
        command = ParseCommandLine(QApplication::arguments());
        if (command.action != CommandLineOutcome::Action::Run)
            return Answer(command);
    }

    SignalCloser closer;
    // The window shows itself; the search for the module starts from the event loop.
    frmQVOrvalisETMain window(StartupSearchScope(command.options));
    return QApplication::exec();
}
