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
class QStackedWidget;

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

// A page of a dialog's inputs (DesignDialog::addInputPages): its name and
// its inputs in the order it shows them.
struct InputPage {
    const char* name;
    QList<Input> inputs;
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
    // (DesignInputs.h): caption, entry box and unit, with the input's tool
    // tip. The boxes are returned in the table's order, which is their
    // keyboard order, but for inputs added among the classic ones: their boxes
    // come after every other control the dialog orders, before its Calculate
    // and OK (setTabOrder).
    QList<QWidget*> addInputRows(Calculation calculation, QGridLayout& grid, Rows rows = Rows::Own);
    // A calculation's inputs on pages, one shown at a time: the page of the
    // chooser's ticked word (the chooser's row goes into the grid, the pages
    // under it). An input on several pages has its one box, moved to the page shown, so
    // that the boxes stay one per input. The keyboard walks the chooser, then
    // the page shown, as added inputs (setTabOrder). The pages' grids are
    // returned for alignColumns.
    QList<QGridLayout*> addInputPages(Input chooser, const QList<InputPage>& pages,
                                      QGridLayout& grid);
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
    // How a dialog laid out beside its buttons takes its size: the size its
    // frames need, or any size from their least, the last frame growing.
    enum class Sizing { Fixed, LastFrameGrows };
    // The same with the frames in columns side by side, each column's one
    // under another from its top.
    void layOutBesideButtons(std::initializer_list<std::initializer_list<QWidget*>> columns,
                             const CalculationButtons& buttons, Sizing sizing = Sizing::Fixed);

    // A line of text across a frame's rows, under those there are now; empty
    // at first. Its text is shown wrapped within the grid's columns, which
    // alignColumns() has set.
    QLabel* note(const QString& name, QGridLayout& grid);
    void showNote(QLabel& note, const QString& text);
    // The note that says why an entry of the grid was refused: its box and
    // what the box takes, or what a rule of several entries asks. The first
    // such note of a dialog also tells a refusal that concerns no box. The
    // classic boxes keep their own answer, a beep and a selection alone.
    QLabel* refusalNote(const QString& name, QGridLayout& grid);

    // A row of a frame's grid: caption, box and, where there is one, the unit.
    static void addRow(QGridLayout& grid, QLabel* caption, QWidget* box, QLabel* unit = nullptr);
    // Gives the grids of several frames the same column widths, so that their
    // boxes line up.
    static void alignColumns(std::initializer_list<QGridLayout*> grids);

    // The keyboard order of the controls, the added inputs' boxes before the
    // calculation buttons (at the end where there are none), or before the
    // control given, the first after the inputs; the first one has the focus
    // on opening.
    void setTabOrder(const QList<QWidget*>& order, QWidget* afterInputs = nullptr);

    // Runs a calculation's steps, which may raise the program's errors. An
    // input error flags the box whose text was rejected (the box of the input
    // raising it, or of blamed), saying why in its refusal note where it has
    // one; any other error is told, naming the entry to blame when it comes
    // from an input's property, whose box is then flagged too (beyond the
    // classic boxes, the note says it instead).
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
    // An input's row: its caption, its box or its choice's buttons, and its
    // unit where it has one; what Tab reaches of it added to the order.
    struct InputRow {
        QLabel* caption;
        QWidget* box;
        QLabel* unit;
    };
    InputRow inputRow(const DesignInput& input, QList<QWidget*>& order);
    // A page's row in its grid.
    static void placeRow(QGridLayout& grid, int row, const InputRow& widgets);
    // Shows the page of the chooser's word, its inputs' rows in its grid.
    void showPage(qsizetype page);
    // The keyboard order given last to setTabOrder, the added boxes in it,
    // and linking it.
    QList<QWidget*> walked() const;
    void chainTabs();
    // The box whose entry an error concerns, if any.
    QLineEdit* boxFor(const ResonexError& error, Blamed blamed) const;
    // Why the error refused the box's entry, for a refusal note; empty for a
    // classic box.
    QString refusalReason(const ResonexError& error, const QLineEdit* box) const;
    // The refusal note of the grid holding the box, else the first.
    QLabel* refusalNoteFor(const QLineEdit* box) const;

    DesignContext m_context;
    std::map<Input, QLineEdit*> m_inputBoxes;
    std::map<Input, QList<QRadioButton*>> m_choiceButtons;
    QList<QWidget*> m_addedBoxes;
    // The pages: each one's grid, its inputs' rows in it (the row and what
    // Tab reaches), and the added boxes ahead of the pages.
    struct PlacedRow {
        Input input;
        int row;
        QList<QWidget*> order;
    };
    struct Page {
        QGridLayout* grid;
        QList<PlacedRow> rows;
    };
    QStackedWidget* m_pages = nullptr;
    QList<Page> m_pageRows;
    std::map<Input, InputRow> m_rows;
    qsizetype m_boxesBeforePages = 0;
    QList<QWidget*> m_tabOrder;
    QWidget* m_afterInputs = nullptr;
    QPushButton* m_calculate = nullptr;
    // Each note with the grid it stands in; the refusal notes in their order.
    std::map<QLabel*, QGridLayout*> m_notes;
    QList<QLabel*> m_refusalNotes;
    QByteArray m_designAtOpen;
};

// Puts a model's text into an entry box whole: the seven-character limit is
// for typing, so a longer stored value (from a file, say) is never cut short.
void fillBox(QLineEdit& box, const QString& text);

} // namespace resonex::gui
