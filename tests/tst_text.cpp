#include "TestSupport.h"

#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/Real.h"

#include <cmath>
#include <limits>

using namespace resonex;
using text::Pattern;

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(test::pointLocale()); }

    void format_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<Pattern>("pattern");
        QTest::addColumn<QString>("expected");
        using enum Pattern;
        QTest::newRow("0.0283 four") << 0.0283f << UpToFourDecimals << "0.0283";
        QTest::newRow("rounded at the fourth") << 0.123456f << UpToFourDecimals << "0.1235";
        QTest::newRow("five decimals") << 30.123456f << UpToFiveDecimals << "30.12346";
        QTest::newRow("four of five") << 4.12345f << UpToFiveDecimals << "4.12345";
        QTest::newRow("fifth dropped by four") << 4.12345f << UpToFourDecimals << "4.1234";
        QTest::newRow("no grouping") << 1234567.0f << TwoDecimals << "1234567.00";
        QTest::newRow("leading zero") << 0.5f << Fixed << "0.50";
        QTest::newRow("negative") << -0.019055635f << Fixed << "-0.02";
        QTest::newRow("carry into integer") << 9.999f << TwoDecimals << "10.00";
        QTest::newRow("exact tie away from zero") << 0.125f << TwoDecimals << "0.13";
        QTest::newRow("negative tie away from zero") << -0.125f << TwoDecimals << "-0.13";
        QTest::newRow("just below a tie") << 18.314943f << Fixed << "18.31";
        QTest::newRow("zero") << 0.0f << Fixed << "0.00";
        QTest::newRow("negative zero has no sign") << -0.0f << Fixed << "0.00";
        QTest::newRow("tiny") << 1e-30f << UpToFourDecimals << "0.00";
        QTest::newRow("largest float") << std::numeric_limits<float>::max() << TwoDecimals
                                       << "340282346638528859811704183484516925440.00";
    }
    void format() {
        QFETCH(float, value);
        QFETCH(Pattern, pattern);
        QFETCH(QString, expected);
        QCOMPARE(text::format(value, pattern), expected);
        QLocale::setDefault(test::commaLocale()); // its separator, still no grouping
        QCOMPARE(text::format(value, pattern), expected.replace(u'.', u','));
    }

    void numericTest_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("point");
        QTest::addColumn<bool>("comma");
        QTest::newRow("integer") << "12" << true << true;
        QTest::newRow("point decimal") << "2.5" << true << false;
        QTest::newRow("comma decimal") << "2,5" << false << true;
        QTest::newRow("blanks around") << "  3 " << true << true;
        QTest::newRow("signs") << "-0.5" << true << false;
        QTest::newRow("plus") << "+7" << true << true;
        QTest::newRow("exponent") << "1e3" << true << true;
        QTest::newRow("exponent needs digits") << "1e" << false << false;
        QTest::newRow("leading separator") << ".5" << true << false;
        QTest::newRow("trailing separator") << "5." << true << false;
        QTest::newRow("separator alone") << "." << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("letters") << "abc" << false << false;
        QTest::newRow("trailing letters") << "12mm" << false << false;
        QTest::newRow("inner blank") << "1 2" << false << false;
        QTest::newRow("grouping") << "1,000.5" << false << false;
        QTest::newRow("infinity word") << "inf" << false << false;
    }
    void numericTest() {
        QFETCH(QString, text);
        QFETCH(bool, point);
        QFETCH(bool, comma);
        QCOMPARE(text::isNumeric(text), point);
        QLocale::setDefault(test::commaLocale());
        QCOMPARE(text::isNumeric(text), comma);
    }

    // The locale's own separator reads as the decimal point too, so a numeric
    // entry means one number whichever way it is read; the full stop always does.
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("point");
        QTest::addColumn<double>("comma");
        QTest::newRow("blanks anywhere") << " 1 2.\t5" << 12.5 << 12.5;
        QTest::newRow("exponent") << "1e3" << 1000.0 << 1000.0;
        QTest::newRow("D exponent") << "2d2" << 200.0 << 200.0;
        QTest::newRow("exponent without digits") << "4e" << 4.0 << 4.0;
        QTest::newRow("negative") << "-3" << -3.0 << -3.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2 << 1.2;
        QTest::newRow("letters first") << "abc" << 0.0 << 0.0;
        QTest::newRow("empty") << "" << 0.0 << 0.0;
        QTest::newRow("sign only") << "-" << 0.0 << 0.0;
        QTest::newRow("stops at letter") << "12mm" << 12.0 << 12.0;
        QTest::newRow("overflow") << "1e400" << qInf() << qInf();
        QTest::newRow("comma") << "2,5" << 2.0 << 2.5;
        QTest::newRow("comma below one") << "0,72" << 0.0 << 0.72;
        QTest::newRow("second comma stops") << "1,2,3" << 1.0 << 1.2;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, point);
        QFETCH(double, comma);
        QCOMPARE(text::leadingNumber(text), point);
        QLocale::setDefault(test::commaLocale());
        QCOMPARE(text::leadingNumber(text), comma);
    }

    void wholeTextConversion() {
        QCOMPARE(text::toSingle(QStringLiteral(" 2.5 ")), 2.5f);
        QCOMPARE(test::errorNumberOf([] { text::toSingle(QStringLiteral("2,5")); }), 13u);
        QCOMPARE(test::errorNumberOf([] { text::toSingle(QStringLiteral("1e39")); }), 6u);
        QCOMPARE(test::errorNumberOf([] { text::toSingle(QStringLiteral("1e400")); }), 6u);
        QCOMPARE(text::toSingle(QStringLiteral("1e-400")), 0.0f);
        QLocale::setDefault(test::commaLocale());
        QCOMPARE(text::toSingle(QStringLiteral("2,5")), 2.5f);
        // The words and numbers a boolean takes are read back by the settings.
        QCOMPARE(test::errorNumberOf([] { text::toBoolean(QStringLiteral("yes")); }), 13u);
    }

    // Ties to even up and down are read back by the settings.
    void int16RoundsHalfToEven() {
        QCOMPARE(
            QList<qint16>({text::toInt16(-2.5), text::toInt16(32767.4), text::toInt16(-32768.0)}),
            QList<qint16>({-2, 32767, -32768}));
        for (const double outside : {32767.5, -32769.0, std::nan("")})
            QCOMPARE(test::errorNumberOf([outside] { text::toInt16(outside); }), 6u);
    }

    void checkedArithmetic() {
        QCOMPARE(test::errorNumberOf([] { Real(1.0) / 0.0; }), 11u);
        QCOMPARE(test::errorNumberOf([] { Real(1e300) * 1e300; }), 6u);
        QCOMPARE(test::errorNumberOf([] { power(-8.0, 0.2); }), 5u);
        QCOMPARE(test::errorNumberOf([] { Real(1e39).toSingle(); }), 6u);
        QCOMPARE(Real(0x1.fffffefffffffp127).toSingle(), std::numeric_limits<float>::max());
        QCOMPARE(test::errorNumberOf([] { Real(0x1.ffffffp127).toSingle(); }), 6u);
    }

    // A length in metres is the double nearest its exact value (12 inches
    // times 0.0254 misses it by a last place), and a toroid's size in metres
    // comes back to the design's unit as the float it was. The factors the
    // design formulas divide and multiply by are the doubles of their
    // decimals, which the worked examples hold to the last digit.
    void lengthUnits() {
        QVERIFY(kInch.toMetres(12.0f) == 0.3048 && kMillimetre.toMetres(600.0f) == 0.6);
        for (const LengthUnit& unit : {kMillimetre, kInch, kMetre, kFoot})
            for (const float length : {0.0283f, 0.72f, 7.874f, 23.622f, 300.0f, 1e-30f, 3e38f})
                QVERIFY(static_cast<float>(unit.fromMetres(unit.toMetres(length))) == length);
        QCOMPARE(QList<double>({kInch.in(kMillimetre), kInch.in(kMetre), kFoot.in(kInch),
                                kMetre.in(kMillimetre)}),
                 QList<double>({25.4, 0.0254, 12.0, 1000.0}));
    }
};

QTEST_APPLESS_MAIN(TextTest)
#include "tst_text.moc"
