#pragma once

#include <QTimer>
#include <QWidget>

class LinkHistoryRecorder;
class QLabel;
class QPushButton;
class RetryDistributionChart;
class TimeSeriesChart;
struct ConfigSettings;

// "Link Charts": the radio link over time, drawn from the link history that the main
// window keeps for the whole run. Non-modal; closing it only hides it. It redraws at a
// few frames a second at most, and only when the history has changed.
class LinkChartsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRedrawIntervalMs = 250;

    LinkChartsWindow(LinkHistoryRecorder& recorder, const ConfigSettings& config,
                     QWidget* parent = nullptr);
    ~LinkChartsWindow() override;

    // Draws what the history holds now.
    void Redraw();

    void cmdChartsClear_Click();
    void cmdChartsSaveImage_Click();
    void cmdChartsExportCsv_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildCharts();
    QWidget* buildButtons();
    void RedrawWhatChanged();
    void ShowSummary();

    LinkHistoryRecorder& m_recorder;
    const ConfigSettings& m_config;
    QTimer m_redrawTimer;
    quint64 m_drawnSeries = ~quint64{0};
    quint64 m_drawnRetries = ~quint64{0};
    int m_drawnRetryRows = -1;

    QWidget* m_chartsArea = nullptr;
    TimeSeriesChart* chartThroughput = nullptr;
    TimeSeriesChart* chartDelivery = nullptr;
    RetryDistributionChart* chartRetries = nullptr;
    TimeSeriesChart* chartReceived = nullptr;
    QLabel* lblChartsSummary = nullptr;
    QPushButton* cmdChartsClear = nullptr;
    QPushButton* cmdChartsSaveImage = nullptr;
    QPushButton* cmdChartsExportCsv = nullptr;
};
