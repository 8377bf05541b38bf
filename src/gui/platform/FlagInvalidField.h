#pragma once

#include <functional>

class QLineEdit;

namespace resonex::gui {

// Points the user at a rejected entry, the calculation dialogs' only answer to
// one: a beep, the focus on the box and its whole entry selected, so that the
// next key typed replaces it. No message is shown.
void FlagInvalidField(QLineEdit& box);

// The program's beep: the platform's bell unless another sound has been put
// in (tests listen for it). Returns the sound it replaces.
using BeepSound = std::function<void()>;
BeepSound setBeepSound(BeepSound sound);
void Beep();

} // namespace resonex::gui
