#pragma once

#include "core/document/DocumentPrompts.h"

#include <QList>

namespace resonex::gui {

// Holds back the messages told through it until release(), while questions
// and file dialogs go straight on: a message told while the splash window
// covers the screen would be hidden behind it.
class HeldPrompts : public DocumentPrompts {
public:
    explicit HeldPrompts(DocumentPrompts& prompts) : m_prompts(prompts) {}

    void tell(const QString& title, const QString& text, Icon icon) override;
    Answer ask(const QString& title, const QString& text) override;
    bool confirm(const QString& title, const QString& text) override;
    QString chooseFileToOpen(const FileDialogSetup& setup) override;
    QString chooseFileToSave(const FileDialogSetup& setup) override;

    // Tells the held messages, in their order.
    void release();

private:
    struct Message {
        QString title;
        QString text;
        Icon icon;
    };
    DocumentPrompts& m_prompts;
    QList<Message> m_held;
};

} // namespace resonex::gui
