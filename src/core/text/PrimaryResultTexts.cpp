#include "core/text/PrimaryResultTexts.h"

#include "core/text/NumberText.h"

namespace resonex {

namespace {

// The listing lines its values up for a proportional font, where a digit is
// about as wide as two spaces: a value ends kValueEnd space widths after its
// turn number begins, counting each character of both numbers as a digit.
constexpr int kSpacesPerDigit = 2;
constexpr int kValueEnd = 21;
// The widths of value it pads for ("0.00" to "0000.00"); a value of another
// width takes the spaces of the line before.
constexpr qsizetype kNarrowestValue = 4;
constexpr qsizetype kWidestValue = 7;

// A whole number as the listing and the sentence write it: a leading space
// where a minus sign would stand.
QString spacedNumber(int value) {
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

int spacesBefore(const QString& value, int turn, int previous) {
    if (value.size() < kNarrowestValue || value.size() > kWidestValue)
        return previous;
    return kValueEnd - kSpacesPerDigit * int(QString::number(turn).size() + value.size());
}

} // namespace

QString turnListing(std::span<const float> microhenries) {
    QString listing;
    int spaces = 0;
    for (int turn = 1; turn <= int(microhenries.size()); ++turn) {
        const QString value = text::format(microhenries[turn - 1], text::Pattern::TwoDecimals);
        spaces = spacesBefore(value, turn, spaces);
        if (turn > 1)
            listing += QStringLiteral("\r\n");
        listing += QStringLiteral(" Turn ") + spacedNumber(turn) + QString(spaces, u' ') + value +
                   QStringLiteral("uH");
    }
    return listing;
}

QString tappingSentence(int tapTurn, const QString& frText) {
    return QStringLiteral("The primary will need to be tapped between turn") +
           spacedNumber(tapTurn - 1) + QStringLiteral(" and turn") + spacedNumber(tapTurn) +
           QStringLiteral(" to form a resonant circuit at ") + frText + QStringLiteral("kHz");
}

} // namespace resonex
