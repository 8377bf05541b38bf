#pragma once

#include "core/document/DocumentPrompts.h"

namespace resonex {

class OptionsStore;

// The program's prompts, with every file dialog starting in the folder the
// last one was left in (stored::kLastFolder), or, while there is none or it
// has gone, in the folder the command asks for (the design folder).
class LastFolderPrompts : public DocumentPrompts {
public:
    LastFolderPrompts(DocumentPrompts& prompts, OptionsStore& store);

    void tell(const QString& title, const QString& text, Icon icon) override;
    Answer ask(const QString& title, const QString& text) override;
    bool confirm(const QString& title, const QString& text) override;
    QString chooseFileToOpen(const FileDialogSetup& setup) override;
    QString chooseFileToSave(const FileDialogSetup& setup) override;

private:
    FileDialogSetup inLastFolder(FileDialogSetup setup) const;
    // Keeps the folder of a chosen file; a cancel keeps the old one.
    QString remember(const QString& chosen);

    DocumentPrompts& m_prompts;
    OptionsStore& m_store;
};

} // namespace resonex
