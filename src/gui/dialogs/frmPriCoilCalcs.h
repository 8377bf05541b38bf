#pragma once

#include "core/document/DesignCommands.h"
#include "gui/dialogs/DesignDialog.h"

#include <vector>

class QCheckBox;
class QPlainTextEdit;

namespace resonex::gui {

class TuningPlotView;

// The flat spiral primary. Its capacitance, frequency and secondary diameter
// can be taken from the other calculations ("Use Design Information"); the
// inputs go into the model on Calculate, which lists the inductance per turn
// and says where to tap.
class frmPriCoilCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmPriCoilCalcs(const DesignContext& context, QWidget* parent);

protected:
    void unloaded() override;

private:
    // A "Use Design Information" choice as the dialog shows it: its row
    // (PrimarySources.h) and its box.
    struct Choice {
        const PrimaryChoiceRow* row;
        QCheckBox* box;
    };

    void load();
    // The boxes' values as the model's choices.
    PrimaryChoices ticked() const;
    // Fills a choice's entry box for the boxes' states.
    void showChoice(const Choice& choice);
    // The user's click (a box set from code does not run it): the results no
    // longer match the inputs.
    void chkUse_Click(const Choice& choice);
    void cmd_Calculate_Click();
    void showResults();
    void clearResults();

    // A cone's button of the primary's shape.
    QRadioButton* conicalButton() const;

    QLabel* m_lblResults;
    // The coupling at the tap in use.
    QLabel* m_lblCoupling;
    QPlainTextEdit* m_txtLPerTurn;
    TuningPlotView* m_picTuning;
    // In the rows' order.
    std::vector<Choice> m_choices;
};

} // namespace resonex::gui
