#pragma once

#include <QString>

class QWidget;

namespace resonex::gui {

// The folder picker: a modal dialog that shows folders only and gives back the
// chosen folder's path, or empty text when the user cancels.
class CBrowseForFolder {
public:
    // The window the picker is modal to.
    void sethWnd(QWidget* owner) { m_owner = owner; }
    // The prompt shown as the picker's title.
    void setTitle(const QString& title) { m_title = title; }
    const QString& Folder() const { return m_folder; }

    void Browse();

private:
    QWidget* m_owner = nullptr;
    QString m_title;
    QString m_folder;
};

} // namespace resonex::gui
