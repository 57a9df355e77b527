// What the main window offers around the communications log beyond the list itself:
// times before its lines ("View" menu) and the session history as a CSV file ("File"
// menu).
#include "link/LinkSession.h"
#include "traffic/PersistedSettings.h"
#include "ui/CommunicationsLogExport.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QMenu>

void frmQVOrvalisETMain::installLogDisplay()
{
    QAction* showTimestamps = mnuView->addAction(QStringLiteral("Show &Timestamps"));
    showTimestamps->setObjectName(QStringLiteral("mnuShowTimestamps"));
    showTimestamps->setCheckable(true);
    showTimestamps->setChecked(ReadShowTimestamps());
    lstSerialMessages->setShowTimestamps(showTimestamps->isChecked());
    connect(showTimestamps, &QAction::toggled, this, [this](bool show) {
        lstSerialMessages->setShowTimestamps(show);
        WriteShowTimestamps(show);
    });

    // Between "&Open" and the separator before "E&xit", set apart by a separator of its own.
    auto* exportLog = new QAction(QStringLiteral("&Export Communications Log..."), mnuFile);
    exportLog->setObjectName(QStringLiteral("mnuFileExportLog"));
    mnuFile->insertSeparator(mnuFileBar1)->setObjectName(QStringLiteral("mnuFileBarExport"));
    mnuFile->insertAction(mnuFileBar1, exportLog);
    auto* exporter = new CommunicationsLogExport(m_link->log().history(), this);
    connect(exportLog, &QAction::triggered, this, [this, exportLog, exporter] {
        exportLog->setEnabled(false);  // one file at a time
        exporter->mnuFileExportLog_Click(m_traffic.sLogFilePath);
    });
    connect(exporter, &CommunicationsLogExport::finished, exportLog,
            [exportLog] { exportLog->setEnabled(true); });
}
