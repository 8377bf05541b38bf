#include "core/model/PrimaryListing.h"

#include "core/model/CPrimary.h"
#include "core/model/FlatSpiral.h"

#include <QRegularExpression>

#include <charconv>
#include <limits>

namespace resonex {

namespace {

// The texts turnListing and tappingSentence write, as design files keep them:
// " Turn  1           0.76uH" lines, the decimals after the separator of the
// locale the design was calculated in, and "... tapped between turn 3 and
// turn 4 ...".
const QRegularExpression kListingLine(QStringLiteral(R"(Turn\s*(-?\d+)\s+(-?\d+)[^\d\s]+(\d+)uH)"));
const QRegularExpression kTapping(QStringLiteral(R"(between turn\s*(-?\d+) and turn\s*(-?\d+))"));

// The listed microhenries as the nearest float in henries: the decimal text is
// read with its scale, so that it is rounded only once.
float henries(const QString& whole, const QString& decimals) {
    const QByteArray text = (whole + u'.' + decimals + QStringLiteral("e-6")).toLatin1();
    float value = std::numeric_limits<float>::quiet_NaN(); // kept when no float holds it
    std::from_chars(text.constData(), text.constData() + text.size(), value);
    return value;
}

QList<TurnInductance> listedTurns(const CPrimary& primary) {
    QList<TurnInductance> turns;
    for (const QRegularExpressionMatch& line : kListingLine.globalMatch(primary.LPerTurn()))
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

std::optional<Tap> namedTap(const CPrimary& primary) {
    const QRegularExpressionMatch sentence = kTapping.match(primary.Results());
    if (!sentence.hasMatch())
        return std::nullopt;
    return Tap{sentence.captured(1).toInt(), sentence.captured(2).toInt()};
}

// A turn of the spiral and the one before it, turn 0 being none.
bool isOwnTap(const Tap& tap) {
    return tap.beforeTurn >= 1 && tap.beforeTurn <= kSpiralTurns &&
           tap.afterTurn == tap.beforeTurn - 1;
}

} // namespace

QList<TurnInductance> turnInductances(const CPrimary& primary) {
    const QList<TurnInductance> turns = listedTurns(primary);
    return isOwnListing(turns) ? turns : QList<TurnInductance>();
}

std::optional<Tap> tap(const CPrimary& primary) {
    const std::optional<Tap> named = namedTap(primary);
    return named && isOwnTap(*named) ? named : std::nullopt;
}

bool listingDamaged(const CPrimary& primary) {
    const std::optional<Tap> named = namedTap(primary);
    return !isOwnListing(listedTurns(primary)) || (named && !isOwnTap(*named));
}

} // namespace resonex
