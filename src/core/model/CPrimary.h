#pragma once

#include "core/model/PrimaryListing.h"

#include <QString>

namespace resonex {

class CSettings;
class FieldReader;
class FieldWriter;
class Prompts;
struct DesignBasis;

// The flat spiral primary: capacitance (farads), target frequency (hertz),
// conductor diameter and spacing, separation from the secondary and secondary
// diameter (input length unit). Calculate lists the inductance after each of
// the first 15 turns (flatSpiral) and names the pair of turns to tap for
// resonance. It keeps the results as the texts design files and the summary
// hold, and as numbers (PrimaryListing).
class CPrimary {
public:
    inline static const QString kTurnLimitMessage =
        QStringLiteral("The primary winding will exceed the limit of 15 turns");

    explicit CPrimary(bool useMetric);

    // The capacitance, frequency and secondary diameter come from the other
    // models where the settings' choices say so (PrimaryInputs). frText is the
    // frequency as the user sees it, quoted in the tapping sentence. A zero
    // frequency or capacitance raises a division by zero and changes nothing;
    // needing more than 15 turns is told through prompts, after which the
    // results are empty. A primary built otherwise than the flat spiral is
    // tapped on its own turns: the spiral's limit is then not told.
    void Calculate(const CSettings& settings, const DesignBasis& from, const QString& frText,
                   Prompts& prompts, bool builtOtherwise = false);
    // Whether calculating again now would give the results kept: false when
    // what the primary takes from the other calculations (the loaded
    // frequency, say) has moved since, or it cannot be calculated now.
    bool resultsStand(const CSettings& settings, const DesignBasis& from,
                      const QString& frText) const;

    QString C() const; // microfarads
    void setC(const QString& text);
    QString fr() const; // kilohertz
    void setFr(const QString& text);
    QString ConDia() const;
    void setConDia(const QString& text);
    QString ConSpa() const;
    void setConSpa(const QString& text);
    QString SecSep() const;
    void setSecSep(const QString& text);
    QString SecDia() const;
    void setSecDia(const QString& text);

    // The inputs as an entry box shows them: entered again, each stores the
    // same value.
    QString CEntry() const;
    QString frEntry() const;
    QString ConDiaEntry() const;
    QString ConSpaEntry() const;
    QString SecSepEntry() const;
    QString SecDiaEntry() const;

    // The inputs as stored: farads, hertz and the design's length unit.
    float CValue() const { return m_c; }
    float frValue() const { return m_fr; }
    float ConDiaValue() const { return m_conDia; }
    float ConSpaValue() const { return m_conSpa; }
    float SecSepValue() const { return m_secSep; }
    float SecDiaValue() const { return m_secDia; }

    const QString& LPerTurn() const { return m_lPerTurn; }
    const QString& Results() const { return m_results; }
    const PrimaryListing& listing() const { return m_listing; }
    bool CalcsInvalid() const { return m_calcsInvalid; }
    void setCalcsInvalid(bool value) { m_calcsInvalid = value; }

    void ReadObjects(FieldReader& reader);
    void WriteObjects(FieldWriter& writer) const;

private:
    // The spiral for the inputs as the choices take them; raises as
    // Calculate does.
    SpiralTurns spiral(const CSettings& settings, const DesignBasis& from) const;
    static QString sentence(const SpiralTurns& turns, const QString& frText);

    float m_c = 0;
    float m_fr = 0;
    float m_conDia;
    float m_conSpa;
    float m_secSep;
    QString m_lPerTurn;
    float m_secDia = 0;
    QString m_results;
    bool m_calcsInvalid = true;
    PrimaryListing m_listing;
};

} // namespace resonex
