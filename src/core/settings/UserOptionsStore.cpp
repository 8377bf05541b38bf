#include "core/settings/UserOptionsStore.h"

#include "core/platform/PathLookup.h"
#include "core/text/AppInfo.h"

#include <QStandardPaths>

#include <algorithm>

namespace resonex {

namespace {

// Whether the user's files QSettings reads for an application named as its
// organisation (its own, and the organisation's, which it falls back on) are
// files or absent; reading anything else could wait for ever.
bool userFilesUsable() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/';
    const QString name = QString::fromLatin1(kAppTitle);
    const QStringList files{folder + name + u'/' + name + QStringLiteral(".conf"),
                            folder + name + QStringLiteral(".conf")};
    return std::none_of(files.cbegin(), files.cend(), [](const QString& file) {
        return lookUpPath(file).kind == PathLookup::Kind::Other;
    });
}

} // namespace

UserOptionsStore::UserOptionsStore() {
    if (userFilesUsable())
        m_settings = std::make_unique<QSettings>(
            QSettings::UserScope, QString::fromLatin1(kAppTitle), QString::fromLatin1(kAppTitle));
}

QString UserOptionsStore::value(const QString& group, const QString& key,
                                const QString& defaultValue) const {
    if (!m_settings)
        return m_session.value(group, key, defaultValue);
    return m_settings->value(group + u'/' + key, defaultValue).toString();
}

void UserOptionsStore::setValue(const QString& group, const QString& key, const QString& value) {
    if (m_settings)
        m_settings->setValue(group + u'/' + key, value);
    else
        m_session.setValue(group, key, value);
}

} // namespace resonex
