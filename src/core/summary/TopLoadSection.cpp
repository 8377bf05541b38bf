#include "core/summary/TopLoadSection.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/model/AddedInputs.h"
#include "core/model/CTopLoad.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/summary/FigureLines.h"
#include "core/summary/NewLine.h"
#include "core/text/LengthUnit.h"
#include "core/text/QuantityText.h"

#include <cmath>

namespace resonex {

namespace {

QString line(const QString& label, const QString& value) {
    return label + QStringLiteral(" : ") + value + kNewLine;
}

QString shapeText(const CTopLoad& topLoad, const QString& lengthUnit) {
    if (topLoad.shape() == CTopLoad::Shape::Sphere)
        return line(QStringLiteral("Top load shape"), QStringLiteral("Sphere")) +
               line(QStringLiteral("Diameter of the sphere"), topLoad.TopDia() + lengthUnit);
    return line(QStringLiteral("Top load shape"), QStringLiteral("Toroid")) +
           line(QStringLiteral("Overall diameter of the toroid"), topLoad.TopDia() + lengthUnit) +
           line(QStringLiteral("Tube diameter of the toroid"), topLoad.TubeDia() + lengthUnit);
}

// The strike rail, the ceiling and the walls, each only when entered.
QString surroundingsText(const AddedInputs& added, const QString& lengthUnit) {
    const auto value = [&added](Input input) { return added.value(designInput(input)); };
    const auto length = [&lengthUnit](float value) { return lengthText(value) + lengthUnit; };
    QString text;
    if (value(Input::RailDia) > 0) {
        const float height = value(Input::RailHeight);
        text += line(QStringLiteral("Strike rail"),
                     length(value(Input::RailDia)) + QStringLiteral(" across, ") +
                         length(value(Input::RailWire)) + QStringLiteral(" conductor, ") +
                         length(std::abs(height)) +
                         (height < 0 ? QStringLiteral(" below") : QStringLiteral(" above")) +
                         QStringLiteral(" the winding's base"));
    }
    if (value(Input::Ceiling) > 0)
        text += line(QStringLiteral("Ceiling"),
                     length(value(Input::Ceiling)) + QStringLiteral(" above the floor"));
    if (value(Input::Walls) > 0)
        text += line(QStringLiteral("Walls"),
                     length(value(Input::Walls)) + QStringLiteral(" from the axis"));
    return text;
}

} // namespace

QString TopLoadSectionTitle() { return QStringLiteral("Top Load") + kNewLine; }

QString TopLoadSectionText(const CFile& doc) {
    const CTopLoad& topLoad = doc.topLoad();
    // A design without a top load shows what it always showed.
    if (!topLoad.isSet())
        return {};
    const TopLoadResults& results = doc.results().topLoad();
    const AddedInputs& added = doc.added();
    const bool useMetric = doc.settings().UseMetric();
    const QString lengthUnit = designUnit(useMetric).word();
    QString text = shapeText(topLoad, lengthUnit) +
                   line(QStringLiteral("Height of the top load centre above the winding"),
                        topLoad.TopHeight() + lengthUnit) +
                   line(QStringLiteral("Height of the winding base above the floor"),
                        topLoad.BaseHeight() + lengthUnit) +
                   surroundingsText(added, lengthUnit);
    // The calculated primary is part of the coil as built: its figures below
    // take its turns, grounded, in the field.
    if (results.primaryInField)
        text += line(QStringLiteral("Primary in the field"),
                     QStringLiteral("its turns as built, grounded"));
    text += sectionLines(figureLines(topLoadFigures(), results, useMetric));
    // The last section ends without a line break, as the transformer's does.
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
