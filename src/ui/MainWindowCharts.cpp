// The link charts' place in the main window: the link history kept for the whole run,
// fed by the "Statistics" page, and "View" > "Link Charts..." that shows it.
#include "traffic/LinkHistoryRecorder.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"
#include "ui/LinkChartsWindow.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QMenu>

void frmQVOrvalisETMain::installLinkCharts()
{
    m_linkHistory = new LinkHistoryRecorder(m_counters, *tmrThroughput, this);
    m_linkHistory->follow(*m_statistics);
    m_linkHistory->follow(*m_rfData);

    QAction* charts = mnuView->addAction(QStringLiteral("Link &Charts..."));
    charts->setObjectName(QStringLiteral("mnuLinkCharts"));
    connect(charts, &QAction::triggered, this, &frmQVOrvalisETMain::mnuLinkCharts_Click);
}

// One window for the whole run: opening it again brings it to the front.
void frmQVOrvalisETMain::mnuLinkCharts_Click()
{
    if (!m_linkCharts)
        m_linkCharts = new LinkChartsWindow(*m_linkHistory, m_config, this);
    m_linkCharts->show();
    m_linkCharts->raise();
    m_linkCharts->activateWindow();
}
