#include "config/NumericEntryBinding.h"
#include "config/SpinButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

// One numeric entry box on a window of its own, bound as its page binds it: the value
// behind it is set first, then the box is filled with that value's text.
struct BoundBox {
    explicit BoundBox(const QString& name, qint32 initialValue)
        : spec(NumericBoxSpecFor(name)), window(std::make_unique<QWidget>())
    {
        box = new QLineEdit(window.get());
        box->setObjectName(name);
        auto* layout = new QHBoxLayout(window.get());
        layout->addWidget(box);
        value16 = static_cast<qint16>(initialValue);
        value32 = initialValue;
        if (spec.storedBits == 16)
            BindNumericEntry(box, value16, spec.entry);
        else
            BindNumericEntry(box, value32, spec.entry);
        if (spec.hasSpinButtons()) {
            spin = new SpinButtons(window.get());
            spin->setObjectName(QLatin1String(spec.spinName));
            spin->bindTo(box, spec.entry.minimum, spec.entry.maximum, spec.spinStep);
            layout->addWidget(spin);
        }
        box->setText(QString::number(initialValue));
        window->show();
    }

    qint32 stored() const { return spec.storedBits == 16 ? value16 : value32; }

    // Types at the end of the text, or over all of it.
    void type(const QString& keys, bool overwrite)
    {
        box->setFocus();
        if (overwrite)
            box->selectAll();
        else
            box->end(false);
        QTest::keyClicks(box, keys);
    }

    // '+' clicks the up button, '-' the down button.
    void clickSpin(const QString& clicks)
    {
        for (QChar c : clicks)
            QTest::mouseClick(c == QLatin1Char('+') ? spin->upButton() : spin->downButton(),
                              Qt::LeftButton);
    }

    NumericBoxSpec spec;
    std::unique_ptr<QWidget> window;
    QLineEdit* box = nullptr;
    SpinButtons* spin = nullptr;
    qint16 value16 = 0;
    qint32 value32 = 0;
};

bool ImageContainsColour(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

}  // namespace

class TestNumericEntryBinding : public QObject {
    Q_OBJECT
private slots:
    void programWrite_data();
    void programWrite();
    void typing_data();
    void typing();
    void clearingIdBox_restoresPreviousValueAtOnceInPendingColour_data();
    void clearingIdBox_restoresPreviousValueAtOnceInPendingColour();
    void spinButtons_data();
    void spinButtons();
    void unboundSpinButtons_stayWithinTheirRange();
    void colourAfterAnyChange_data();
    void colourAfterAnyChange();
    void markedColourIsDrawn_data();
    void markedColourIsDrawn();
};

void TestNumericEntryBinding::programWrite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("70000 in an ID box") << "txtNetworkID2" << "70000" << "65535" << 65535;
    QTest::newRow("2.5 stays shown, stores 2") << "txtSystemID2" << "2.5" << "2.5" << 2;
    QTest::newRow("hop table 20 from a reply") << "txtSetHopTable2" << "20" << "15" << 15;
    QTest::newRow("3-digit reply is clamped, not cut to 2 characters")
        << "txtRFSingleChannel2" << "123" << "49" << 49;
    QTest::newRow("letters restore the stored value") << "txtSetHopTable2" << "abc" << "7" << 7;
    QTest::newRow("empty restores the stored value") << "txtTCOUNT" << "" << "7" << 7;
}

void TestNumericEntryBinding::programWrite()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    BoundBox bound(name, 7);
    bound.box->setText(text);
    QCOMPARE(bound.box->text(), shown);
    QCOMPARE(bound.stored(), stored);
}

void TestNumericEntryBinding::typing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("initial");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("letter after 7 gives 7 again") << "txtSetHopTable2" << 7 << "x" << false << "7" << 7;
    QTest::newRow("16 shows 15") << "txtSetHopTable2" << 0 << "16" << true << "15" << 15;
    QTest::newRow("50 shows 49") << "txtRFSingleChannel2" << 25 << "50" << true << "49" << 49;
    QTest::newRow("21 shows 20") << "txtSetRFRetries2" << 3 << "21" << true << "20" << 20;
    QTest::newRow("70000 in an ID box") << "txtNetworkID2" << 1 << "70000" << true << "65535" << 65535;
    QTest::newRow("third character refused in a 2-character box")
        << "txtRFSingleChannel2" << 25 << "123" << true << "12" << 12;
    QTest::newRow("sixth character refused in an ID box")
        << "txtTransceiverID2" << 1 << "123456" << true << "12345" << 12345;
    QTest::newRow("register box takes any length")
        << "txtMainBDividerCoefficient0" << 0 << "0000511" << true << "0000511" << 511;
    QTest::newRow("fraction typed stays shown") << "txtSystemID2" << 1 << "2.5" << true << "2.5" << 2;
    QTest::newRow("second point shows the stored value, fraction lost")
        << "txtSystemID2" << 1 << "2.5." << true << "2" << 2;
}

void TestNumericEntryBinding::typing()
{
    QFETCH(QString, name);
    QFETCH(int, initial);
    QFETCH(QString, keys);
    QFETCH(bool, overwrite);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    BoundBox bound(name, initial);
    bound.type(keys, overwrite);
    QCOMPARE(bound.box->text(), shown);
    QCOMPARE(bound.stored(), stored);
}

void TestNumericEntryBinding::clearingIdBox_restoresPreviousValueAtOnceInPendingColour_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("cleared by the program") << false;
    QTest::newRow("deleted with the keyboard") << true;
}

void TestNumericEntryBinding::clearingIdBox_restoresPreviousValueAtOnceInPendingColour()
{
    QFETCH(bool, byKeyboard);
    BoundBox bound("txtTransceiverID2", 300);
    MarkConfirmed(bound.box);

    if (byKeyboard) {
        bound.box->selectAll();
        QTest::keyClick(bound.box, Qt::Key_Backspace);
    } else {
        bound.box->clear();
    }

    QCOMPARE(bound.box->text(), "300");
    QCOMPARE(bound.stored(), 300);
    QCOMPARE(TextColour(bound.box), PendingColour());
}

void TestNumericEntryBinding::spinButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("initial");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("past the maximum stays at it") << "txtSetHopTable2" << 14 << "++" << "15" << 15;
    QTest::newRow("below the minimum stays at it") << "txtSetHopTable2" << 0 << "-" << "0" << 0;
    QTest::newRow("channel up and down") << "txtRFSingleChannel2" << 25 << "++-" << "26" << 26;
    QTest::newRow("repeat delay steps by 100") << "txtRepeatDelay" << 500 << "+" << "600" << 600;
    QTest::newRow("repeat delay step clamps at 10000")
        << "txtRepeatDelay" << 9950 << "+" << "10000" << 10000;
    QTest::newRow("repeat delay step clamps at 100") << "txtRepeatDelay" << 150 << "-" << "100" << 100;
    QTest::newRow("register box down") << "txtMainBDividerCoefficient1" << 511 << "-" << "510" << 510;
}

void TestNumericEntryBinding::spinButtons()
{
    QFETCH(QString, name);
    QFETCH(int, initial);
    QFETCH(QString, clicks);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    BoundBox bound(name, initial);
    QVERIFY(bound.spin);
    QCOMPARE(bound.spin->objectName(), QLatin1String(bound.spec.spinName));
    bound.clickSpin(clicks);
    QCOMPARE(bound.box->text(), shown);
    QCOMPARE(bound.stored(), stored);
}

void TestNumericEntryBinding::unboundSpinButtons_stayWithinTheirRange()
{
    SpinButtons spin;
    spin.setRange(0, 100);
    spin.stepDown();
    QCOMPARE(spin.value(), 0);
    for (int i = 0; i < 101; ++i)
        spin.stepUp();
    QCOMPARE(spin.value(), 100);
    spin.stepUp();
    QCOMPARE(spin.value(), 100);
}

void TestNumericEntryBinding::colourAfterAnyChange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("marksPending");
    QTest::newRow("ID box") << "txtSystemID2" << true;
    QTest::newRow("hop table") << "txtSetHopTable2" << true;
    QTest::newRow("destination ID") << "txtDestinationID" << false;
    QTest::newRow("packet ID") << "txtPacketID" << false;
    QTest::newRow("repeat delay") << "txtRepeatDelay" << false;
    QTest::newRow("TCOUNT") << "txtTCOUNT" << false;
}

// Every kind of change: a number, a letter, out of bounds, typing, a spin step.
void TestNumericEntryBinding::colourAfterAnyChange()
{
    QFETCH(QString, name);
    QFETCH(bool, marksPending);
    BoundBox bound(name, 5);
    const QLineEdit untouched;
    const QColor ordinary = TextColour(&untouched);
    QCOMPARE(TextColour(bound.box), marksPending ? PendingColour() : ordinary);

    std::vector<std::function<void()>> changes = {
        [&] { bound.box->setText("6"); },
        [&] { bound.box->setText("z"); },
        [&] { bound.box->setText("99999"); },
        [&] { bound.type("1", true); },
    };
    if (bound.spin)
        changes.push_back([&] { bound.clickSpin("-"); });

    for (const auto& change : changes) {
        if (marksPending)
            MarkConfirmed(bound.box);  // as a reply handler would
        change();
        QCOMPARE(TextColour(bound.box), marksPending ? PendingColour() : ordinary);
    }
}

void TestNumericEntryBinding::markedColourIsDrawn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("pending");
    for (const char* kind : {"line edit", "check box", "option button", "drop-down list"}) {
        QTest::addRow("%s pending", kind) << kind << true;
        QTest::addRow("%s confirmed", kind) << kind << false;
    }
}

// The colour must reach the pixels of each kind of control, not just its palette.
void TestNumericEntryBinding::markedColourIsDrawn()
{
    QFETCH(QString, kind);
    QFETCH(bool, pending);
    const QString text = QStringLiteral("WWWW MMMM");
    std::unique_ptr<QWidget> control;
    if (kind == "line edit")
        control = std::make_unique<QLineEdit>(text);
    else if (kind == "check box")
        control = std::make_unique<QCheckBox>(text);
    else if (kind == "option button")
        control = std::make_unique<QRadioButton>(text);
    else {
        auto combo = std::make_unique<QComboBox>();
        combo->addItem(text);
        control = std::move(combo);
    }
    QFont font = control->font();
    font.setPointSize(20);
    font.setBold(true);
    control->setFont(font);
    control->show();

    const QColor colour = pending ? PendingColour() : ConfirmedColour();
    QVERIFY(!ImageContainsColour(control->grab().toImage(), colour));
    if (pending)
        MarkPending(control.get());
    else
        MarkConfirmed(control.get());
    QVERIFY(ImageContainsColour(control->grab().toImage(), colour));
}

QTEST_MAIN(TestNumericEntryBinding)
#include "tst_numericentrybinding.moc"
