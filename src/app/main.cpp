#include "platform/SettingsStore.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(SettingsStore::kApplicationTitle);
    frmQVOrvalisETMain window;
    window.show();
    return QApplication::exec();
}
