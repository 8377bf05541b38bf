#pragma once

#include <QIcon>

namespace resonex::gui {

// The program's pictures, drawn ahead as PNG at a few sizes so that no SVG
// renderer is loaded at start-up. The sources and the script that renders
// them are in src/gui/resources.
inline QIcon iconOf(const QString& name, std::initializer_list<int> sizes) {
    QIcon icon;
    for (const int size : sizes)
        icon.addFile(QStringLiteral(":/resonex/icons/%1-%2.png").arg(name).arg(size));
    return icon;
}

// The program's icon, the same picture the desktop shows for its design files.
inline QIcon appIcon() { return iconOf(QStringLiteral("resonex"), {32, 64, 128}); }

inline QIcon toolbarIcon(const QString& name) { return iconOf(name, {24, 48}); }

} // namespace resonex::gui
