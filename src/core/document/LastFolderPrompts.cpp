#include "core/document/LastFolderPrompts.h"

#include "core/settings/StoredOptions.h"

#include <QFileInfo>

namespace resonex {

LastFolderPrompts::LastFolderPrompts(DocumentPrompts& prompts, OptionsStore& store)
    : m_prompts(prompts), m_store(store) {}

void LastFolderPrompts::tell(const QString& title, const QString& text, Icon icon) {
    m_prompts.tell(title, text, icon);
}

DocumentPrompts::Answer LastFolderPrompts::ask(const QString& title, const QString& text) {
    return m_prompts.ask(title, text);
}

bool LastFolderPrompts::confirm(const QString& title, const QString& text) {
    return m_prompts.confirm(title, text);
}

QString LastFolderPrompts::chooseFileToOpen(const FileDialogSetup& setup) {
    return remember(m_prompts.chooseFileToOpen(inLastFolder(setup)));
}

QString LastFolderPrompts::chooseFileToSave(const FileDialogSetup& setup) {
    return remember(m_prompts.chooseFileToSave(inLastFolder(setup)));
}

FileDialogSetup LastFolderPrompts::inLastFolder(FileDialogSetup setup) const {
    const QString last = stored::kLastFolder.read(m_store);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        setup.folder = last;
    return setup;
}

QString LastFolderPrompts::remember(const QString& chosen) {
    if (!chosen.isEmpty())
        stored::kLastFolder.write(m_store, QFileInfo(chosen).absolutePath());
    return chosen;
}

} // namespace resonex
