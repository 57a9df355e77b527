// Writes the program's drawn icon as the PNG files of the hicolor icon theme, so the
// desktop shows in its menus and docks the same icon the window carries:
//   orvalis-render-icons <folder> <size>...   writes <folder>/<N>x<N>/apps/orvalis-et.png

#include "ui/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QTextStream>

namespace {

QString WriteIcon(const QIcon& icon, int size, const QString& themeFolder)
{
    // An explicit ratio of 1: a PNG of the theme is N pixels wide, whatever the screen.
    const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
    if (pixmap.size() != QSize(size, size))
        return QStringLiteral("the icon has no %1 pixel rendering").arg(size);
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeFolder).arg(size);
    const QString file = folder + QStringLiteral("/orvalis-et.png");
    if (!QDir().mkpath(folder) || !pixmap.save(file, "PNG"))
        return QStringLiteral("cannot write ") + file;
    return {};
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: orvalis-render-icons <folder> <size>...\n";
        return 2;
    }
    const QString themeFolder = args.at(1);
    const QIcon icon = OrvalisIcon();
    for (const QString& sizeText : args.mid(2)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        const QString failure = ok && size > 0 ? WriteIcon(icon, size, themeFolder)
                                               : QStringLiteral("not a size: ") + sizeText;
        if (!failure.isEmpty()) {
            err << "orvalis-render-icons: " << failure << '\n';
            return 1;
        }
    }
    return 0;
}
