// orvalis-screenshots [options] OUTDIR [LOAD_SECONDS]: renders the main window with each tab
// page shown, the window with an exchange in its communications log shown with times and two
// lines selected, the communication settings dialog and the About box into OUTDIR/*.png,
// with no module present and settings of its own; then the link charts window after a
// random repetition of LOAD_SECONDS (30 by default) against the module simulator, with
// RF data arriving from its virtual peer. Run with QT_QPA_PLATFORM=offscreen on a
// headless machine, or under xvfb-run to see what a desktop draws. --help lists the
// options (font size, screen size, dark palette); scale and language come from the
// environment, as a desktop sets them.
#include "link/Discovery.h"
#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "platform/SettingsStore.h"
#include "protocol/MessageCatalogue.h"
#include "support/SimulatorProcess.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/frmQVOrvalisETProperties.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QDir>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

void Save(QWidget& widget, const QString& path)
{
    widget.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

// The simulator drops one delivery in eight; its virtual peer sends RF data too.
bool SaveLinkChartsUnderLoad(const QString& out, int loadSeconds)
{
    SimulatorProcess sim(1);
    if (!sim.start({"--nack", "0.12", "--max-retries", "3", "--seed", "7",
                    "--peer-interval", "400"})) {
        std::fprintf(stderr, "link charts: %s\n", qPrintable(sim.failure()));
        return false;
    }
    PointPortAt(1, sim.linkPath());
    frmQVOrvalisETMain window;
    WaitWhileProcessingEvents([&] { return window.isStartUpFinished(); }, 30000);
    auto* repeat = window.findChild<QPushButton*>(QStringLiteral("cmdSendRandomRepeatedMsg"));
    if (!window.link().port().isOpen() || !repeat) {
        std::fprintf(stderr, "link charts: the simulator was not found\n");
        return false;
    }
    window.findChild<QAction*>(QStringLiteral("mnuLinkCharts"))->trigger();
    auto* charts = window.findChild<QWidget*>(QStringLiteral("LinkChartsWindow"));
    repeat->click();
    PauseWhileProcessingEvents(loadSeconds * 1000);
    PauseWhileProcessingEvents(500);  // one more redraw of the charts
    Save(*charts, out + QStringLiteral("/link-charts.png"));
    repeat->click();
    return true;
}

// A few exchanges as a session with a module leaves them in the log.
void LogSomeExchanges(CommunicationsLog& log)
{
    using namespace MessageCode;
    log.LogTransmittedMessage(GetTransmittedMessageName(QueryIds), QByteArray::fromHex("0105030904"),
                              false, 0);
    log.LogReceivedMessage(Ids, GetReceivedMessageName(Ids),
                           QByteArray::fromHex("010B832C0101000100BE04"), 0);
    log.LogTransmittedMessage(GetTransmittedMessageName(SendRfData),
                              QByteArray::fromHex("010901FF0200414F04"), true, 255);
    log.LogReceivedMessage(SendRfDataAck, GetReceivedMessageName(SendRfDataAck),
                           QByteArray::fromHex("010781FF008704"), 0);
    log.LogReceivedMessage(ReceivedRfData, GetReceivedMessageName(ReceivedRfData),
                           QByteArray::fromHex("010B94030000000041DB04"), 3);
    log.LogTransmittedMessage(GetTransmittedMessageName(QueryFirmwareVersion),
                              QByteArray::fromHex("0105151B04"), false, 0);
    log.LogMessageTimeout(GetTimedOutMessageName(QueryFirmwareVersion));
}

void SaveLogWithTimes(frmQVOrvalisETMain& window, const QString& path)
{
    LogSomeExchanges(window.link().log());
    window.findChild<QAction*>(QStringLiteral("mnuShowTimestamps"))->setChecked(true);
    CommunicationsLogView& list = window.messageList();
    WaitWhileProcessingEvents([&] { return list.model()->rowCount() == list.lineCount(); }, 1000);
    for (int row : {3, 4})
        list.selectionModel()->select(list.model()->index(row, 0), QItemSelectionModel::Select);
    list.setFocus();
    QApplication::processEvents();
    Save(window, path);
    window.findChild<QAction*>(QStringLiteral("mnuShowTimestamps"))->setChecked(false);
}

struct Options {
    QString out = QStringLiteral(".");
    int loadSeconds = 30;
    int fontPointSize = 0;  // 0: the desktop's font
    QSize screen;           // empty: the platform's own screen
    bool dark = false;
    bool charts = true;
};

const char* const kUsage =
    "Environment: QT_SCALE_FACTOR=1.5 renders at a scale of 1.5, LANG=de_DE.UTF-8 in German\n"
    "(the captions stay as they are; dates and numbers follow the language), and\n"
    "QT_QPA_PLATFORM=offscreen renders without a display.\n"
    "Examples:\n"
    "  orvalis-screenshots /tmp/shots/default\n"
    "  orvalis-screenshots --font-size 12 --no-charts /tmp/shots/12pt\n"
    "  QT_SCALE_FACTOR=1.5 orvalis-screenshots --no-charts /tmp/shots/scale-1.5\n"
    "  orvalis-screenshots --screen 1024x600 --no-charts /tmp/shots/1024x600\n"
    "  orvalis-screenshots --dark --no-charts /tmp/shots/dark\n"
    "  LANG=de_DE.UTF-8 orvalis-screenshots --no-charts /tmp/shots/de";

// Parsed before the application exists, since the screen size must be known to the platform.
Options ParseOptions(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders every window and tab page of the evaluation tool to PNG files."));
    parser.addHelpOption();
    const QCommandLineOption font(QStringLiteral("font-size"),
                                  QStringLiteral("Application font of <points> (e.g. 12)."),
                                  QStringLiteral("points"));
    const QCommandLineOption screen(
        QStringLiteral("screen"),
        QStringLiteral("A screen of <WxH> pixels (e.g. 1366x768, 1024x600): the main window is "
                       "also shown resized to all of it, and placed on a picture of the screen "
                       "(screen-*.png). Offscreen, the platform's screen gets that size."),
        QStringLiteral("WxH"));
    const QCommandLineOption dark(QStringLiteral("dark"),
                                  QStringLiteral("Fusion style with a dark palette."));
    const QCommandLineOption noCharts(
        QStringLiteral("no-charts"),
        QStringLiteral("Skip the link charts under load (they need the simulator)."));
    parser.addOptions({font, screen, dark, noCharts});
    parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("Where the PNG files go."));
    parser.addPositionalArgument(QStringLiteral("LOAD_SECONDS"),
                                 QStringLiteral("How long the link charts run (30)."));
    if (!parser.parse(arguments) || parser.isSet(QStringLiteral("help"))) {
        std::fprintf(stderr, "%s%s\n%s\n", qPrintable(parser.errorText()),
                     parser.errorText().isEmpty() ? "" : "\n", qPrintable(parser.helpText()));
        std::fprintf(stderr, "%s\n", kUsage);
        std::exit(parser.isSet(QStringLiteral("help")) ? 0 : 2);
    }
    Options options;
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty())
        options.out = positional.at(0);
    if (positional.size() > 1 && positional.at(1).toInt() > 0)
        options.loadSeconds = positional.at(1).toInt();
    options.fontPointSize = parser.value(font).toInt();
    const QStringList size = parser.value(screen).split(QLatin1Char('x'));
    if (size.size() == 2)
        options.screen = QSize(size.at(0).toInt(), size.at(1).toInt());
    options.dark = parser.isSet(dark);
    options.charts = !parser.isSet(noCharts);
    return options;
}

// The offscreen platform takes its screens from a file.
void UseOffscreenScreen(const QSize& size, const QString& folder)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (size.isEmpty() || !platform.startsWith("offscreen"))
        return;
    const QString path = folder + QStringLiteral("/offscreen-screen.json");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, "
                              "\"width\": %1, \"height\": %2, \"logicalDpi\": 96}]}")
                   .arg(size.width())
                   .arg(size.height())
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
}

void UseDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Link, QColor(100, 170, 255));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    QApplication::setPalette(dark);
}

// What the screen shows: the window where it stands, cut at the screen's edges.
void SaveScreen(QWidget& window, const QString& path)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(QColor(0, 64, 96));
    QPainter painter(&picture);
    const QRect frame = window.frameGeometry().translated(-area.topLeft());
    painter.fillRect(frame, QColor(90, 90, 90));  // the frame the window manager draws
    painter.drawPixmap(window.geometry().topLeft() - area.topLeft(), window.grab());
    painter.end();
    picture.save(path);
    std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char* argv[])
{
    const Options options = ParseOptions(argc, argv);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    // Offscreen, a desktop's screen unless one is chosen: the platform's own is 800 x 800.
    UseOffscreenScreen(options.screen.isEmpty() ? QSize(1920, 1080) : options.screen,
                       settings.path());
    QApplication app(argc, argv);
    if (options.fontPointSize > 0) {
        QFont font = QApplication::font();
        font.setPointSize(options.fontPointSize);
        QApplication::setFont(font);
    }
    if (options.dark)
        UseDarkPalette();
    const QString out = options.out;
    QDir().mkpath(out);
    for (int p = 1; p <= 8; ++p)
        SettingsStore::WriteText("Ports", QStringLiteral("COM%1").arg(p), "/nonexistent/port");
    SettingsStore::WriteText("Properties", "FactoryCalibration", "1");

    frmQVOrvalisETMain window;
    WaitWhileProcessingEvents([&] { return window.isStartUpFinished(); }, 30000);
    if (!options.screen.isEmpty()) {
        SaveScreen(window, out + QStringLiteral("/screen-as-opened.png"));
        // All the room the screen gives, less the window's frame.
        const QRect area = window.screen()->availableGeometry();
        const QMargins frame(window.geometry().left() - window.frameGeometry().left(),
                             window.geometry().top() - window.frameGeometry().top(),
                             window.frameGeometry().right() - window.geometry().right(),
                             window.frameGeometry().bottom() - window.geometry().bottom());
        window.setGeometry(area - frame);
        PauseWhileProcessingEvents(100);
        SaveScreen(window, out + QStringLiteral("/screen-resized.png"));
    }
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        Save(window, QStringLiteral("%1/main-%2.png").arg(out, tabs->tabText(i).replace(' ', '-')));
    }
    SaveLogWithTimes(window, out + QStringLiteral("/main-log-timestamps.png"));
    frmQVOrvalisETProperties properties(window.link(), window.discovery(), &window);
    properties.show();
    QApplication::processEvents();
    Save(properties, out + QStringLiteral("/communication-settings.png"));
    frmQVOrvalisETAbout about(&window);
    about.show();
    QApplication::processEvents();
    Save(about, out + QStringLiteral("/about.png"));
    about.close();
    properties.close();
    window.close();
    if (!options.charts)
        return 0;

    if (qEnvironmentVariableIsEmpty("ORVALIS_SIM"))
        qputenv("ORVALIS_SIM", ORVALIS_SIM_PATH);
    return SaveLinkChartsUnderLoad(out, options.loadSeconds) ? 0 : 1;
}
