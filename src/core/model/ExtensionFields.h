#pragma once

#include "core/model/DesignInputs.h"

#include <QList>
#include <QtGlobal>

#include <optional>

namespace resonex {

class AddedInputs;
class CSettings;
class CTopLoad;
class FieldReader;
class FieldWriter;
struct PrimaryChoiceRow;

// The objects whose values the design file's extension block keeps.
struct ConstExtensionModels {
    const CSettings& settings;
    const CTopLoad& topLoad;
    const AddedInputs& added;
};
struct ExtensionModels {
    CSettings& settings;
    CTopLoad& topLoad;
    AddedInputs& added;

    operator ConstExtensionModels() const { return {settings, topLoad, added}; }
};

// A run of the block's fields: a primary choice kept as a check box (0 or 1),
// an added input, or else the top load's shape and values, read as one since
// a toroid's tube must fit within its diameter.
struct ExtensionField {
    FileSlot file; // its first field, and the version that adds it
    int count = 1;
    const PrimaryChoiceRow* choice = nullptr;
    const DesignInput* added = nullptr;

    bool topLoad() const { return choice == nullptr && added == nullptr; }
};

// The block's fields as the input table and the primary's choices declare
// them, in the order of their field numbers. Versions only ever append: a
// program knows a first part of this list, so a later version's field must
// come after every earlier version's.
const QList<ExtensionField>& extensionFields();

// The most values a block holds: its signature, its version and its fields.
int extensionValueCount();

// The lowest version that holds the values away from a new design's; none
// while all are a new design's, and the design saves without a block.
std::optional<qint16> extensionVersion(const ConstExtensionModels& models,
                                       const QList<ExtensionField>& fields = extensionFields());

// The block of the version: its header, then each field of that version or
// an earlier one.
void writeExtension(FieldWriter& writer, qint16 version, const ConstExtensionModels& models,
                    const QList<ExtensionField>& fields = extensionFields());

// Reads the fields of a block of the version, after its header, over a new
// design's values; those of a later version than the fields know are left
// unread. A value that cannot be read or that no entry could have stored is
// dropped alone, keeping what was held; so is a choice of 1 beside another
// of 1 for its input, which the primary dialog could not have left. Gives
// the fields dropped.
QList<const ExtensionField*> readExtension(FieldReader& reader, qint16 version,
                                           const ExtensionModels& models,
                                           const QList<ExtensionField>& fields = extensionFields());

} // namespace resonex
