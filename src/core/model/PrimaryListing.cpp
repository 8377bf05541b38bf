#include "core/model/PrimaryListing.h"

#include "core/model/FlatSpiral.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <limits>

namespace resonex {

namespace {

// The texts turnListing and tappingSentence write, as design files keep them:
// " Turn  1           0.76uH" lines, the decimals after the separator of the
// locale the design was calculated in, and "... tapped between turn 3 and
// turn 4 ...".
const QRegularExpression kListingLine(QStringLiteral(R"(Turn\s*(-?\d+)\s+(-?\d+)[^\d\s]+(\d+)uH)"));
const QRegularExpression kTapping(QStringLiteral(R"(between turn\s*(-?\d+) and turn\s*(-?\d+))"));

// A decimal number as the nearest float, rounded only once; NaN when no float
// holds it.
float nearestFloat(const QByteArray& decimal) {
    float value = std::numeric_limits<float>::quiet_NaN();
    std::from_chars(decimal.constData(), decimal.constData() + decimal.size(), value);
    return value;
}

// The listed microhenries in henries: the decimal text read with its scale.
float henries(const QString& whole, const QString& decimals) {
    return nearestFloat((whole + u'.' + decimals + QStringLiteral("e-6")).toLatin1());
}

// The microhenries as the listing writes them, in henries as a listing read
// back gives them: hundredths rounded half away from zero on the float's exact
// value, as the listing's two decimals are (the product is exact, a float's 24
// bits and 100's 5 fitting a double's 53), then the decimal scaled and rounded
// once.
float listedHenries(float microhenries) {
    const double hundredths = std::round(double(microhenries) * 100);
    char digits[64];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, hundredths, std::chars_format::fixed, 0);
    return nearestFloat(QByteArray(digits, end.ptr - digits) + "e-8");
}

QList<TurnInductance> listedTurns(const QString& listing) {
    QList<TurnInductance> turns;
    for (const QRegularExpressionMatch& line : kListingLine.globalMatch(listing))
        turns.append({line.captured(1).toInt(), henries(line.captured(2), line.captured(3))});
    return turns;
}

// The listing names the turns from the first, one a line, never more than the
// spiral has. (A number beyond an int reads as 0.)
bool isOwnListing(const QList<TurnInductance>& turns) {
    if (turns.size() > kSpiralTurns)
        return false;
    for (qsizetype i = 0; i < turns.size(); ++i)
        if (turns[i].turn != i + 1)
            return false;
    return true;
}

std::optional<Tap> namedTap(const QString& sentence) {
    const QRegularExpressionMatch match = kTapping.match(sentence);
    if (!match.hasMatch())
        return std::nullopt;
    return Tap{match.captured(1).toInt(), match.captured(2).toInt()};
}

// A turn of the spiral and the one before it, turn 0 being none.
bool isOwnTap(const Tap& tap) {
    return tap.beforeTurn >= 1 && tap.beforeTurn <= kSpiralTurns &&
           tap.afterTurn == tap.beforeTurn - 1;
}

} // namespace

PrimaryListing listingOf(const SpiralTurns& spiral) {
    PrimaryListing listing;
    if (spiral.tap == 0)
        return listing;
    for (int turn = 1; turn <= kSpiralTurns; ++turn)
        listing.turns.append({turn, listedHenries(spiral.microhenries[turn - 1])});
    listing.tap = Tap{spiral.tap - 1, spiral.tap};
    return listing;
}

PrimaryListing readListing(const QString& listing, const QString& sentence) {
    PrimaryListing read;
    const QList<TurnInductance> turns = listedTurns(listing);
    const std::optional<Tap> tap = namedTap(sentence);
    const bool ownListing = isOwnListing(turns);
    const bool ownTap = !tap || isOwnTap(*tap);
    if (ownListing)
        read.turns = turns;
    if (ownTap)
        read.tap = tap;
    read.damaged = !ownListing || !ownTap;
    return read;
}

} // namespace resonex
