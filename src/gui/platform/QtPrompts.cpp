#include "platform/QtPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace resonex::gui {

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon) {
    switch (icon) {
    case Prompts::Icon::None:
        return QMessageBox::NoIcon;
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompts::Icon::Critical:
        break;
    }
    return QMessageBox::Critical;
}

// The chosen file, or empty text when the dialog was cancelled.
QString chosenFile(QFileDialog& dialog, const FileDialogSetup& setup) {
    dialog.setWindowTitle(setup.title);
    dialog.setNameFilter(setup.filter);
    dialog.setDirectory(setup.folder);
    if (!setup.fileName.isEmpty())
        dialog.selectFile(setup.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
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
    return chosenFile(dialog, setup);
}

QString QtPrompts::chooseFileToSave(const FileDialogSetup& setup) {
    // The dialog asks before replacing a file and adds the suffix to a bare name.
    QFileDialog dialog(m_owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(setup.defaultSuffix);
    return chosenFile(dialog, setup);
}

} // namespace resonex::gui
