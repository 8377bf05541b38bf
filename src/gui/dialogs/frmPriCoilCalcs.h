#pragma once

#include "core/document/DesignCommands.h"
#include "gui/dialogs/DesignDialog.h"

#include <array>

class QCheckBox;
class QPlainTextEdit;

namespace resonex::gui {

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
    // A "Use Design Information" box and the entry it governs.
    struct Choice {
        QCheckBox* box;
        QLineEdit* text;
        PrimaryChoice choice;
        PrimaryInput input;
    };

    void load();
    // The boxes' values as the model's choices.
    PrimaryChoices ticked() const;
    void chkUse_Click(const Choice& choice);
    void cmd_Calculate_Click();
    void showResults();
    void clearResults();

    // True while the dialog fills itself: the boxes' handler then leaves the
    // results alone.
    bool m_loading = false;
    QLineEdit* m_txtC;
    QLineEdit* m_txtFr;
    QLineEdit* m_txtSecDia;
    QLineEdit* m_txtConDia;
    QLineEdit* m_txtConSpa;
    QLineEdit* m_txtSecSep;
    QLabel* m_lblResults;
    QPlainTextEdit* m_txtLPerTurn;
    // Capacitance, frequency, secondary diameter.
    std::array<Choice, 3> m_choices;
};

} // namespace resonex::gui
