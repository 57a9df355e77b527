#include "config/NumericBoxSpec.h"
#include "config/NumericEntryRule.h"

#include <QtTest>

#include <cmath>

namespace {

const QString kAccepted;  // a null replacement: the text stays

NumericEntryOutcome Validate(const NumericBoxSpec& spec, const QString& text, qint32 stored)
{
    return ValidateNumericEntry(text, spec.entry.minimum, spec.entry.maximum, stored);
}

}  // namespace

class TestNumericEntryRule : public QObject {
    Q_OBJECT
private slots:
    void numberForms_data();
    void numberForms();
    void rule_data();
    void rule();
    void replacementIsAcceptedOnTheNestedRun_data();
    void replacementIsAcceptedOnTheNestedRun();
};

void TestNumericEntryRule::numberForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "12" << true << 12.0;
    QTest::newRow("surrounding blanks") << "  12 " << true << 12.0;
    QTest::newRow("plus sign") << "+5" << true << 5.0;
    QTest::newRow("minus sign") << "-5" << true << -5.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("exponent") << "7e4" << true << 70000.0;
    QTest::newRow("upper-case exponent, signed") << "1.5E+2" << true << 150.0;
    QTest::newRow("negative exponent") << "25e-1" << true << 2.5;
    QTest::newRow("overflow is infinite") << "1e999" << true << qInf();
    QTest::newRow("negative overflow") << "-12345e99999999999" << true << -qInf();
    QTest::newRow("long digits overflow") << QString(400, QLatin1Char('9')) << true << qInf();
    QTest::newRow("underflow is zero") << "1e-999" << true << 0.0;
    QTest::newRow("underflow with many integer digits") << "123456e-99999" << true << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("lone sign") << "-" << false << 0.0;
    QTest::newRow("lone point") << "." << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("digit then letter") << "7x" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("exponent without mantissa") << "e5" << false << 0.0;
    QTest::newRow("double sign") << "--1" << false << 0.0;
    QTest::newRow("thousands separator") << "1,000" << false << 0.0;
    QTest::newRow("decimal comma") << "2,5" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
    QTest::newRow("hexadecimal prefix") << "0x10" << false << 0.0;
    QTest::newRow("infinity word") << "inf" << false << 0.0;
    QTest::newRow("nan word") << "nan" << false << 0.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << false << 0.0;
}

void TestNumericEntryRule::numberForms()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> parsed = ParseNumericText(text);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void TestNumericEntryRule::rule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("storedAfter");
    QTest::newRow("empty ID restores stored value") << "txtTransceiverID2" << "" << 300 << "300" << 0;
    QTest::newRow("letter restores stored value") << "txtSetHopTable2" << "7x" << 7 << "7" << 0;
    QTest::newRow("stored value outside the bounds is clamped")
        << "txtSetHopTable2" << "a" << 20 << "15" << 0;
    QTest::newRow("70000 above ID maximum") << "txtNetworkID2" << "70000" << 1 << "65535" << 0;
    QTest::newRow("-5 below ID minimum") << "txtNetworkID2" << "-5" << 1 << "0" << 0;
    QTest::newRow("7e4 above ID maximum") << "txtNetworkID2" << "7e4" << 1 << "65535" << 0;
    QTest::newRow("-0.4 below minimum") << "txtSystemID2" << "-0.4" << 1 << "0" << 0;
    QTest::newRow("-1 below hop table minimum") << "txtSetHopTable2" << "-1" << 3 << "0" << 0;
    QTest::newRow("99 below repeat delay minimum") << "txtRepeatDelay" << "99" << 500 << "100" << 0;
    QTest::newRow("10001 above repeat delay maximum")
        << "txtRepeatDelay" << "10001" << 500 << "10000" << 0;
    QTest::newRow("16 above hop table maximum") << "txtSetHopTable2" << "16" << 0 << "15" << 0;
    QTest::newRow("50 above channel maximum") << "txtRFSingleChannel2" << "50" << 25 << "49" << 0;
    QTest::newRow("21 above retries maximum") << "txtSetRFRetries2" << "21" << 3 << "20" << 0;
    QTest::newRow("fraction just above maximum") << "txtSetHopTable2" << "15.1" << 0 << "15" << 0;
    QTest::newRow("infinite above maximum") << "txtDestinationID" << "1e400" << 9 << "65535" << 0;
    QTest::newRow("2.5 stays and stores 2") << "txtSystemID2" << "2.5" << 1 << kAccepted << 2;
    QTest::newRow("3.5 stores 4") << "txtSystemID2" << "3.5" << 1 << kAccepted << 4;
    QTest::newRow("6.5 stores 6") << "txtSystemID2" << "6.5" << 1 << kAccepted << 6;
    QTest::newRow("6.6 stores 7") << "txtSystemID2" << "6.6" << 1 << kAccepted << 7;
    QTest::newRow("0.5 stores 0") << "txtSystemID2" << "0.5" << 1 << kAccepted << 0;
    QTest::newRow("blanks around a number") << "txtSystemID2" << " 12 " << 1 << kAccepted << 12;
    QTest::newRow("the maximum itself") << "txtTransceiverID2" << "65535" << 1 << kAccepted << 65535;
    QTest::newRow("maximum with a fraction rounds down")
        << "txtTransceiverID2" << "65534.5" << 1 << kAccepted << 65534;
    QTest::newRow("exponent within the bounds") << "txtRepeatDelay" << "2.5e3" << 100 << kAccepted << 2500;
    QTest::newRow("underflow is zero") << "txtPacketID" << "1e-999" << 5 << kAccepted << 0;
}

void TestNumericEntryRule::rule()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(int, stored);
    QFETCH(QString, replacement);
    QFETCH(int, storedAfter);
    const NumericBoxSpec spec = NumericBoxSpecFor(box);
    QVERIFY2(spec.isValid(), qPrintable(box));

    const NumericEntryOutcome outcome = Validate(spec, text, stored);
    if (replacement.isNull()) {
        QCOMPARE(outcome.action, NumericEntryOutcome::Action::Accept);
        QCOMPARE(outcome.storedValue, storedAfter);
    } else {
        QCOMPARE(outcome.action, NumericEntryOutcome::Action::ReplaceText);
        QCOMPARE(outcome.replacementText, replacement);
    }
}

// A replaced text changes the box again; that run must accept it at once and store
// the number shown, for every box and whatever the bad text was.
void TestNumericEntryRule::replacementIsAcceptedOnTheNestedRun_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    for (const char* text : {"", "x", "-", ".", "1e", "-1e9", "1e9", "-0.6", "70000", "99"}) {
        for (int stored : {0, 1, 7, 100, -3, 70000}) {
            QTest::addRow("'%s' over %d", text, stored) << QString::fromLatin1(text) << stored;
        }
    }
}

void TestNumericEntryRule::replacementIsAcceptedOnTheNestedRun()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    for (const NumericBoxSpec& spec : kNumericBoxSpecs) {
        const NumericEntryOutcome first = Validate(spec, text, stored);
        if (first.action == NumericEntryOutcome::Action::Accept)
            continue;
        const NumericEntryOutcome nested = Validate(spec, first.replacementText, stored);
        QVERIFY2(nested.action == NumericEntryOutcome::Action::Accept, spec.boxName);
        QCOMPARE(QString::number(nested.storedValue), first.replacementText);
        QVERIFY(nested.storedValue >= spec.entry.minimum && nested.storedValue <= spec.entry.maximum);
    }
}

QTEST_APPLESS_MAIN(TestNumericEntryRule)
#include "tst_numericentryrule.moc"
