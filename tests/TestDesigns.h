#pragma once

#include "core/document/DesignCommands.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/CPrimary.h"

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

// Enters the primary of the imperial worked example through its setters, in
// the dialog's order.
inline void enterImperialExample(CPrimary& primary) {
    primary.setC(QStringLiteral("0.01"));
    primary.setFr(QStringLiteral("250"));
    primary.setSecDia(QStringLiteral("4.5"));
    primary.setConDia(QStringLiteral("0.374"));
    primary.setConSpa(QStringLiteral("0.374"));
    primary.setSecSep(QStringLiteral("2.46"));
}

// The calculations as their dialogs carry them out, given the boxes' texts in
// the dialogs' order.
inline void enterSecondary(CFile& doc, const QString& dia, const QString& height,
                           const QString& wireDia, const QString& wireSpa) {
    calculateSecondary(doc, {{Input::Dia, dia},
                             {Input::Height, height},
                             {Input::WireDia, wireDia},
                             {Input::WireSpa, wireSpa}});
}
inline void enterTopLoad(CFile& doc, CTopLoad::Shape shape, const QString& dia, const QString& tube,
                         const QString& height, const QString& base,
                         const QString& target = QString()) {
    calculateTopLoad(doc, shape,
                     {{Input::TopDia, dia},
                      {Input::TubeDia, tube},
                      {Input::TopHeight, height},
                      {Input::BaseHeight, base},
                      {Input::TargetFr, target}});
}
inline Entries primaryEntries(const QString& c, const QString& fr, const QString& secDia,
                              const QString& conDia, const QString& conSpa, const QString& secSep) {
    return {{Input::C, c},           {Input::Fr, fr},         {Input::SecDia, secDia},
            {Input::ConDia, conDia}, {Input::ConSpa, conSpa}, {Input::SecSep, secSep}};
}

// A float's exact identity as text, for comparisons that must not be fuzzy.
inline QString exact(float value) { return QString::number(double(value), 'g', 9); }

} // namespace resonex::test
