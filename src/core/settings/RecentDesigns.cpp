#include "core/settings/RecentDesigns.h"

#include "core/settings/StoredOptions.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace resonex {

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

QStringList RecentDesignList::labels() const {
    // Folders outward from the file: the file's name first, "" for the root.
    QList<QStringList> parts;
    for (const QString& path : m_paths) {
        QStringList outward = path.split(u'/');
        std::reverse(outward.begin(), outward.end());
        parts << outward;
    }
    const auto tail = [](const QStringList& outward, qsizetype depth) {
        QStringList inward = outward.first(std::min(depth, outward.size()));
        std::reverse(inward.begin(), inward.end());
        return inward.join(u'/');
    };
    QStringList labels;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        qsizetype depth = 1;
        const auto sharedWithAnother = [&] {
            for (qsizetype j = 0; j < parts.size(); ++j)
                if (j != i && tail(parts[j], depth) == tail(parts[i], depth))
                    return true;
            return false;
        };
        while (depth < parts[i].size() && sharedWithAnother())
            ++depth;
        labels << tail(parts[i], depth);
    }
    return labels;
}

bool RecentDesignList::add(const QString& path) {
    if (!QDir::isAbsolutePath(path))
        return false;
    const QString clean = QDir::cleanPath(path);
    if (!m_paths.isEmpty() && m_paths.front() == clean)
        return false;
    m_paths.removeIf([&](const QString& kept) { return kept == clean; });
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
