#pragma once

#include "gui/dialogs/DesignDialog.h"

namespace resonex::gui {

// The secondary coil: its four dimensions go into the model on Calculate and
// its eight results are shown from the model. Everything shown is read back
// from the model; the dialog keeps nothing of its own.
class frmSecCoilCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmSecCoilCalcs(const DesignContext& context, QWidget* parent);

    void UpdateOutputText();

private:
    void cmd_Calculate_Click();

    QLineEdit* m_txtAspectRatio;
    QLineEdit* m_txtTurns;
    QLineEdit* m_txtWireLength;
    QLineEdit* m_txtL;
    QLineEdit* m_txtNatFr;
    QLineEdit* m_txtQuarWaveFr;
    QLineEdit* m_txtSelfC;
    QLineEdit* m_txtTorC;
};

} // namespace resonex::gui
