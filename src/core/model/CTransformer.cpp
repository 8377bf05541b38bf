#include "core/model/CTransformer.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/Constants.h"
#include "core/model/DimensionProperty.h"
#include "core/text/NumberText.h"
#include "core/text/Real.h"

namespace resonex {

QString CTransformer::SecVol() const {
    return text::format(m_secVol, text::Pattern::UpToFiveDecimals);
}
void CTransformer::setSecVol(const QString& text) {
    m_secVol = dimension::wholeNumber(text, errors::TransformerSecVol);
}

QString CTransformer::SecCur() const {
    return text::format(m_secCur, text::Pattern::UpToFiveDecimals);
}
void CTransformer::setSecCur(const QString& text) {
    m_secCur = dimension::wholeNumber(text, errors::TransformerSecCur);
}

QString CTransformer::SecVolEntry() const {
    return text::entryText(m_secVol, text::Pattern::UpToFiveDecimals);
}
QString CTransformer::SecCurEntry() const {
    return text::entryText(m_secCur, text::Pattern::UpToFiveDecimals);
}

QString CTransformer::Num() const { return QString::number(m_num); }
void CTransformer::setNum(const QString& text) {
    m_num = dimension::count(text, errors::TransformerNum);
}

void CTransformer::CalcCap(bool use50Hz) {
    try {
        const double f = mainsFrequency(use50Hz);
        const Real volts = Real(m_secVol) * 1000.0;
        const Real d = Real(f) * kTwoPi * m_secCur * 0.001 * m_num;
        const Real x = (volts / d).toSingle();
        const Real w = Real(1.0) / (Real(f) * kTwoPi);
        m_c = (power(w, 2.0) / x).toSingle();
    } catch (ResonexError& error) {
        error.setSourceIfEmpty(QStringLiteral("CTransformer::CalcCap"));
        throw;
    }
}

void CTransformer::ReadObjects(FieldReader& reader) {
    m_secVol = reader.readSingle();
    m_secCur = reader.readSingle();
    m_num = reader.readInteger();
    m_c = reader.readSingle();
}

void CTransformer::WriteObjects(FieldWriter& writer) const {
    writer.writeSingle(m_secVol);
    writer.writeSingle(m_secCur);
    writer.writeInteger(m_num);
    writer.writeSingle(m_c);
}

} // namespace resonex
