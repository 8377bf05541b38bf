// Resonex, the desktop program.
#include "AppInfo.h"
#include "app/frmMain.h"
#include "settings/UserOptionsStore.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(resonex::kAppTitle));
    QApplication::setApplicationVersion(resonex::versionText());

    resonex::UserOptionsStore store;
    resonex::gui::frmMain window(store);
    // The command line is one design path, spaces and all; Qt has taken its
    // own options out already.
    window.Load(QApplication::arguments().mid(1).join(u' '));
    window.show();
    return app.exec();
}
