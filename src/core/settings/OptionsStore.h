#pragma once

#include <QString>

namespace resonex {

// Where per-user options live: text values under a group and a key.
class OptionsStore {
public:
    virtual ~OptionsStore() = default;
    virtual QString value(const QString& group, const QString& key,
                          const QString& defaultValue) const = 0;
    virtual void setValue(const QString& group, const QString& key, const QString& value) = 0;
};

} // namespace resonex
