#pragma once

#include "core/settings/HeldOptions.h"

#include <QString>
#include <QtGlobal>

namespace resonex {

class FieldReader;
class FieldWriter;
class OptionsStore;

// The program's options and the per-design choices of the primary calculation.
// The five options (core/settings/StoredOptions.h) are read from the store
// when the object is created and written back, unconditionally, by
// saveOptions, which the document calls when it releases the object; UseMetric,
// Use50Hz and the three Use... choices also travel in the design file.
class CSettings {
public:
    // The fixed text that opens every design file.
    inline static const QString kFileSignature = QStringLiteral("<-rezon32->");

    // A null store starts from the defaults and writes nothing.
    explicit CSettings(OptionsStore* store);
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Writes the five options to the store: they become the next design's and
    // the next run's.
    void saveOptions() const;

    // 1 = the primary takes that value from the other model, 0 = its own entry.
    qint16 UseSecDia() const { return m_useSecDia; }
    void setUseSecDia(qint16 value) { m_useSecDia = value; }
    qint16 UseSecFr() const { return m_useSecFr; }
    void setUseSecFr(qint16 value) { m_useSecFr = value; }
    qint16 UsePriC() const { return m_usePriC; }
    void setUsePriC(qint16 value) { m_usePriC = value; }
    // 1 = the primary tunes to the secondary's frequency with its top load.
    // Kept in the design file's extension (ExtensionFields.h), not among the
    // three above.
    qint16 UseTopFr() const { return m_useTopFr; }
    void setUseTopFr(qint16 value) { m_useTopFr = value; }
    // 1 = the primary takes the power side's tank capacitor. Kept in the
    // extension after the power side's inputs.
    qint16 UseTankC() const { return m_useTankC; }
    void setUseTankC(qint16 value) { m_useTankC = value; }

    // Millimetres when true, inches when false. Converts nothing.
    bool UseMetric() const { return m_useMetric.value(); }
    void setUseMetric(bool value) { m_useMetric.set(value); }

    const QString& DesPath() const { return m_desPath.value(); }
    // Makes the folder the current directory first; raises "Path not found"
    // and keeps the old folder when it cannot.
    void setDesPath(const QString& folder);

    bool Use50Hz() const { return m_use50Hz.value(); }
    void setUse50Hz(bool value) { m_use50Hz.set(value); }

    const QString& FontName() const { return m_fontName.value(); }
    void setFontName(const QString& value) { m_fontName.set(value); }
    qint16 FontSize() const { return m_fontSize.value(); }
    void setFontSize(qint16 value) { m_fontSize.set(value); }

    // Back to a first run's design fields (the four choices, units and mains),
    // keeping the program's options: what a design file is read over.
    void startFirstRunDesign();

    void ReadObjects(FieldReader& reader);
    void WriteObjects(FieldWriter& writer) const;

private:
    OptionsStore* m_store;
    qint16 m_useSecDia = 0;
    qint16 m_useSecFr = 0;
    qint16 m_usePriC = 0;
    qint16 m_useTopFr = 0;
    qint16 m_useTankC = 0;
    // The options, in the order they are read and written.
    stored::HeldOptions m_options;
    stored::Held<stored::BooleanOption> m_useMetric{m_options, stored::kUseMetric};
    stored::Held<stored::BooleanOption> m_use50Hz{m_options, stored::kUse50Hz};
    stored::Held<stored::TextOption> m_desPath{m_options, stored::kDesPath};
    stored::Held<stored::TextOption> m_fontName{m_options, stored::kFontName};
    stored::Held<stored::IntegerOption> m_fontSize{m_options, stored::kFontSize};
};

} // namespace resonex
