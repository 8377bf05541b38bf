#pragma once

#include "core/settings/OptionsStore.h"

#include <QSettings>

namespace resonex {

// The user's own options: QSettings of the application "Resonex".
class UserOptionsStore : public OptionsStore {
public:
    UserOptionsStore();

    QString value(const QString& group, const QString& key,
                  const QString& defaultValue) const override;
    void setValue(const QString& group, const QString& key, const QString& value) override;

private:
    mutable QSettings m_settings;
};

} // namespace resonex
