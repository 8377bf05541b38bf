#include "gui/app/RecentDesignsMenu.h"

#include "core/platform/Prompts.h"
#include "core/text/AppInfo.h"

#include <QDir>
#include <QMenu>

namespace resonex::gui {

RecentDesignsMenu::RecentDesignsMenu(QMenu* menu, OptionsStore& store, Prompts& prompts, Open open)
    : QObject(menu), m_menu(menu), m_store(store), m_prompts(prompts), m_open(std::move(open)) {
    m_menu->setToolTipsVisible(true);
    connect(m_menu, &QMenu::aboutToShow, this, &RecentDesignsMenu::fill);
}

RecentDesignList& RecentDesignsMenu::list() {
    if (!m_list)
        m_list = RecentDesignList::read(m_store);
    return *m_list;
}

void RecentDesignsMenu::note(const QString& path) {
    // Every redraw of the design passes here: the store is written only when
    // the list changes.
    if (list().add(path))
        m_list->write(m_store);
}

void RecentDesignsMenu::fill() {
    m_menu->clear();
    const QStringList& paths = list().paths();
    const QStringList labels = list().labels();
    if (paths.isEmpty()) {
        m_menu->addAction(QStringLiteral("No recent designs"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        QString name = QDir::toNativeSeparators(labels[i]);
        name.replace(u'&', QStringLiteral("&&"));
        QAction* item = m_menu->addAction(u'&' + QString::number(i + 1) + u' ' + name);
        item->setObjectName(QStringLiteral("mnuFileRecentItem") + QString::number(i));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
    }
}

void RecentDesignsMenu::choose(const QString& path) {
    if (list().dropIfMissing(path)) {
        m_list->write(m_store);
        m_prompts.tell(QString::fromLatin1(kAppTitle),
                       QStringLiteral("The design '") + QDir::toNativeSeparators(path) +
                           QStringLiteral("' is no longer there; it has been taken off the "
                                          "recent designs."),
                       Prompts::Icon::Exclamation);
        return;
    }
    m_open(path);
}

} // namespace resonex::gui
