// orvalis-screenshots OUTDIR: renders the main window with each tab page shown, the
// window with an exchange in its communications log shown with times and two lines
// selected, the communication settings dialog and the About box into OUTDIR/*.png,
// with no module present and settings of its own. Run with QT_QPA_PLATFORM=offscreen
// on a headless machine.
#include "link/Discovery.h"
#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "platform/SettingsStore.h"
#include "protocol/MessageCatalogue.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/frmQVOrvalisETProperties.h"

#include <QAction>
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
    window.show();
    QApplication::processEvents();
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
    return 0;
}
