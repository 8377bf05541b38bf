#pragma once

#include "TestSupport.h"

#include "core/document/DesignCommands.h"
#include "core/drawing/DesignDrawing.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/TopLoadSolution.h"
#include "core/settings/CSettings.h"
#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/StoredOptions.h"

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

// Options under which new designs are in inches.
inline MemoryOptionsStore inches() {
    MemoryOptionsStore store;
    stored::kUseMetric.write(store, false);
    return store;
}

// Everything the primary's calculation reads, standalone, in one unit system.
struct Design {
    explicit Design(bool metric) : secondary(metric), primary(metric), topLoad(metric) {
        settings.setUseMetric(metric);
    }
    void calculate(const QString& frText = QStringLiteral("250.00")) {
        primary.Calculate(settings, others(), frText, prompts);
    }
    DesignBasis others() const {
        return {secondary, transformer, topLoad, settings.UseMetric(), topLoadSolution, {}};
    }

    CSettings settings{nullptr};
    CSecondary secondary;
    CTransformer transformer;
    CPrimary primary;
    CTopLoad topLoad;
    TopLoadSolution topLoadSolution;
    RecordingPrompts prompts;
};

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

// The worked example as its dialogs leave it: the secondary's own entries, a
// primary tuned by 0.01 uF to 250 kHz around it, and a toroid on it.
inline void calculateWorkedExample(CFile& doc) {
    calculateSecondary(doc, {});
    RecordingPrompts prompts;
    calculatePrimary(doc, {},
                     {{Input::C, QStringLiteral("0.01")},
                      {Input::Fr, QStringLiteral("250.00")},
                      {Input::SecDia, doc.secondary().Dia()}},
                     prompts);
    doc.topLoad().setShape(CTopLoad::Shape::Toroid);
}

// On a calculated secondary and transformer bank, a design with a bang: a
// toroid on the coil, the power side, and the primary tuned to the loaded
// secondary with the power side's tank capacitor.
inline void tuneForBang(CFile& doc, Prompts& prompts) {
    enterTopLoad(doc, CTopLoad::Shape::Toroid, "300", "75", "50", "500");
    calculatePower(doc, {});
    PrimaryChoices choices;
    choices.useTankC = 1;
    choices.useTopFr = 1;
    calculatePrimary(doc, choices, {{Input::SecDia, doc.secondary().Dia()}}, prompts);
}

// A secondary, with a primary tuned by 0.01 uF to 250 kHz around it when
// there are four entries (diameter, height, conductor, spacing), or a toroid
// on it with six (diameter, height, overall and tube diameter, height above
// the winding, height of the base).
inline DesignDrawing drawingOf(bool metric, const QStringList& entries,
                               const physics::Surroundings& around = {}) {
    Design design(metric);
    design.secondary.setDia(entries[0]);
    design.secondary.setHeight(entries[1]);
    design.secondary.Calculate(metric);
    if (entries.size() == 4) {
        enterImperialExample(design.primary);
        design.primary.setSecDia(entries[0]);
        design.primary.setConDia(entries[2]);
        design.primary.setConSpa(entries[3]);
        design.calculate();
    } else if (entries.size() == 6) {
        design.topLoad.setShape(CTopLoad::Shape::Toroid);
        design.topLoad.setTopDia(entries[2]);
        design.topLoad.setTubeDia(entries[3]);
        design.topLoad.setTopHeight(entries[4]);
        design.topLoad.setBaseHeight(entries[5]);
    }
    return resonex::drawingOf(design.secondary, design.primary, design.topLoad, metric,
                              std::nullopt, around);
}

// A float's exact identity as text, for comparisons that must not be fuzzy.
inline QString exact(float value) { return QString::number(double(value), 'g', 9); }

} // namespace resonex::test
