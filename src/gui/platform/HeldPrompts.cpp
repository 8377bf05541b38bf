#include "gui/platform/HeldPrompts.h"

#include <utility>

namespace resonex::gui {

void HeldPrompts::tell(const QString& title, const QString& text, Icon icon) {
    m_held.append({title, text, icon});
}

DocumentPrompts::Answer HeldPrompts::ask(const QString& title, const QString& text) {
    return m_prompts.ask(title, text);
}

bool HeldPrompts::confirm(const QString& title, const QString& text) {
    return m_prompts.confirm(title, text);
}

QString HeldPrompts::chooseFileToOpen(const FileDialogSetup& setup) {
    return m_prompts.chooseFileToOpen(setup);
}

QString HeldPrompts::chooseFileToSave(const FileDialogSetup& setup) {
    return m_prompts.chooseFileToSave(setup);
}

void HeldPrompts::release() {
    const QList<Message> held = std::exchange(m_held, {});
    for (const Message& message : held)
        m_prompts.tell(message.title, message.text, message.icon);
}

} // namespace resonex::gui
