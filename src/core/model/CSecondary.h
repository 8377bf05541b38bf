#pragma once

#include <QString>

namespace resonex {

class FieldReader;
class FieldWriter;

// The secondary coil: four dimensions as entered (millimetres or inches, by the
// design's unit choice) and eight results of Calculate, all 32-bit floats.
// Wire length is in metres or feet, L in henries, frequencies in hertz,
// capacitances in farads. Turns == 0 means "not calculated".
// Formulas: Wheeler's single-layer inductance, the empirical self-resonance
// 29.85 (H/D)^0.2 / (N D) MHz, and the quarter wave: the wire a quarter
// wavelength, f = (c/4) / wire length with c/4 = 75 000 000 m/s.
class CSecondary {
public:
    explicit CSecondary(bool useMetric);

    // Fields 5 to 12 from fields 1 to 4, each stored as a float before the next
    // step uses it. An arithmetic failure stops at its step with an error;
    // earlier steps keep their new values.
    void Calculate(bool useMetric);

    // Inputs as text ("###0.00##"); a rejected text raises and keeps the value.
    QString Height() const;
    void setHeight(const QString& text);
    QString Dia() const;
    void setDia(const QString& text);
    QString WireDia() const;
    void setWireDia(const QString& text);
    QString WireSpa() const;
    void setWireSpa(const QString& text);

    // The inputs as an entry box shows them: entered again, each stores the
    // same value.
    QString HeightEntry() const;
    QString DiaEntry() const;
    QString WireDiaEntry() const;
    QString WireSpaEntry() const;

    // The inputs as stored, in the design's length unit.
    float HeightValue() const { return m_height; }
    float DiaValue() const { return m_dia; }
    float WireDiaValue() const { return m_wireDia; }
    float WireSpaValue() const { return m_wireSpa; }

    float Turns() const { return m_turns; }
    float WireLength() const { return m_wireLength; }
    float L() const { return m_l; }
    float NatFr() const { return m_natFr; }
    float QuarWaveFr() const { return m_quarWaveFr; }
    float SelfC() const { return m_selfC; }
    float TorC() const { return m_torC; }
    float AspectRatio() const { return m_aspectRatio; }

    void ReadObjects(FieldReader& reader);
    void WriteObjects(FieldWriter& writer) const;

private:
    float m_height;
    float m_dia;
    float m_wireDia;
    float m_wireSpa = 0;
    float m_turns = 0;
    float m_wireLength = 0;
    float m_l = 0;
    float m_natFr = 0;
    float m_quarWaveFr = 0;
    float m_selfC = 0;
    float m_torC = 0;
    float m_aspectRatio = 0;
};

} // namespace resonex
