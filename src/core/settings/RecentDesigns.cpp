#include "core/settings/RecentDesigns.h"

#include "core/settings/StoredOptions.h"

#include <QDir>
#include <QFileInfo>

namespace resonex {

namespace {

// Windows' file names ignore letter case, so the same design must not appear
// twice in two spellings there.
constexpr Qt::CaseSensitivity kPathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

} // namespace

RecentDesignList::RecentDesignList(const QStringList& paths) {
    // Oldest first, so that each newer one goes before it.
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        add(*it);
}

RecentDesignList RecentDesignList::read(const OptionsStore& store) {
    return RecentDesignList(stored::kRecentDesigns.read(store));
}

void RecentDesignList::write(OptionsStore& store) const {
    stored::kRecentDesigns.write(store, m_paths);
}

bool RecentDesignList::add(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString clean = QDir::cleanPath(path);
    if (!m_paths.isEmpty() && m_paths.front() == clean)
        return false;
    m_paths.removeIf([&](const QString& kept) { return kept.compare(clean, kPathCase) == 0; });
    m_paths.prepend(clean);
    while (m_paths.size() > stored::kRecentDesigns.limit)
        m_paths.removeLast();
    return true;
}

bool RecentDesignList::dropIfMissing(const QString& path) {
    if (QFileInfo::exists(path))
        return false;
    return m_paths.removeAll(path) > 0;
}

} // namespace resonex
