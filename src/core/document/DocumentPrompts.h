#pragma once

#include "core/platform/Prompts.h"

namespace resonex {

// What a file dialog starts with.
struct FileDialogSetup {
    QString title;
    QString folder;
    QString fileName;
    // Qt's filter form: "Description (*.ext)".
    QString filter;
    // Added to a name that does not already end with it, in any letter case;
    // without the dot, empty for none.
    QString defaultSuffix;
};

// The questions and file dialogs of the program's commands, on top of the
// plain messages. The desktop program shows real dialogs; tests answer from a
// script.
class DocumentPrompts : public Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    // A question with Yes, No and Cancel buttons.
    virtual Answer ask(const QString& title, const QString& text) = 0;

    // A question with Yes and No buttons and a question mark; true for Yes.
    virtual bool confirm(const QString& title, const QString& text) = 0;

    // The full path of an existing file the user chose; empty when cancelled.
    virtual QString chooseFileToOpen(const FileDialogSetup& setup) = 0;

    // The full path the user chose to save to, with the default suffix added
    // unless the name already ends with it (in any letter case), and the
    // replacing of an existing file confirmed for that final name; empty when
    // cancelled.
    virtual QString chooseFileToSave(const FileDialogSetup& setup) = 0;
};

} // namespace resonex
