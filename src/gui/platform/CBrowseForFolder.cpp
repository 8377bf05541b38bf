#include "gui/platform/CBrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

namespace resonex::gui {

void CBrowseForFolder::Browse() {
    // It starts at the top of the user's own folders, not at a given folder.
    QFileDialog dialog(m_owner, m_title, QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    m_folder.clear();
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_folder = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace resonex::gui
