#pragma once

class QWidget;

namespace resonex {
class OptionsStore;
}

namespace resonex::gui {

// Windows reopen where the user left them: the top-left corner is kept under
// the window's object name, in twips (stored::kWindowTop and kWindowLeft).
void SaveWindowPosition(const QWidget& window, OptionsStore& store);

// Moves the window to its kept corner, used as it is even partly off screen. A
// coordinate that is missing or not a number, or a corner that leaves the
// window wholly off every screen, places it anew: a dialog centred on the
// window it belongs to (within that window's screen), a main window centred on
// its screen (the primary one when its kept corner is off every screen).
void RestoreWindowPosition(QWidget& window, const OptionsStore& store);

// The main window also keeps its size, beside its corner, in twips
// (stored::kWindowWidth and kWindowHeight).
void SaveWindowSize(const QWidget& window, OptionsStore& store);

// Resizes the window to its kept size, held within the available area of its
// screen; a size missing, not a number or not positive leaves it as it is.
// True when the kept size was used.
bool RestoreWindowSize(QWidget& window, const OptionsStore& store);

// Makes a shown window, frame and all, no larger than the available area of
// its screen: sized before it was shown, it could not count its frame.
void HoldToScreen(QWidget& window);

} // namespace resonex::gui
