#pragma once

#include <QChartView>
#include <QList>

class QBarCategoryAxis;
class QBarSet;
class QValueAxis;

// Bars of acknowledged messages by the retries they needed (0 .. the retries setting),
// then one bar of failed messages in another colour, each with its count above it.
class RetryDistributionChart : public QChartView {
    Q_OBJECT
public:
    explicit RetryDistributionChart(QWidget* parent = nullptr);

    // `bars`: acknowledged after 0, 1, ... retries, the failed count last.
    void ShowBars(const QList<qint64>& bars);

private:
    QBarSet* m_messages = nullptr;
    QBarCategoryAxis* m_retriesAxis = nullptr;
    QValueAxis* m_countAxis = nullptr;
};
