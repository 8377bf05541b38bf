#include "gui/platform/QtPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace resonex::gui {

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon) {
    switch (icon) {
    case Prompts::Icon::None:
        return QMessageBox::NoIcon;
    case Prompts::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompts::Icon::Critical:
        break;
    }
    return QMessageBox::Critical;
}

void setUp(QFileDialog& dialog, const FileDialogSetup& setup) {
    dialog.setWindowTitle(setup.title);
    dialog.setNameFilter(setup.filter);
    dialog.setDirectory(setup.folder);
    if (!setup.fileName.isEmpty())
        dialog.selectFile(setup.fileName);
}

// The chosen file, or empty text when the dialog was cancelled.
QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// Added here, not by the dialog, which adds it only to a name without any dot:
// "coil v1.2" would be saved bare and then hidden by the open dialog's filter.
QString withSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty())
        return path;
    const QString ending = u'.' + suffix;
    return path.endsWith(ending, Qt::CaseInsensitive) ? path : path + ending;
}

// The question the dialog itself would ask before replacing a file, in its words.
bool replaceConfirmed(QWidget* owner, const QString& title, const QString& path) {
    return QMessageBox::warning(owner, title,
                                QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                    .arg(QFileInfo(path).fileName()),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

// Messages end their lines the classic way; a message box wants bare line feeds.
QString shown(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void QtPrompts::tell(const QString& title, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), title, shown(text), QMessageBox::Ok, m_owner);
    box.exec();
}

DocumentPrompts::Answer QtPrompts::ask(const QString& title, const QString& text) {
    switch (QMessageBox::question(m_owner, title, shown(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtPrompts::confirm(const QString& title, const QString& text) {
    return QMessageBox::question(m_owner, title, shown(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString QtPrompts::chooseFileToOpen(const FileDialogSetup& setup) {
    QFileDialog dialog(m_owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The design is named as the user chose it, a link by the link's name.
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    setUp(dialog, setup);
    return chosenFile(dialog);
}

QString QtPrompts::chooseFileToSave(const FileDialogSetup& setup) {
    QFileDialog dialog(m_owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog would ask about the name before the suffix is added; the
    // question is asked here, about the name the file is saved under.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    setUp(dialog, setup);
    for (;;) {
        QString chosen = chosenFile(dialog);
        if (chosen.isEmpty())
            return chosen;
        QString path = withSuffix(chosen, setup.defaultSuffix);
        // No shows the dialog again.
        if (!QFileInfo::exists(path) || replaceConfirmed(m_owner, setup.title, path))
            return path;
    }
}

} // namespace resonex::gui
