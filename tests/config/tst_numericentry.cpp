// The numeric entry rule, and the same rule bound to a real entry box.
#include "config/NumericBoxSpec.h"
#include "config/NumericEntryRule.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/SpinButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

class TestNumericEntry : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void boundBox_data();
    void boundBox();
    void markedColourIsDrawn();
};

void TestNumericEntry::rule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("replacement");  // null: the text is accepted
    QTest::addColumn<int>("storedAfter");
    const QString accepted;
    QTest::newRow("empty") << "txtTransceiverID2" << "" << 300 << "300" << 300;
    QTest::newRow("letters") << "txtSetHopTable2" << "7x" << 7 << "7" << 7;
    QTest::newRow("decimal comma") << "txtSystemID2" << "2,5" << 1 << "1" << 1;
    QTest::newRow("stored value out of bounds") << "txtSetHopTable2" << "a" << 20 << "15" << 15;
    QTest::newRow("70000") << "txtNetworkID2" << "70000" << 1 << "65535" << 65535;
    QTest::newRow("-5") << "txtNetworkID2" << "-5" << 1 << "0" << 0;
    QTest::newRow("-0.4") << "txtSystemID2" << "-0.4" << 1 << "0" << 0;
    QTest::newRow("7e4") << "txtNetworkID2" << "7e4" << 1 << "65535" << 65535;
    QTest::newRow("infinite") << "txtDestinationID" << "1e400" << 9 << "65535" << 65535;
    QTest::newRow("99 repeat delay") << "txtRepeatDelay" << "99" << 500 << "100" << 100;
    QTest::newRow("10001 repeat delay") << "txtRepeatDelay" << "10001" << 500 << "10000" << 10000;
    QTest::newRow("2.5 stores 2") << "txtSystemID2" << "2.5" << 1 << accepted << 2;
    QTest::newRow("3.5 stores 4") << "txtSystemID2" << "3.5" << 1 << accepted << 4;
    QTest::newRow("blanks around") << "txtSystemID2" << " 12 " << 1 << accepted << 12;
    QTest::newRow("the maximum") << "txtTransceiverID2" << "65535" << 1 << accepted << 65535;
    QTest::newRow("exponent") << "txtRepeatDelay" << "2.5e3" << 100 << accepted << 2500;
}

void TestNumericEntry::rule()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(int, stored);
    QFETCH(QString, replacement);
    QFETCH(int, storedAfter);
    const NumericEntryParameters bounds = NumericBoxSpecFor(box).entry;
    const auto validate = [&](const QString& t) { return ValidateNumericEntry(t, bounds.minimum, bounds.maximum, stored); };
    NumericEntryOutcome outcome = validate(text);
    if (!replacement.isNull()) {
        QCOMPARE(outcome.action, NumericEntryOutcome::Action::ReplaceText);
        QCOMPARE(outcome.replacementText, replacement);
        outcome = validate(replacement);  // the replacement changes the box again: accepted as it is
    }
    QCOMPARE(outcome.action, NumericEntryOutcome::Action::Accept);
    QCOMPARE(outcome.storedValue, storedAfter);
}

void TestNumericEntry::boundBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("initial");
    QTest::addColumn<QString>("how");  // type (over all the text), set (by the program), spin
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("letter") << "txtSetHopTable2" << 7 << "type" << "x" << "7" << 7;
    QTest::newRow("2.5 stays") << "txtSystemID2" << 1 << "type" << "2.5" << "2.5" << 2;
    QTest::newRow("third key") << "txtRFSingleChannel2" << 25 << "type" << "123" << "12" << 12;
    QTest::newRow("long reply") << "txtRFSingleChannel2" << 25 << "set" << "123" << "49" << 49;
    QTest::newRow("spin past max") << "txtSetHopTable2" << 14 << "spin" << "++" << "15" << 15;
    QTest::newRow("spin by 100") << "txtRepeatDelay" << 9950 << "spin" << "+" << "10000" << 10000;
    QTest::newRow("delay below minimum while typing") << "txtRepeatDelay" << 300 << "type" << "5" << "5" << 100;
    QTest::newRow("delay below minimum, Enter") << "txtRepeatDelay" << 300 << "type+enter" << "5" << "100" << 100;
    QTest::newRow("delay above maximum while typing") << "txtRepeatDelay" << 300 << "type" << "20000" << "10000" << 10000;
}

// The ID and RF settings boxes turn pending on every change, even after a confirmation.
void TestNumericEntry::boundBox()
{
    QFETCH(QString, name);
    QFETCH(int, initial);
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    const NumericBoxSpec spec = NumericBoxSpecFor(name);
    QWidget window;
    auto* box = new QLineEdit(&window);
    qint32 value = 0;
    BindNumericEntry(box, value, spec.entry);
    QCOMPARE(box->maxLength(), spec.entry.maxChars);
    auto* spin = new SpinButtons(&window);
    spin->bindTo(box, spec.entry.minimum, spec.entry.maximum, spec.spinStep);
    box->setText(QString::number(initial));
    window.show();
    MarkConfirmed(box);  // as a reply handler would

    box->setFocus();
    box->selectAll();
    if (how == "set") {
        WriteNumericText(box, input);
    } else if (how == "spin") {
        for (QChar c : input)
            QTest::mouseClick(c == '+' ? spin->upButton() : spin->downButton(), Qt::LeftButton);
    } else {
        QTest::keyClicks(box, input);
        if (how == "type+enter")
            QTest::keyClick(box, Qt::Key_Return);
    }

    QCOMPARE(box->text(), shown);
    QCOMPARE(value, stored);
    QCOMPARE(TextColour(box), spec.entry.marksPending ? PendingColour() : ConfirmedColour());
}

// The colour must reach the pixels of each kind of control, not just its palette.
void TestNumericEntry::markedColourIsDrawn()
{
    const auto drawn = [](QWidget* control, const QColor& colour) {
        const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return std::count(pixels, pixels + image.width() * image.height(), colour.rgb()) > 0;
    };
    const QString text = QStringLiteral("WWWW MMMM");
    QWidget window;
    auto* combo = new QComboBox;
    combo->addItem(text);
    const QList<QWidget*> controls{new QLineEdit(text), new QCheckBox(text), new QRadioButton(text), combo};
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* control : controls)
        layout->addWidget(control);
    window.setFont(QFont(window.font().family(), 20, QFont::Bold));
    window.show();
    for (const QColor& colour : {PendingColour(), ConfirmedColour()}) {
        for (QWidget* control : controls) {
            const char* kind = control->metaObject()->className();
            QVERIFY2(!drawn(control, colour), kind);
            colour == PendingColour() ? MarkPending(control) : MarkConfirmed(control);
            QVERIFY2(drawn(control, colour), kind);
        }
    }
}

QTEST_MAIN(TestNumericEntry)
#include "tst_numericentry.moc"
