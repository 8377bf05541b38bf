#include "core/settings/UserOptionsStore.h"

#include "core/text/AppInfo.h"

namespace resonex {

UserOptionsStore::UserOptionsStore()
    : m_settings(QSettings::UserScope, QString::fromLatin1(kAppTitle),
                 QString::fromLatin1(kAppTitle)) {}

QString UserOptionsStore::value(const QString& group, const QString& key,
                                const QString& defaultValue) const {
    return m_settings.value(group + u'/' + key, defaultValue).toString();
}

void UserOptionsStore::setValue(const QString& group, const QString& key, const QString& value) {
    m_settings.setValue(group + u'/' + key, value);
}

} // namespace resonex
