#pragma once

#include "core/errors/ErrorCodes.h"
#include "core/model/DesignInputs.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

#include <functional>
#include <initializer_list>
#include <map>
#include <utility>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace resonex {
class ResonexError;
class CFile;
class DocumentPrompts;
class DocumentView;
class OptionsStore;
} // namespace resonex

namespace resonex::gui {

// What a dialog of the design works on: the document with its objects, the
// store of window positions, the view that shows the summary, and the prompts.
struct DesignContext {
    CFile& doc;
    OptionsStore& store;
    DocumentView& view;
    DocumentPrompts& prompts;
};

// A modal dialog of the design: it opens where the user last left it, and
// closing it in any way remembers the place, shows the design summary again
// and then runs the dialog's own closing step, in that order. It also makes
// the controls the dialogs share. Closed having changed what Save would write
// (a choice kept on closing, the mains frequency), the design is modified.
class DesignDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog modally at its remembered place.
    int showModal();
    void done(int result) override;

protected:
    DesignDialog(const DesignContext& context, const QString& name, const QString& caption,
                 QWidget* parent);

    // The dialog's own closing step, the last of closeInOrder().
    virtual void unloaded() {}

    CFile& doc() { return m_context.doc; }
    DocumentPrompts& prompts() { return m_context.prompts; }

    // Which of a calculation's inputs a frame holds: its own, or the
    // surroundings it stores (DesignInput::surroundings).
    enum class Rows { Own, Surroundings };
    // The calculation's inputs as rows of the grid, as declared
    // (DesignInputs.h): caption, entry box and unit. The boxes are returned
    // in the table's order, which is their keyboard order, but for inputs
    // added among the classic ones: their boxes come last in it, after every
    // control the dialog orders (setTabOrder).
    QList<QWidget*> addInputRows(Calculation calculation, QGridLayout& grid, Rows rows = Rows::Own);
    QLineEdit* inputBox(Input input) const { return m_inputBoxes.at(input); }
    // A choice's button for its word.
    QRadioButton* choiceButton(Input input, qsizetype word) const;
    // The texts of the calculation's boxes, and showing what the design holds.
    Entries typedEntries(Calculation calculation) const;
    void showEntries(Calculation calculation);
    // A read-only result box: it can be clicked and copied from, but Tab
    // passes it by.
    QLineEdit* outputBox(const QString& name);
    QLabel* label(const QString& name, const QString& caption);
    QGroupBox* frame(const QString& name, const QString& caption);
    QPushButton* button(const QString& name, const QString& caption);

    // The calculation dialogs' buttons: Calculate, the default button that
    // Enter presses, and OK, which closes the dialog.
    struct CalculationButtons {
        QPushButton* calculate;
        QPushButton* ok;
    };
    CalculationButtons calculationButtons(const std::function<void()>& onCalculate);

    // The frames one under another, Calculate and OK in a column at their
    // right; the dialog keeps the size they need.
    void layOutBesideButtons(std::initializer_list<QWidget*> frames,
                             const CalculationButtons& buttons);
    // The same with the frames in columns side by side, each column's one
    // under another from its top.
    void layOutBesideButtons(std::initializer_list<std::initializer_list<QWidget*>> columns,
                             const CalculationButtons& buttons);

    // A row of a frame's grid: caption, box and, where there is one, the unit.
    static void addRow(QGridLayout& grid, QLabel* caption, QWidget* box, QLabel* unit = nullptr);
    // Gives the grids of several frames the same column widths, so that their
    // boxes line up.
    static void alignColumns(std::initializer_list<QGridLayout*> grids);

    // The keyboard order of the controls, then the added inputs' boxes; the
    // first one has the focus on opening.
    void setTabOrder(const QList<QWidget*>& order);

    // Runs a calculation's steps, which may raise the program's errors. An
    // input error flags the box whose text was rejected (the box of the input
    // raising it, or of blamed); any other error is told, naming the entry to
    // blame when it comes from an input's property, whose box is then flagged
    // too.
    using Blamed = std::initializer_list<std::pair<ErrorInfo, Input>>;
    void calculate(const std::function<void()>& steps, Blamed blamed = {});

    // Runs steps that only show what is stored (a value from a damaged file
    // may not fit its display): an error ends them silently.
    static void quietly(const std::function<void()>& steps);

private:
    void closeInOrder();
    // An entry box, taking at most seven typed characters.
    QLineEdit* newInputBox(const QString& name);
    // A choice's buttons in a row, each added to the keyboard order.
    QWidget* choiceButtons(const DesignInput& input, QList<QWidget*>& order);
    // The box whose entry an error concerns, if any.
    QLineEdit* boxFor(const ResonexError& error, Blamed blamed) const;

    DesignContext m_context;
    std::map<Input, QLineEdit*> m_inputBoxes;
    std::map<Input, QList<QRadioButton*>> m_choiceButtons;
    QList<QWidget*> m_addedBoxes;
    QByteArray m_designAtOpen;
};

// Puts a model's text into an entry box whole: the seven-character limit is
// for typing, so a longer stored value (from a file, say) is never cut short.
void fillBox(QLineEdit& box, const QString& text);

} // namespace resonex::gui
