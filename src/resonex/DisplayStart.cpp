#include "resonex/DisplayStart.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace resonex {

namespace {

// Qt's own words would be about platform plugins and reinstalling, followed
// by a core dump.
void tellNoDisplay() {
    std::fputs("resonex: Resonex needs a graphical desktop (an X11 or Wayland display), "
               "and none can be reached.\n"
               "resonex: resonex-cli works without one; see resonex-cli --help.\n",
               stderr);
}

QtMessageHandler qtHandler = nullptr;

// Qt's warnings go through, since they name the display it tried or the
// library it missed; only its fatal end is put in our words.
void endWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && message.contains(u"no Qt platform plugin could be initialized")) {
        tellNoDisplay();
        // Qt is half made; nothing of it can be unwound safely.
        std::_Exit(1);
    }
    qtHandler(type, context, message);
}

// Qt is told which platform to use, in the environment or with its own
// command-line option: the choice is the user's, and Qt's to check.
bool platformChosen(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

std::unique_ptr<QApplication> startOnDisplay(int& argc, char** argv) {
    if (!platformChosen(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        tellNoDisplay();
        return nullptr;
    }
    qtHandler = qInstallMessageHandler(endWithoutDisplay);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(qtHandler);
    return application;
}

} // namespace resonex
