#pragma once

class QWidget;

namespace resonex {
class OptionsStore;
}

namespace resonex::gui {

// Windows reopen where the user left them: the top-left corner is kept under
// the window's object name, in twips (stored::kWindowTop and kWindowLeft).
void SaveWindowPosition(const QWidget& window, OptionsStore& store);

// Moves the window to its kept corner, used as it is even partly off screen; a
// coordinate that is missing or not a number centres the window on its screen,
// and a corner that leaves it wholly off every screen centres it on the
// primary one.
void RestoreWindowPosition(QWidget& window, const OptionsStore& store);

// The main window also keeps its size, beside its corner, in twips
// (stored::kWindowWidth and kWindowHeight).
void SaveWindowSize(const QWidget& window, OptionsStore& store);

// Resizes the window to its kept size, held within the available area of its
// screen; a size missing, not a number or not positive leaves it as it is.
void RestoreWindowSize(QWidget& window, const OptionsStore& store);

} // namespace resonex::gui
