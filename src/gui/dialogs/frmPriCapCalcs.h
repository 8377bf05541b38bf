#pragma once

#include "gui/dialogs/DesignDialog.h"

namespace resonex::gui {

// The neon sign transformer bank and the primary capacitor that resonates
// with it at the mains frequency. The inputs go into the model on Calculate;
// everything shown is read back from the model.
class frmPriCapCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmPriCapCalcs(const DesignContext& context, QWidget* parent);

private:
    void ShowInputs();
    void ShowOutput();
    void cmd_Calculate_Click();

    QLabel* m_lblOutPar;
    QLineEdit* m_txtCap;
};

} // namespace resonex::gui
