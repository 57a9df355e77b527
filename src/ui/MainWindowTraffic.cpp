// The traffic tester's place in the main window: the "RF Data" panel, the
// "Statistics" page, the message log file and their response handlers.
#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "traffic/MessageLogController.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"
#include "traffic/TrafficHandlers.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/pages/MessageLogCheckBox.h"
#include "ui/pages/RfDataPanel.h"
#include "ui/pages/StatisticsPage.h"

#include <QAction>
#include <QCheckBox>
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
    m_rfData = new RfDataController(*m_link, m_traffic, m_counters, *tmrRepeat, *tmrThroughput,
                                    this);
    m_statistics = new StatisticsController(*m_link, m_counters, m_config, *tmrThroughput, this);
    m_rfDataPanel = new RfDataPanel(*m_rfData, *m_screenRefresh, frameRfData);
    m_rfDataPanel->setFocus();  // the window's first control, not the log's "Clear", has the keyboard
    FillWith(frameRfData, m_rfDataPanel);
    m_statisticsPage = new StatisticsPage(*m_statistics, *m_screenRefresh, page(kStatisticsPage));
    FillWith(page(kStatisticsPage), m_statisticsPage);
    connect(m_rfData, &RfDataController::packetReceived, m_statisticsPage,
            &StatisticsPage::ShowPacketsReceived);

    RegisterTrafficHandlers(*m_link, *m_rfData, *m_statistics);

    const auto closingBlock = [this] {
        return ClosingBlockLines(m_statistics->transceiverCaptions(), m_counters,
                                 m_config.iRFRetries, Clock::Now());
    };
    auto* checkBox = new MessageLogCheckBox(centralWidget());
    m_logHeader->addWidget(checkBox->checkBox());  // to the right of the log's caption
    m_messageLog = new MessageLogController(m_link->log(), m_traffic, closingBlock,
                                            checkBox->questions(), this);
    checkBox->bindTo(*m_messageLog);
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
    m_rfData->ClearRandomMessageFlag();
}

void frmQVOrvalisETMain::ShowLoadedTrafficSettings()
{
    m_rfDataPanel->ShowLoadedSettings();
}

void frmQVOrvalisETMain::WriteLogEndAtShutDown()
{
    m_messageLog->WriteLogEndAtShutDown();
}
