#pragma once

#include "gui/dialogs/DesignDialog.h"

class QGroupBox;
class QRadioButton;

namespace resonex {
struct TwoWayOption;
}

namespace resonex::gui {

// The program's options: the input units, the mains frequency, the folder for
// designs and the summary's font. OK checks the folder, applies the choices
// and asks before a change of units, which, once the dialog has closed,
// starts a new design in the other units (the design's UseMetric stays until
// then). A font chosen here is applied at once, whichever way the dialog is
// then closed.
class frmOptions : public DesignDialog {
    Q_OBJECT
public:
    frmOptions(const DesignContext& context, QWidget* parent);

private:
    void cmdBrowse_Click();
    void cmdFonts_Click();
    void cmdOk_Click();
    // The capacitor follows a new mains frequency, and the primary must be
    // recalculated.
    void applyMainsFrequency();

    QLineEdit* m_txtDesPath;
    // The buttons of a two-way option (TwoWayOptions.h).
    struct TwoWayButtons {
        QRadioButton* whenTrue = nullptr;
        QRadioButton* whenFalse = nullptr;
        bool value() const;
        void set(bool value) const;
    };
    QGroupBox* twoWayFrame(const TwoWayOption& option, TwoWayButtons& buttons);

    TwoWayButtons m_units;
    TwoWayButtons m_mains;
    // The units and mains frequency in force when the dialog opened (or, for
    // the frequency, when it was last applied).
    bool m_useMetric;
    bool m_use50Hz;
};

} // namespace resonex::gui
