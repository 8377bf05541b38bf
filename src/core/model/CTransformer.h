#pragma once

#include <QString>
#include <QtGlobal>

namespace resonex {

class FieldReader;
class FieldWriter;

// The neon sign transformer bank: secondary voltage (kV) and current (mA) of
// one transformer, the number in parallel, and the primary capacitance (farads)
// whose reactance at the mains frequency matches the bank, C = I / (2 pi f V).
// C == 0 means "not calculated".
class CTransformer {
public:
    QString SecVol() const;
    void setSecVol(const QString& text);
    QString SecCur() const;
    void setSecCur(const QString& text);
    QString Num() const;
    void setNum(const QString& text);
    // The voltage and current as an entry box shows them: entered again, each
    // stores the same value (the count's text is exact already).
    QString SecVolEntry() const;
    QString SecCurEntry() const;

    // The inputs as stored: kilovolts, milliamperes and the count.
    float SecVolValue() const { return m_secVol; }
    float SecCurValue() const { return m_secCur; }
    qint16 NumValue() const { return m_num; }

    float C() const { return m_c; }

    // Raises a division by zero when a value read from a file is 0.
    void CalcCap(bool use50Hz);

    // The mains frequency the capacitor is matched at, in hertz.
    static int mainsFrequency(bool use50Hz) { return use50Hz ? 50 : 60; }

    void ReadObjects(FieldReader& reader);
    void WriteObjects(FieldWriter& writer) const;

private:
    float m_secVol = 15.0f;
    float m_secCur = 60.0f;
    qint16 m_num = 1;
    float m_c = 0;
};

} // namespace resonex
