#pragma once

#include "core/model/TopLoadResultTexts.h"
#include "gui/dialogs/DesignDialog.h"

#include <utility>
#include <vector>

class QRadioButton;

namespace resonex::gui {

// The top load on the secondary: its shape and dimensions and where the coil
// stands go into the model on Calculate; the capacitances, the running
// frequency and the toroids for the quarter wave and for a typed frequency are
// shown from the model, once the secondary has been calculated.
class frmTopLoadCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmTopLoadCalcs(const DesignContext& context, QWidget* parent);

private:
    void UpdateInputText();
    void UpdateOutputText();
    QRadioButton* checkedShape() const;
    // Only a toroid has a tube.
    void optShape_Click();
    void cmd_Calculate_Click();

    QRadioButton* m_optToroid;
    QRadioButton* m_optSphere;
    QRadioButton* m_optNoTopLoad;
    QLineEdit* m_txtTopDia;
    QLineEdit* m_txtTubeDia;
    QLineEdit* m_txtTopHeight;
    QLineEdit* m_txtBaseHeight;
    QLineEdit* m_txtTargetFr;
    QLabel* m_lblNotCalculated;
    // Each result's box and the text it shows.
    std::vector<std::pair<QLineEdit*, QString TopLoadResultTexts::*>> m_results;
};

} // namespace resonex::gui
