// Every window at a 12 pt font and a 1.5 scale factor: no caption is cut, and a screen
// reader can name every control the keyboard reaches.
#include "support/WindowHarness.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETProperties.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QtTest>

namespace {

QString NameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
}

// The room a control leaves its caption, and the caption; 0 room for a control without one.
std::pair<int, QString> CaptionRoom(const QWidget* w)
{
    const QStyle* style = w->style();
    if (auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap())
        return {label->contentsRect().width(), label->text()};
    if (auto* box = qobject_cast<const QCheckBox*>(w))
        return {w->width() - style->pixelMetric(QStyle::PM_IndicatorWidth)
                    - style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing), box->text()};
    if (auto* option = qobject_cast<const QRadioButton*>(w))
        return {w->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
                    - style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing), option->text()};
    if (auto* button = qobject_cast<const QPushButton*>(w))  // the style's margins are in its hint
        return {w->width() - w->sizeHint().width() + w->fontMetrics().horizontalAdvance(button->text()),
                button->text()};
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        return {w->width(), group->title()};
    return {0, QString()};
}

// Controls whose caption is wider than the room they give it, and tabs that cut theirs.
QStringList CutCaptions(const QWidget& window)
{
    QStringList cut;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        const auto [room, caption] = CaptionRoom(w);
        const QString shown = QString(caption).remove(QLatin1Char('&'));
        if (!shown.isEmpty() && w->fontMetrics().horizontalAdvance(shown) > room)
            cut << NameOf(w) + ": " + shown;
        if (auto* tabs = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) > tabs->tabRect(i).width())
                    cut << NameOf(w) + ": " + tabs->tabText(i);
    }
    return cut;
}

// A label that names the control (its buddy): a screen reader reads it as the control's
// name; on Linux Qt names a drop-down list only this way, its Name being its entry.
bool HasLabel(const QWidget* w)
{
    const auto labels = w->window()->findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(), [w](const QLabel* l) { return l->buddy() == w; });
}

// Controls the keyboard reaches with no name of their own: neither a label nor an
// accessible name, and what Qt falls back to is empty or only their value.
QStringList Nameless(const QWidget& window)
{
    QStringList nameless;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !(w->focusPolicy() & Qt::TabFocus) || !w->accessibleName().isEmpty()
            || HasLabel(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name).trimmed() : QString();
        const auto* group = qobject_cast<const QGroupBox*>(w->parentWidget());
        if (name.isEmpty() || name == a->text(QAccessible::Value).trimmed()
            || (group && name == group->title()))
            nameless << NameOf(w) + (name.isEmpty() ? QString() : " named " + name);
    }
    return nameless;
}

// Runs a check over the main window with each page shown, the settings dialog, the About
// box and the link charts window.
QStringList OverEveryWindow(const std::function<QStringList(const QWidget&)>& check)
{
    WindowHarness h;
    QStringList found;
    auto* tabs = h.find<QTabBar>("TabStrip1");
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        for (const QString& f : check(*h.window))
            if (!found.contains(f))
                found << f;
    }
    frmQVOrvalisETProperties dialog(h.window->link(), h.window->discovery(), h.window.get());
    frmQVOrvalisETAbout about(h.window.get());
    h.find<QAction>("mnuLinkCharts")->trigger();
    for (QWidget* other : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&about),
                           h.find<QWidget>("LinkChartsWindow")}) {
        other->show();
        QCoreApplication::processEvents();
        found << check(*other);
        other->hide();
    }
    return found;
}

}  // namespace

class TestCaptionsAndNames : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void noCaptionIsCut() { Expect(OverEveryWindow(CutCaptions)); }
    void everyControlHasAName() { Expect(OverEveryWindow(Nameless)); }

private:
    static void Expect(const QStringList& faults)
    {
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), qPrintable(QString::number(faults.size()) + " controls above"));
    }
};

int main(int argc, char* argv[])
{
    // A 1920x1080 screen at scale 1.5: 1280x720 to lay the windows out in.
    QTemporaryDir folder;
    QFile screens(folder.filePath("screens.json"));
    if (!screens.open(QIODevice::WriteOnly))
        return 1;
    screens.write(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": 1920, "height": 1080}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(12);
    QApplication::setFont(font);
    TestCaptionsAndNames test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_captionsandnames.moc"
