#include "ui/LinkChartsWindow.h"

#include "config/ConfigSettings.h"
#include "platform/ExportFile.h"
#include "traffic/LinkHistoryCsv.h"
#include "traffic/LinkHistoryRecorder.h"
#include "traffic/PersistedSettings.h"
#include "traffic/TrafficSettings.h"
#include "ui/ChartLook.h"
#include "ui/ExportTarget.h"
#include "ui/RetryDistributionChart.h"
#include "ui/TimeSeriesChart.h"
#include "ui/widgets/UserPrompts.h"
#include "ui/WindowPlacement.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kChartsGeometry = QStringLiteral("ChartsGeometry");

TimeSeriesChart* ThroughputChart(QWidget* parent)
{
    return new TimeSeriesChart(
        QStringLiteral("Throughput"),
        {QStringLiteral("Throughput (kbps)"), QStringLiteral("%.1f"), 1.0},
        std::nullopt,
        {{LinkSeries::IntervalKbps, QStringLiteral("Interval"), ChartLook::kBlue, Qt::SolidLine,
          false},
         {LinkSeries::AverageKbps, QStringLiteral("Average since clear"), ChartLook::kOrange,
          Qt::DashLine, false}},
        parent);
}

TimeSeriesChart* DeliveryChart(QWidget* parent)
{
    return new TimeSeriesChart(
        QStringLiteral("Delivery per Interval"),
        {QStringLiteral("Pkt success rate (%)"), QStringLiteral("%.0f"), 100.0},
        ValueAxisSpec{QStringLiteral("Failed (messages)"), QStringLiteral("%.0f"), 5.0},
        {{LinkSeries::SuccessRetriesIncluded, QStringLiteral("Retries included"), ChartLook::kGreen,
          Qt::SolidLine, false},
         {LinkSeries::SuccessRetriesNotIncluded, QStringLiteral("Retries not included"),
          ChartLook::kSky, Qt::SolidLine, false},
         {LinkSeries::FailedPerInterval, QStringLiteral("Failed"), ChartLook::kRed, Qt::DotLine,
          true}},
        parent);
}

TimeSeriesChart* ReceivedChart(QWidget* parent)
{
    return new TimeSeriesChart(
        QStringLiteral("Received RF Data"),
        {QStringLiteral("Messages per interval"), QStringLiteral("%.0f"), 5.0}, std::nullopt,
        {{LinkSeries::ReceivedPerInterval, QStringLiteral("Received RF data messages"),
          ChartLook::kPurple, Qt::SolidLine, false}},
        parent);
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// Where the file dialogs of this window open: the folder used last, else the documents.
QString& LastFolder()
{
    static QString folder;
    return folder;
}

// The file to write, or "" when the user cancelled, chose a folder or keeps the file
// there is.
QString ChooseFileToWrite(QWidget* parent, const QString& title, const QString& filter,
                          const QString& suggestedName)
{
    const QString folder = QDir(LastFolder()).exists() && !LastFolder().isEmpty()
                               ? LastFolder()
                               : DefaultLogFolder();
    UserPrompts::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.startFolder = QDir(folder).filePath(suggestedName);
    const QString chosen = UserPrompts::ChooseFile(parent, request);
    if (chosen.isEmpty())
        return {};
    LastFolder() = QFileInfo(chosen).absolutePath();
    return ConfirmExportTarget(parent, title, chosen, QFileInfo(suggestedName).suffix());
}

void WriteOrReport(QWidget* parent, const QString& path, const QByteArray& content)
{
    const QString failure =
        WriteExportFile(path, [&content](QIODevice& out) { return WriteWhole(out, content); });
    if (failure.isEmpty())
        return;
    UserPrompts::ShowMessage(parent, QStringLiteral("Error"),
                             QStringLiteral("Could not write %1: %2")
                                 .arg(QDir::toNativeSeparators(path), failure),
                             UserPrompts::Icon::Exclamation);
}

}  // namespace

LinkChartsWindow::LinkChartsWindow(LinkHistoryRecorder& recorder, const ConfigSettings& config,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_recorder(recorder), m_config(config)
{
    setObjectName(QStringLiteral("LinkChartsWindow"));
    setWindowTitle(QStringLiteral("Link Charts"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCharts(), 1);
    layout->addWidget(buildButtons());
    // As the user left it, else as large as the screen allows up to 1100 x 760, centred.
    if (!restoreGeometry(ReadViewState(kChartsGeometry)))
        PlaceOnScreen(*this, QSize(1100, 760));
    else
        KeepOnScreen(*this);

    m_redrawTimer.setInterval(kRedrawIntervalMs);
    connect(&m_redrawTimer, &QTimer::timeout, this, &LinkChartsWindow::RedrawWhatChanged);
}

QWidget* LinkChartsWindow::buildCharts()
{
    m_chartsArea = new QWidget(this);
    m_chartsArea->setObjectName(QStringLiteral("chartsArea"));
    auto* grid = new QGridLayout(m_chartsArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(6);
    chartThroughput = ThroughputChart(m_chartsArea);
    chartThroughput->setObjectName(QStringLiteral("chartThroughput"));
    chartDelivery = DeliveryChart(m_chartsArea);
    chartDelivery->setObjectName(QStringLiteral("chartDelivery"));
    chartRetries = new RetryDistributionChart(m_chartsArea);
    chartRetries->setObjectName(QStringLiteral("chartRetries"));
    chartReceived = ReceivedChart(m_chartsArea);
    chartReceived->setObjectName(QStringLiteral("chartReceived"));
    // Pictures only: a screen reader names them by their titles, the keyboard passes them by
    // (their figures are in the CSV export).
    const QList<QChartView*> views{chartThroughput, chartDelivery, chartRetries, chartReceived};
    for (QChartView* view : views) {
        view->setAccessibleName(view->chart()->title());
        view->setFocusPolicy(Qt::NoFocus);
        view->viewport()->setFocusPolicy(Qt::NoFocus);
    }
    grid->addWidget(chartThroughput, 0, 0);
    grid->addWidget(chartDelivery, 0, 1);
    grid->addWidget(chartRetries, 1, 0);
    grid->addWidget(chartReceived, 1, 1);
    return m_chartsArea;
}

QWidget* LinkChartsWindow::buildButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    lblChartsSummary = new QLabel(row);
    lblChartsSummary->setObjectName(QStringLiteral("lblChartsSummary"));
    lblChartsSummary->setTextFormat(Qt::PlainText);
    layout->addWidget(lblChartsSummary, 1);
    cmdChartsClear = AddButton(row, "cmdChartsClear", QStringLiteral("Clear"));
    cmdChartsSaveImage = AddButton(row, "cmdChartsSaveImage", QStringLiteral("Save Image..."));
    cmdChartsExportCsv = AddButton(row, "cmdChartsExportCsv", QStringLiteral("Export CSV..."));
    for (QPushButton* button : {cmdChartsClear, cmdChartsSaveImage, cmdChartsExportCsv})
        layout->addWidget(button);
    connect(cmdChartsClear, &QPushButton::clicked, this, &LinkChartsWindow::cmdChartsClear_Click);
    connect(cmdChartsSaveImage, &QPushButton::clicked, this,
            &LinkChartsWindow::cmdChartsSaveImage_Click);
    connect(cmdChartsExportCsv, &QPushButton::clicked, this,
            &LinkChartsWindow::cmdChartsExportCsv_Click);
    return row;
}

LinkChartsWindow::~LinkChartsWindow()
{
    if (isVisible())  // the program ends with the window open
        WriteViewState(kChartsGeometry, saveGeometry());
}

void LinkChartsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_recorder.SetChartsShown(true);
    Redraw();
    m_redrawTimer.start();
}

void LinkChartsWindow::hideEvent(QHideEvent* event)
{
    m_redrawTimer.stop();
    m_recorder.SetChartsShown(false);
    if (!event->spontaneous())  // closed, not minimised
        WriteViewState(kChartsGeometry, saveGeometry());
    QWidget::hideEvent(event);
}

void LinkChartsWindow::Redraw()
{
    m_drawnSeries = ~quint64{0};
    m_drawnRetries = ~quint64{0};
    RedrawWhatChanged();
}

void LinkChartsWindow::RedrawWhatChanged()
{
    const LinkHistory& history = m_recorder.history();
    if (history.seriesRevision() != m_drawnSeries) {
        m_drawnSeries = history.seriesRevision();
        for (TimeSeriesChart* chart : {chartThroughput, chartDelivery, chartReceived})
            chart->ShowHistory(history);
        ShowSummary();
    }
    if (history.retryRevision() != m_drawnRetries || m_config.iRFRetries != m_drawnRetryRows) {
        m_drawnRetries = history.retryRevision();
        m_drawnRetryRows = m_config.iRFRetries;
        chartRetries->ShowBars(history.retryBars(m_config.iRFRetries));
    }
}

void LinkChartsWindow::ShowSummary()
{
    const auto& samples = m_recorder.history().samples();
    if (samples.empty()) {
        lblChartsSummary->setText(QStringLiteral("No intervals yet: one is added every second."));
        return;
    }
    const auto count = static_cast<qulonglong>(samples.size());
    const QString intervals = count == 1 ? QStringLiteral("interval") : QStringLiteral("intervals");
    lblChartsSummary->setText(QStringLiteral("%1 %2 from %3 s to %4 s")
                                  .arg(count)
                                  .arg(intervals)
                                  .arg(samples.front().timeS, 0, 'f', 0)
                                  .arg(samples.back().timeS, 0, 'f', 0));
}

void LinkChartsWindow::cmdChartsClear_Click()
{
    m_recorder.Clear();
    Redraw();
}

void LinkChartsWindow::cmdChartsSaveImage_Click()
{
    const QString path = ChooseFileToWrite(
        this, QStringLiteral("Save Image"),
        QStringLiteral("PNG Image (*.png)|*.png|All Files (*.*)|*.*"),
        QStringLiteral("link-charts.png"));
    if (path.isEmpty())
        return;
    Redraw();
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    m_chartsArea->grab().save(&png, "PNG");
    WriteOrReport(this, path, png.data());
}

void LinkChartsWindow::cmdChartsExportCsv_Click()
{
    const QString path = ChooseFileToWrite(
        this, QStringLiteral("Export CSV"),
        QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*"),
        QStringLiteral("link-history.csv"));
    if (!path.isEmpty())
        WriteOrReport(this, path, LinkHistoryCsv(m_recorder.history()).toUtf8());
}
