#include "app/SignalCloser.h"
#include "platform/SettingsStore.h"
#include "ui/AppIcon.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(SettingsStore::kApplicationTitle);
    QApplication::setWindowIcon(OrvalisIcon());
    frmQVOrvalisETMain window;
    SignalCloser closer(window);
    window.show();
    return QApplication::exec();
}
