#pragma once

#include <QDialog>

namespace resonex {
class Prompts;
}

namespace resonex::gui {

// The About box: the program's title, notice and version, and a button that
// starts the system's own information tool.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(Prompts& prompts, QWidget* parent);

    // Starts the first system information tool found on the PATH, or says
    // that none is available.
    void StartSysInfo();

private:
    Prompts& m_prompts;
};

} // namespace resonex::gui
