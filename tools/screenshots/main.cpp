// orvalis-screenshots OUTDIR [LOAD_SECONDS]: renders the main window with each tab page
// shown, the window with an exchange in its communications log shown with times and two
// lines selected, the communication settings dialog and the About box into OUTDIR/*.png,
// with no module present and settings of its own; then the link charts window after a
// random repetition of LOAD_SECONDS (30 by default) against the module simulator, with
// RF data arriving from its virtual peer. Run with QT_QPA_PLATFORM=offscreen on a
// headless machine, or under xvfb-run to see what a desktop draws.
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
#include <QDir>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdio>

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
    WaitWhileProcessingEvents([&] { return window.isStartUpFinished(); }, 30000);
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

    if (qEnvironmentVariableIsEmpty("ORVALIS_SIM"))
        qputenv("ORVALIS_SIM", ORVALIS_SIM_PATH);
    const int loadSeconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 30;
    return SaveLinkChartsUnderLoad(out, loadSeconds > 0 ? loadSeconds : 30) ? 0 : 1;
}
