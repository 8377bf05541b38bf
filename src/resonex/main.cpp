// Resonex, the desktop program.
#include "core/platform/NativeName.h"
#include "core/settings/UserOptionsStore.h"
#include "core/text/AppInfo.h"
#include "gui/app/frmMain.h"
#include "resonex/DisplayStart.h"

int main(int argc, char* argv[]) {
    const std::unique_ptr<QApplication> app = resonex::startOnDisplay(argc, argv);
    if (!app) {
        return 1;
    }
    QApplication::setApplicationName(QString::fromLatin1(resonex::kAppTitle));
    QApplication::setApplicationVersion(resonex::versionText());

    resonex::UserOptionsStore store;
    resonex::gui::frmMain window(store);
    // The command line is one design path, spaces and all; Qt has taken its
    // own options out already.
    window.Load(resonex::argumentsFromNative(argc, argv).join(u' '));
    window.show();
    return QApplication::exec();
}
