#pragma once

#include "core/model/DesignInputs.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <map>

namespace resonex {

class FieldReader;
class FieldWriter;

// The inputs added after the top load (a row's file version 2 or later): kept
// here by their rows alone, each at its row's start in a new design, so that a
// new input is its row and the physics that reads it. A number is kept as
// typed (a length in the design's unit), a choice as its word's index.
class AddedInputs {
public:
    float value(const DesignInput& row) const;
    // The value in SI units, for the physics (siValue).
    double si(const DesignInput& row, bool useMetric) const;
    // A choice's word; a number's text, empty while 0 means none
    // (DesignInput::emptyIsNone).
    QString entry(const DesignInput& row) const;
    // Stores a typed text under the row's accept rule (a choice: one of its
    // words); a refused one raises the row's error and keeps the value. An
    // empty one is none (0) where that means none, and refused elsewhere.
    void store(const DesignInput& row, const QString& text);

    // Whether any of the rows' inputs is away from its start.
    bool awayFromStart(const QList<const DesignInput*>& rows) const;

    // The row's field of the extension block (ExtensionFields.h). A value
    // that cannot be read or that the input could not take is dropped,
    // keeping the one held; false when it was.
    bool read(FieldReader& reader, const DesignInput& row);
    void write(FieldWriter& writer, const DesignInput& row) const;

private:
    // Whether a stored value is one the row could take.
    static bool takes(const DesignInput& row, float value);

    std::map<Input, float> m_values;
};

} // namespace resonex
