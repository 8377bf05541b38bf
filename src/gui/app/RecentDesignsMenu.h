#pragma once

#include "core/settings/RecentDesigns.h"

#include <QObject>

#include <functional>
#include <optional>

class QMenu;

namespace resonex {
class OptionsStore;
class Prompts;
} // namespace resonex

namespace resonex::gui {

// File > Recent Designs: the kept designs, newest first, as &1 to &8 under
// their labels (RecentDesignList::labels) with the path as tool tip. The list
// is read from the store only when first needed, so that it costs the
// start-up nothing.
class RecentDesignsMenu : public QObject {
public:
    using Open = std::function<void(const QString& path)>;

    RecentDesignsMenu(QMenu* menu, OptionsStore& store, Prompts& prompts, Open open);

    // A design shown under its file's name (opened or saved): first on the
    // list.
    void note(const QString& path);

private:
    RecentDesignList& list();
    void fill();
    // A design that has gone is taken off the list, with a word to the user;
    // one that is there opens.
    void choose(const QString& path);

    QMenu* m_menu;
    OptionsStore& m_store;
    Prompts& m_prompts;
    Open m_open;
    std::optional<RecentDesignList> m_list;
};

} // namespace resonex::gui
