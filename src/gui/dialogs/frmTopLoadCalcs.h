#pragma once

#include "core/model/CTopLoad.h"
#include "core/results/TopLoadResultTexts.h"
#include "gui/dialogs/DesignDialog.h"

#include <utility>
#include <vector>

class QRadioButton;

namespace resonex::gui {

// The top load on the secondary: its shape and dimensions, where the coil
// stands and what stands around it go into the design on Calculate; the capacitances, the running
// frequency and the toroids for the quarter wave and for a typed frequency are
// shown from the model, once the secondary has been calculated.
class frmTopLoadCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmTopLoadCalcs(const DesignContext& context, QWidget* parent);

private:
    void UpdateInputText();
    void UpdateOutputText();
    // The shape ticked, and its button.
    CTopLoad::Shape checkedShape() const;
    QRadioButton* shapeButton(CTopLoad::Shape shape) const;
    // Only the inputs the shape has can be typed into (CTopLoad::takes).
    void optShape_Click();
    void cmd_Calculate_Click();

    // The shapes' buttons, in their order.
    std::vector<std::pair<QRadioButton*, CTopLoad::Shape>> m_shapes;
    // Why the figures on the coil are absent; why a toroid is none.
    QLabel* m_lblNotCalculated;
    QLabel* m_lblNoToroid;
    // Each result's box and the text it shows.
    // The figures shown in boxes, in the order declared, then the toroids'.
    std::vector<std::pair<const Figure<TopLoadResults>*, QLineEdit*>> m_figures;
    std::vector<std::pair<QLineEdit*, QString ToroidTexts::*>> m_toroids;
};

} // namespace resonex::gui
