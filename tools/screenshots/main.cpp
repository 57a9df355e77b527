// orvalis-screenshots OUTDIR: renders the main window with each tab page shown, the
// communication settings dialog and the About box into OUTDIR/*.png, with no module
// present and settings of its own. Run with QT_QPA_PLATFORM=offscreen on a headless
// machine.
#include "link/Discovery.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/frmQVOrvalisETProperties.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Save(QWidget& widget, const QString& path)
{
    widget.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    for (int p = 1; p <= 8; ++p)
        SettingsStore::WriteText("Ports", QStringLiteral("COM%1").arg(p), "/nonexistent/port");
    SettingsStore::WriteText("Properties", "FactoryCalibration", "1");

    frmQVOrvalisETMain window;
    window.show();
    QApplication::processEvents();
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        Save(window, QStringLiteral("%1/main-%2.png").arg(out, tabs->tabText(i).replace(' ', '-')));
    }
    frmQVOrvalisETProperties properties(window.link(), window.discovery(), &window);
    properties.show();
    QApplication::processEvents();
    Save(properties, out + QStringLiteral("/communication-settings.png"));
    frmQVOrvalisETAbout about(&window);
    about.show();
    QApplication::processEvents();
    Save(about, out + QStringLiteral("/about.png"));
    return 0;
}
