#pragma once

#include "core/document/DocumentPrompts.h"

class QWidget;

namespace resonex::gui {

// The prompts as the user sees them: message boxes and file dialogs, modal to
// the owner window.
class QtPrompts : public DocumentPrompts {
public:
    explicit QtPrompts(QWidget* owner) : m_owner(owner) {}

    void tell(const QString& title, const QString& text, Icon icon) override;
    Answer ask(const QString& title, const QString& text) override;
    bool confirm(const QString& title, const QString& text) override;
    QString chooseFileToOpen(const FileDialogSetup& setup) override;
    QString chooseFileToSave(const FileDialogSetup& setup) override;

private:
    QWidget* m_owner;
};

} // namespace resonex::gui
