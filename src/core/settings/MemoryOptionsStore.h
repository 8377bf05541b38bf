#pragma once

#include "core/settings/OptionsStore.h"

#include <QHash>

namespace resonex {

// Options held in memory only: a first run that never touches the user's store
// (the command-line companion, tests).
class MemoryOptionsStore : public OptionsStore {
public:
    QString value(const QString& group, const QString& key,
                  const QString& defaultValue) const override {
        return m_values.value(group + u'/' + key, defaultValue);
    }
    void setValue(const QString& group, const QString& key, const QString& value) override {
        m_values.insert(group + u'/' + key, value);
    }

private:
    QHash<QString, QString> m_values;
};

} // namespace resonex
