#pragma once

#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/OptionsStore.h"

#include <QSettings>

#include <memory>

namespace resonex {

// The user's own options: QSettings of the application "Resonex". Where a
// file it would read is not a regular file (a pipe would block the start
// before any window), the options are those of a first run, kept for this
// session only; what stands there is never replaced.
class UserOptionsStore : public OptionsStore {
public:
    UserOptionsStore();

    QString value(const QString& group, const QString& key,
                  const QString& defaultValue) const override;
    void setValue(const QString& group, const QString& key, const QString& value) override;

private:
    std::unique_ptr<QSettings> m_settings;
    MemoryOptionsStore m_session;
};

} // namespace resonex
