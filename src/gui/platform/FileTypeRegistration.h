#pragma once

#include <QString>

namespace resonex::gui {

// Tells a Linux desktop that ".rzn" files are Resonex designs, opened by this
// program and shown with its icon. It writes under the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share), called at every start: a file is
// written only when its content differs, and any failure is silent, since the
// program works the same without the association. The desktop's databases are
// refreshed when a file changed or went, or when they do not list one yet.
//
// The files are the ones installed with the program (data/ in the sources).
// The installed program itself, the one the system's desktop entry starts,
// leaves the files the system has to the system: a user's copy would shadow
// them, so one left by another build is removed instead.

// The MIME type of design files, the program's icon (named "resonex" in the
// hicolor theme) and the menu entry that opens designs with the program at
// programPath (its real absolute path).
void RegisterDesignFiles(const QString& programPath);

} // namespace resonex::gui
