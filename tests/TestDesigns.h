#pragma once

#include "errors/ResonexError.h"
#include "files/FieldReader.h"
#include "files/FieldWriter.h"
#include "model/CPrimary.h"

#include <QString>

#include <initializer_list>

namespace resonex::test {

// Loads a model's fields as a design file would, bypassing the setters' checks;
// given fewer values than fields, the rest keep theirs.
template <typename Model> void loadFields(Model& model, std::initializer_list<TaggedValue> values) {
    FieldWriter writer;
    for (const TaggedValue& value : values)
        writer.WriteField(value);
    FieldReader reader(writer.bytes());
    try {
        model.ReadObjects(reader);
    } catch (const ResonexError&) {
    }
}

// Enters the primary's six inputs through its setters, in the dialog's order.
inline void enterPrimary(CPrimary& primary, const char* c, const char* fr, const char* secDia,
                         const char* conDia, const char* conSpa, const char* secSep) {
    primary.setC(QLatin1String(c));
    primary.setFr(QLatin1String(fr));
    primary.setSecDia(QLatin1String(secDia));
    primary.setConDia(QLatin1String(conDia));
    primary.setConSpa(QLatin1String(conSpa));
    primary.setSecSep(QLatin1String(secSep));
}

// The primary of the imperial worked example.
inline void enterImperialExample(CPrimary& primary) {
    enterPrimary(primary, "0.01", "250", "4.5", "0.374", "0.374", "2.46");
}

// A float's exact identity as text, for comparisons that must not be fuzzy.
inline QString exact(float value) { return QString::number(double(value), 'g', 9); }

} // namespace resonex::test
