// The traffic tester's place in the main window: the "RF Data" panel, the
// "Statistics" page, the message log file and their response handlers.
#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "protocol/MessageCatalogue.h"
#include "traffic/MessageLogController.h"
#include "traffic/RfDataPanel.h"
#include "traffic/StatisticsPage.h"
#include "ui/Twips.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

constexpr int kStatisticsPage = 3;

void FillWith(QWidget* container, QWidget* content)
{
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

}  // namespace

void frmQVOrvalisETMain::installTrafficPages()
{
    m_rfDataPanel = new RfDataPanel(*m_link, m_traffic, m_counters, *tmrRepeat, *tmrThroughput,
                                    frameRfData);
    m_rfDataPanel->setGeometry(frameRfData->rect());  // positions count from the frame's corner
    m_statisticsPage = new StatisticsPage(*m_link, m_counters, m_config, *tmrThroughput,
                                          page(kStatisticsPage));
    FillWith(page(kStatisticsPage), m_statisticsPage);
    connect(m_rfDataPanel, &RfDataPanel::packetReceived, m_statisticsPage,
            &StatisticsPage::ShowPacketsReceived);

    RfDataPanel* panel = m_rfDataPanel;
    StatisticsPage* statistics = m_statisticsPage;
    m_link->receive().setRfDataDisplay(
        [panel](const Frame& frame) { panel->DisplayReceivedRFData(frame); });
    MessageDispatcher& dispatcher = m_link->dispatcher();
    dispatcher.registerHandler(MessageCode::ReceivedRfData,
                               [panel](const Frame&) { panel->ProcessReceivedRFDataMessage(); });
    dispatcher.registerHandler(MessageCode::RfDataNotAddressedToUs, [panel](const Frame&) {
        panel->ProcessReceivedRFDataMessageNotAddresedToUs();
    });
    dispatcher.registerHandler(MessageCode::SendRfDataAck, [statistics](const Frame& frame) {
        statistics->ProcessSendRFDataMessageAck(frame);
    });
    dispatcher.registerHandler(MessageCode::RfStatistics, [statistics](const Frame& frame) {
        statistics->ProcessRespondWithRFStatistics(frame);
    });
    dispatcher.registerHandler(MessageCode::ClearStatisticsAck,
                               [statistics](const Frame&) { statistics->ProcessClearStatisticsAck(); });

    const auto closingBlock = [this] {
        return ClosingBlockLines(m_statisticsPage->transceiverCaptions(), m_counters,
                                 m_config.iRFRetries, Clock::Now());
    };
    m_messageLog = new MessageLogController(m_link->log(), m_traffic, closingBlock,
                                            centralWidget(),
                                            QPoint(Twips(11520), Twips(120)), this);
    connect(mnuFileNew, &QAction::triggered, m_messageLog, &MessageLogController::mnuFileNew_Click);
    connect(mnuFileOpen, &QAction::triggered, m_messageLog, &MessageLogController::mnuFileOpen_Click);
}

// Start-up steps 9 and 12: a data box of 36 characters in ASCII mode.
void frmQVOrvalisETMain::LimitRfDataEntry()
{
    m_rfDataPanel->LimitRfDataEntry();
    m_rfDataPanel->SelectAsciiEntry();
}

void frmQVOrvalisETMain::ClearMessageLogState()
{
    m_messageLog->ClearMessageLogState();
    m_rfDataPanel->ClearRandomMessageFlag();
}

void frmQVOrvalisETMain::ShowLoadedTrafficSettings()
{
    m_rfDataPanel->ShowLoadedSettings();
}

void frmQVOrvalisETMain::WriteLogEndAtShutDown()
{
    m_messageLog->WriteLogEndAtShutDown();
}
