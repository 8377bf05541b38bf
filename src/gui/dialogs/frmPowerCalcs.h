#pragma once

#include "gui/dialogs/DesignDialog.h"

class QTableWidget;

namespace resonex::gui {

// The power side: the gap, the tank capacitor used and a bank of small
// capacitors to make it, and what follows from the transformer bank (its
// figures once the bank is calculated: the tank capacitors it suits, each
// bang's energy, the power, the peaks, the sparks and the running frequency).
// The inputs go into the model on Calculate; the figures are read back from
// the document.
class frmPowerCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmPowerCalcs(const DesignContext& context, QWidget* parent);

private:
    void ShowOutput();
    void cmd_Calculate_Click();
    // Only an asynchronous gap takes its breaks per second.
    void showBpsTaken();

    QTableWidget* m_lstPower;
};

} // namespace resonex::gui
