// The state colours stay readable on light and dark fields, keep their hues, and say the state.
#include "ui/ChartLook.h"
#include "ui/widgets/ValueColours.h"

#include <QApplication>
#include <QChart>
#include <QValueAxis>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <cmath>

// Relative luminance and contrast ratio as the web content accessibility guidelines define them.
static double Luminance(const QColor& c)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

static double Contrast(const QColor& a, const QColor& b)
{
    const double first = Luminance(a), second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

class TestValueColours : public QObject {
    Q_OBJECT
private slots:
    void readableOnEveryField_data();
    void readableOnEveryField();
    void chartColours_standOutFromTheChart();
};

void TestValueColours::readableOnEveryField_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("pending");
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));  // button, window
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    for (const auto& [name, palette] : {std::pair{"light", QApplication::style()->standardPalette()},
                                        std::pair{"dark", dark}}) {
        QTest::addRow("%s pending", name) << palette << true;
        QTest::addRow("%s confirmed", name) << palette << false;
    }
}

void TestValueColours::readableOnEveryField()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, pending);
    QWidget window;
    window.setPalette(palette);
    for (QWidget* control : QList<QWidget*>{new QLineEdit(&window), new QCheckBox(&window),
                                            new QRadioButton(&window), new QComboBox(&window)}) {
        pending ? MarkPending(control) : MarkConfirmed(control);
        const QColor text = TextColour(control);
        for (QPalette::ColorRole field : {QPalette::Base, QPalette::Window, QPalette::Button}) {
            const double ratio = Contrast(text, control->palette().color(field));
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 %2 on role %3: %4:1").arg(
                control->metaObject()->className(), text.name()).arg(field).arg(ratio, 0, 'f', 2)));
        }
        QVERIFY2(pending ? text.hue() <= 10 || text.hue() >= 350 : std::abs(text.hue() - 240) <= 10,
                 qPrintable(text.name()));
        const QString words = pending ? QStringLiteral("Not yet confirmed by the module")
                                      : QStringLiteral("Confirmed by the module");
        QCOMPARE(control->toolTip(), words);
        QCOMPARE(control->accessibleDescription(), words);
    }
}

// Lines and bars are graphics (3:1 against the plot); titles and labels are text (4.5:1).
void TestValueColours::chartColours_standOutFromTheChart()
{
    QChart chart;
    ChartLook::Style(&chart, QStringLiteral("Throughput"));
    QValueAxis* axis = ChartLook::AddValueAxis(&chart, Qt::AlignLeft, QStringLiteral("kbps"), "%.1f");
    // The light theme paints the chart's card with a gradient: its lightest and darkest stops.
    const QBrush background = chart.backgroundBrush();
    QList<QColor> fields{background.color()};
    if (background.gradient())
        for (const QGradientStop& stop : background.gradient()->stops())
            fields << stop.second;
    for (const QColor& series : {ChartLook::kBlue, ChartLook::kOrange, ChartLook::kGreen,
                                 ChartLook::kSky, ChartLook::kRed, ChartLook::kPurple})
        for (const QColor& field : fields)
            QVERIFY2(!field.isValid() || Contrast(series, field) >= 3.0, qPrintable(series.name()));
    for (const QColor& text : {chart.titleBrush().color(), axis->labelsBrush().color(),
                               axis->titleBrush().color()})
        for (const QColor& field : fields)
            QVERIFY2(!field.isValid() || Contrast(text, field) >= 4.5, qPrintable(text.name()));
}

QTEST_MAIN(TestValueColours)
#include "tst_valuecolours.moc"
