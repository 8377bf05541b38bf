#pragma once

#include <QStringList>

namespace resonex {

class OptionsStore;

// The designs opened or saved last, newest first, each once, at most as many
// as the store keeps (stored::kRecentDesigns).
class RecentDesignList {
public:
    explicit RecentDesignList(const QStringList& paths = {});

    static RecentDesignList read(const OptionsStore& store);
    void write(OptionsStore& store) const;

    const QStringList& paths() const { return m_paths; }
    // What the menu calls each design, in the same order: its file's name,
    // after as many of its folders as it takes to tell it from the others
    // ("old/coil.rzn" beside "new/coil.rzn"), with '/' between them.
    QStringList labels() const;

    // Puts the design first, out of its old place; the oldest beyond the
    // limit drops off. A name that is not a whole path (damaged) is passed
    // over. True when the list changed.
    bool add(const QString& path);
    // Takes the design off the list when its file is no longer there; true
    // when it did.
    bool dropIfMissing(const QString& path);

private:
    QStringList m_paths;
};

} // namespace resonex
