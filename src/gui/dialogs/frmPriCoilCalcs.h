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
    // What a "Use Design Information" choice is: its box, its setting, the
    // entry box it fills and its source. Each is described once, in the table
    // in the .cpp, and everything about the choices loops over that table.
    struct ChoiceDescription;
    static const ChoiceDescription kChoiceDescriptions[];
    // A choice as the dialog shows it.
    struct Choice {
        const ChoiceDescription* description;
        QCheckBox* box;
    };

    void load();
    // The boxes' values as the model's choices.
    PrimaryChoices ticked() const;
    // Whether an earlier choice for the same input is ticked.
    bool takenBefore(const Choice& choice) const;
    // Fills a choice's entry box for the boxes' states.
    void showChoice(const Choice& choice);
    // The user's click (a box set from code does not run it): the results no
    // longer match the inputs.
    void chkUse_Click(const Choice& choice);
    void cmd_Calculate_Click();
    void showResults();
    void clearResults();

    QLineEdit* m_txtC;
    QLineEdit* m_txtFr;
    QLineEdit* m_txtSecDia;
    QLineEdit* m_txtConDia;
    QLineEdit* m_txtConSpa;
    QLineEdit* m_txtSecSep;
    QLabel* m_lblResults;
    QPlainTextEdit* m_txtLPerTurn;
    TuningPlotView* m_picTuning;
    // In the order of the table.
    std::vector<Choice> m_choices;
};

} // namespace resonex::gui
