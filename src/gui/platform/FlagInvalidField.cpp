#include "gui/platform/FlagInvalidField.h"

#include <QApplication>
#include <QLineEdit>

#include <utility>

namespace resonex::gui {

namespace {

BeepSound& beepSound() {
    static BeepSound sound = &QApplication::beep;
    return sound;
}

} // namespace

BeepSound setBeepSound(BeepSound sound) { return std::exchange(beepSound(), std::move(sound)); }

void Beep() { beepSound()(); }

void FlagInvalidField(QLineEdit& box) {
    Beep();
    box.setFocus(Qt::OtherFocusReason);
    // The whole entry, also when the model gave the box more than the seven
    // characters a user can type.
    box.selectAll();
}

} // namespace resonex::gui
