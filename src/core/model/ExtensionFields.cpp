#include "core/model/ExtensionFields.h"

#include "core/encoding/ExtensionBlock.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/model/AddedInputs.h"
#include "core/model/CTopLoad.h"
#include "core/model/PrimarySources.h"
#include "core/settings/CSettings.h"

#include <algorithm>

namespace resonex {

namespace {

QList<ExtensionField> tableFields() {
    QList<ExtensionField> fields;
    for (const PrimaryChoiceRow& row : primaryChoiceRows())
        if (row.file.version > 0)
            fields.append({row.file, 1, &row});
    QList<const DesignInput*> topLoad;
    for (const DesignInput& row : designInputs()) {
        if (row.added())
            fields.append({row.file, 1, nullptr, &row});
        else if (!row.classic())
            topLoad.append(&row);
    }
    // The top load's shape has no row: it comes just before its values'.
    const FileSlot first = topLoad.constFirst()->file;
    fields.append({{first.object, first.field - 1, first.version}, int(topLoad.size()) + 1});
    std::sort(fields.begin(), fields.end(), [](const ExtensionField& a, const ExtensionField& b) {
        return a.file.field < b.file.field;
    });
    return fields;
}

bool atStart(const ExtensionField& field, const ConstExtensionModels& models) {
    if (field.choice)
        return (models.settings.*field.choice->setting)() == 0;
    if (field.added)
        return models.added.value(*field.added) == float(field.added->start);
    return models.topLoad.isNew(models.settings.UseMetric());
}

void writeField(FieldWriter& writer, const ExtensionField& field,
                const ConstExtensionModels& models) {
    if (field.choice)
        writer.writeInteger((models.settings.*field.choice->setting)());
    else if (field.added)
        models.added.write(writer, *field.added);
    else
        models.topLoad.WriteObjects(writer);
}

bool readChoice(FieldReader& reader, const PrimaryChoiceRow& row, CSettings& settings) {
    qint16 value = (settings.*row.setting)();
    if (!extension::readValue(reader, value, &FieldReader::readInteger,
                              [](qint16 read) { return read == 0 || read == 1; }))
        return false;
    (settings.*row.keep)(value);
    if (oneChoiceEach(primaryChoices(settings)))
        return true;
    // Ticked beside another choice for its input: no choice the dialog leaves.
    (settings.*row.keep)(0);
    return false;
}

bool readField(FieldReader& reader, const ExtensionField& field, const ExtensionModels& models) {
    if (field.choice)
        return readChoice(reader, *field.choice, models.settings);
    if (field.added)
        return models.added.read(reader, *field.added);
    return models.topLoad.ReadObjects(reader);
}

} // namespace

const QList<ExtensionField>& extensionFields() {
    static const QList<ExtensionField> fields = tableFields();
    return fields;
}

int extensionValueCount() {
    const ExtensionField& last = extensionFields().constLast();
    return 2 + last.file.field + last.count - 1;
}

std::optional<qint16> extensionVersion(const ConstExtensionModels& models,
                                       const QList<ExtensionField>& fields) {
    std::optional<qint16> version;
    for (const ExtensionField& field : fields)
        if (!atStart(field, models))
            version = std::max(version.value_or(field.file.version), field.file.version);
    return version;
}

void writeExtension(FieldWriter& writer, qint16 version, const ConstExtensionModels& models,
                    const QList<ExtensionField>& fields) {
    extension::writeHeader(writer, version);
    for (const ExtensionField& field : fields)
        if (field.file.version <= version)
            writeField(writer, field, models);
}

QList<const ExtensionField*> readExtension(FieldReader& reader, qint16 version,
                                           const ExtensionModels& models,
                                           const QList<ExtensionField>& fields) {
    QList<const ExtensionField*> dropped;
    for (const ExtensionField& field : fields)
        if (field.file.version <= version && !readField(reader, field, models))
            dropped.append(&field);
    return dropped;
}

} // namespace resonex
