#include "gui/dialogs/DesignDialog.h"

#include "core/document/CFile.h"
#include "core/document/DocumentPrompts.h"
#include "core/document/DocumentView.h"
#include "core/errors/ResonexError.h"
#include "core/settings/CSettings.h"
#include "core/text/AppInfo.h"
#include "gui/platform/FlagInvalidField.h"
#include "gui/platform/WindowPosition.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace resonex::gui {

namespace {

constexpr int kInputLength = 7;
// Room for seven typed characters and the caret; results get a few more.
constexpr int kInputWidthCharacters = kInputLength + 1;
constexpr int kOutputWidthCharacters = 11;
// A row's caption, box and unit.
constexpr int kColumns = 3;

// A box's width for so many digits in its own font, frame and margins included.
int widthForDigits(const QLineEdit& box, int digits) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    // A line edit keeps two pixels of margin on each side of its text.
    const QSize text(box.fontMetrics().horizontalAdvance(QString(digits, u'0')) + 4,
                     box.fontMetrics().height());
    return box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &box).width();
}

} // namespace

void fillBox(QLineEdit& box, const QString& text) {
    box.setMaxLength(std::max(kInputLength, int(text.size())));
    box.setText(text);
}

DesignDialog::DesignDialog(const DesignContext& context, const QString& name,
                           const QString& caption, QWidget* parent)
    : QDialog(parent), m_context(context), m_designAtOpen(context.doc.bytesToSave()) {
    setObjectName(name);
    setWindowTitle(caption);
}

int DesignDialog::showModal() {
    adjustSize();
    RestoreWindowPosition(*this, m_context.store);
    return exec();
}

void DesignDialog::done(int result) {
    closeInOrder();
    QDialog::done(result);
}

// Closing, in this order: the window's place is remembered, the summary is
// rebuilt, then the dialog's own step runs. The primary relies on the order:
// its step keeps the boxes' choices in the settings, and the summary, built
// before, goes on showing the design as last calculated rather than choices
// ticked but not calculated with. Last, a change to what Save would write
// marks the design modified, that step's included.
void DesignDialog::closeInOrder() {
    SaveWindowPosition(*this, m_context.store);
    m_context.view.showDesign(m_context.doc);
    unloaded();
    if (m_context.doc.bytesToSave() != m_designAtOpen)
        m_context.doc.setModified(true);
}

QList<QWidget*> DesignDialog::addInputRows(Calculation calculation, QGridLayout& grid, Rows rows) {
    const bool surroundings = rows == Rows::Surroundings;
    QList<QWidget*> boxes;
    for (const DesignInput* input : inputsOf(calculation)) {
        if (input->surroundings != surroundings)
            continue;
        // Inputs added among the classic ones keep out of the classic
        // keyboard order; a frame of surroundings is the dialog's to place.
        QList<QWidget*>& order = input->added() && !surroundings ? m_addedBoxes : boxes;
        const InputRow row = inputRow(*input, order);
        addRow(grid, row.caption, row.box, row.unit);
    }
    return boxes;
}

DesignDialog::InputRow DesignDialog::inputRow(const DesignInput& input, QList<QWidget*>& order) {
    // The longest captions take two lines, as designed.
    constexpr int kOneLineCaption = 48;
    QLabel* caption = label(QLatin1String(input.captionName), QLatin1String(input.caption));
    caption->setWordWrap(caption->text().size() > kOneLineCaption);
    const QString tip = input.tip ? QLatin1String(input.tip) : QString();
    const auto explain = [&tip](QWidget* widget) {
        widget->setToolTip(tip);
        widget->setWhatsThis(tip);
    };
    explain(caption);
    if (input.quantity == Quantity::Choice) {
        QWidget* buttons = choiceButtons(input, order);
        explain(buttons);
        return {caption, buttons, nullptr};
    }
    QLineEdit* box = newInputBox(QLatin1String(input.boxName));
    explain(box);
    m_inputBoxes[input.input] = box;
    order << box;
    return {caption, box,
            input.unitName ? label(QLatin1String(input.unitName),
                                   unitWord(input.quantity, doc().settings().UseMetric()))
                           : nullptr};
}

QList<QGridLayout*> DesignDialog::addInputPages(Input chooser, const QList<InputPage>& pages,
                                                QGridLayout& grid) {
    const InputRow chosen = inputRow(designInput(chooser), m_addedBoxes);
    addRow(grid, chosen.caption, chosen.box, chosen.unit);
    m_boxesBeforePages = m_addedBoxes.size();
    m_pages = new QStackedWidget(this);
    grid.addWidget(m_pages, grid.rowCount(), 0, 1, kColumns);
    QList<QGridLayout*> grids;
    for (const InputPage& page : pages) {
        auto* shown = new QWidget(m_pages);
        shown->setObjectName(QLatin1String(page.name));
        auto* rows = new QGridLayout(shown);
        rows->setContentsMargins(0, 0, 0, 0);
        Page placed{rows, {}};
        for (const Input input : page.inputs) {
            const int row = int(placed.rows.size());
            QList<QWidget*> order;
            if (!m_rows.contains(input)) {
                const InputRow widgets = inputRow(designInput(input), order);
                m_rows.emplace(input, widgets);
                placeRow(*rows, row, widgets);
            } else {
                // Met on an earlier page: Tab reaches what it reached there.
                for (const Page& earlier : std::as_const(m_pageRows))
                    for (const PlacedRow& other : earlier.rows)
                        if (other.input == input)
                            order = other.order;
            }
            placed.rows.append({input, row, order});
        }
        // The rows from the page's top, a shorter page's room under them.
        rows->setRowStretch(int(page.inputs.size()), 1);
        m_pages->addWidget(shown);
        m_pageRows.append(placed);
        grids << rows;
    }
    const QList<QRadioButton*>& words = m_choiceButtons.at(chooser);
    for (qsizetype word = 0; word < words.size(); ++word)
        connect(words[word], &QRadioButton::toggled, this, [this, word](bool ticked) {
            if (ticked)
                showPage(word);
        });
    showPage(0);
    return grids;
}

void DesignDialog::placeRow(QGridLayout& grid, int row, const InputRow& widgets) {
    grid.addWidget(widgets.caption, row, 0);
    grid.addWidget(widgets.box, row, 1);
    if (widgets.unit)
        grid.addWidget(widgets.unit, row, 2);
    // Moved to a page in sight, a row shows at once.
    for (QWidget* widget :
         std::initializer_list<QWidget*>{widgets.caption, widgets.box, widgets.unit})
        if (widget)
            widget->show();
}

void DesignDialog::showPage(qsizetype page) {
    const Page& shown = m_pageRows.at(page);
    QList<QWidget*> order = m_addedBoxes.first(m_boxesBeforePages);
    for (const PlacedRow& placed : shown.rows) {
        const InputRow& widgets = m_rows.at(placed.input);
        if (widgets.box->parentWidget() != shown.grid->parentWidget()) {
            // An input of several pages: its one row moves to the page shown.
            for (QWidget* widget :
                 std::initializer_list<QWidget*>{widgets.caption, widgets.box, widgets.unit})
                if (widget)
                    widget->parentWidget()->layout()->removeWidget(widget);
            placeRow(*shown.grid, placed.row, widgets);
        }
        order << placed.order;
    }
    m_pages->setCurrentIndex(int(page));
    m_addedBoxes = order;
    if (!m_tabOrder.isEmpty())
        chainTabs();
}

QWidget* DesignDialog::choiceButtons(const DesignInput& input, QList<QWidget*>& order) {
    auto* group = new QWidget(this);
    group->setObjectName(QLatin1String(input.boxName));
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    QList<QRadioButton*>& buttons = m_choiceButtons[input.input];
    for (const ChoiceWord& word : input.words) {
        auto* button = new QRadioButton(QLatin1String(word.caption), group);
        button->setObjectName(QLatin1String(word.buttonName));
        layout->addWidget(button);
        buttons << button;
        order << button;
        // Tab reaches the choice at its ticked button, as it does a group of
        // option buttons once one has had the focus.
        button->setFocusPolicy(Qt::ClickFocus);
        connect(button, &QRadioButton::toggled, button, [button](bool ticked) {
            button->setFocusPolicy(ticked ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }
    // A few short words keep together where the column is wider.
    layout->addStretch();
    return group;
}

QRadioButton* DesignDialog::choiceButton(Input input, qsizetype word) const {
    return m_choiceButtons.at(input).at(word);
}

Entries DesignDialog::typedEntries(Calculation calculation) const {
    Entries entries;
    for (const DesignInput* input : inputsOf(calculation)) {
        if (input->quantity != Quantity::Choice) {
            entries[input->input] = inputBox(input->input)->text();
            continue;
        }
        for (qsizetype word = 0; word < input->words.size(); ++word)
            if (choiceButton(input->input, word)->isChecked())
                entries[input->input] = QLatin1String(input->words[word].word);
    }
    return entries;
}

void DesignDialog::showEntries(Calculation calculation) {
    const ConstDesignModels models = m_context.doc.models();
    for (const DesignInput* input : inputsOf(calculation)) {
        if (input->quantity == Quantity::Choice)
            choiceButton(input->input, qsizetype(keptValue(*input, models)))->setChecked(true);
        else
            fillBox(*inputBox(input->input), entryOf(*input, models));
    }
}

QLineEdit* DesignDialog::newInputBox(const QString& name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setMaxLength(kInputLength);
    box->setFixedWidth(widthForDigits(*box, kInputWidthCharacters));
    return box;
}

QLineEdit* DesignDialog::outputBox(const QString& name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setFixedWidth(widthForDigits(*box, kOutputWidthCharacters));
    return box;
}

QLabel* DesignDialog::label(const QString& name, const QString& caption) {
    auto* text = new QLabel(caption, this);
    text->setObjectName(name);
    return text;
}

QGroupBox* DesignDialog::frame(const QString& name, const QString& caption) {
    auto* group = new QGroupBox(caption, this);
    group->setObjectName(name);
    return group;
}

QPushButton* DesignDialog::button(const QString& name, const QString& caption) {
    auto* push = new QPushButton(caption, this);
    push->setObjectName(name);
    return push;
}

DesignDialog::CalculationButtons
DesignDialog::calculationButtons(const std::function<void()>& onCalculate) {
    QPushButton* calculate = button(QStringLiteral("cmd_Calculate"), QStringLiteral("&Calculate"));
    calculate->setDefault(true);
    m_calculate = calculate;
    connect(calculate, &QPushButton::clicked, this, [this, onCalculate] {
        onCalculate();
        m_context.view.designCalculated(m_context.doc);
    });
    QPushButton* ok = button(QStringLiteral("cmd_OK"), QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    return {calculate, ok};
}

void DesignDialog::layOutBesideButtons(std::initializer_list<QWidget*> frames,
                                       const CalculationButtons& buttons) {
    layOutBesideButtons({frames}, buttons);
}

void DesignDialog::layOutBesideButtons(
    std::initializer_list<std::initializer_list<QWidget*>> columns,
    const CalculationButtons& buttons, Sizing sizing) {
    const bool grows = sizing == Sizing::LastFrameGrows;
    auto* layout = new QHBoxLayout(this);
    for (const std::initializer_list<QWidget*>& frames : columns) {
        const bool last = &frames == std::prev(columns.end());
        auto* column = new QVBoxLayout;
        for (QWidget* frame : frames)
            column->addWidget(frame, grows && last && frame == *std::prev(frames.end()) ? 1 : 0);
        if (!(grows && last))
            column->addStretch();
        layout->addLayout(column, grows && last ? 1 : 0);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(buttons.calculate);
    right->addWidget(buttons.ok);
    right->addStretch();
    layout->addLayout(right);
    layout->setSizeConstraint(grows ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
}

void DesignDialog::addRow(QGridLayout& grid, QLabel* caption, QWidget* box, QLabel* unit) {
    const int row = grid.rowCount();
    grid.addWidget(caption, row, 0);
    grid.addWidget(box, row, 1);
    if (unit)
        grid.addWidget(unit, row, 2);
}

void DesignDialog::alignColumns(std::initializer_list<QGridLayout*> grids) {
    for (int column = 0; column < kColumns; ++column) {
        int width = 0;
        for (const QGridLayout* grid : grids)
            for (int index = 0; index < grid->count(); ++index) {
                // What spans several columns (a note, pages of rows) sets none.
                int row = 0;
                int at = 0;
                int rows = 0;
                int columns = 0;
                grid->getItemPosition(index, &row, &at, &rows, &columns);
                if (at == column && columns == 1)
                    width = std::max(width, grid->itemAt(index)->sizeHint().width());
            }
        for (QGridLayout* grid : grids)
            grid->setColumnMinimumWidth(column, width);
    }
}

QLabel* DesignDialog::note(const QString& name, QGridLayout& grid) {
    QLabel* told = label(name, QString());
    told->setWordWrap(true);
    grid.addWidget(told, grid.rowCount(), 0, 1, kColumns);
    m_notes[told] = &grid;
    return told;
}

void DesignDialog::showNote(QLabel& note, const QString& text) {
    note.setText(text);
    const QGridLayout& grid = *m_notes.at(&note);
    int width = grid.horizontalSpacing() * (kColumns - 1);
    for (int column = 0; column < kColumns; ++column)
        width += grid.columnMinimumWidth(column);
    // A line is kept while empty, so that nothing moves for a short note; a
    // longer one takes the lines it wraps to (a layout of fixed size does not
    // ask a wrapping label for its height).
    const int lines = std::max(note.fontMetrics().lineSpacing(), note.heightForWidth(width));
    note.setFixedSize(width, lines);
}

QLabel* DesignDialog::refusalNote(const QString& name, QGridLayout& grid) {
    QLabel* told = note(name, grid);
    m_refusalNotes << told;
    return told;
}

QLabel* DesignDialog::refusalNoteFor(const QLineEdit* box) const {
    for (QLabel* told : m_refusalNotes)
        if (box && m_notes.at(told)->indexOf(box) >= 0)
            return told;
    return m_refusalNotes.value(0);
}

void DesignDialog::setTabOrder(const QList<QWidget*>& order, QWidget* afterInputs) {
    m_tabOrder = order;
    m_afterInputs = afterInputs;
    chainTabs();
    walked().first()->setFocus();
}

QList<QWidget*> DesignDialog::walked() const {
    // The added boxes stand under the classic ones: the keyboard reaches them
    // after those, before the buttons.
    const qsizetype buttons = m_tabOrder.indexOf(m_afterInputs ? m_afterInputs : m_calculate);
    return buttons < 0 ? m_tabOrder + m_addedBoxes
                       : m_tabOrder.first(buttons) + m_addedBoxes + m_tabOrder.sliced(buttons);
}

void DesignDialog::chainTabs() {
    QWidget* previous = nullptr;
    for (QWidget* widget : walked()) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QLineEdit* DesignDialog::boxFor(const ResonexError& error, Blamed blamed) const {
    const auto shown = [this](Input input) {
        const auto box = m_inputBoxes.find(input);
        return box != m_inputBoxes.end() ? box->second : nullptr;
    };
    for (const auto& [blamedError, input] : blamed)
        if (blamedError.number == error.number())
            return shown(input);
    if (const DesignInput* input = inputRaising(error.number()))
        return shown(input->input);
    // An overflow or the like names the property it came from.
    for (const auto& [input, box] : m_inputBoxes)
        if (error.source() == QLatin1String(designInput(input).error.source))
            return box;
    return nullptr;
}

namespace {

// Refusals of a rule of several entries, in their own words.
struct Refusal {
    const ErrorInfo& error;
    const char* text;
};
const Refusal kRefusals[] = {
    {errors::TopLoadTubeDia,
     "The tube diameter must be more than 0 and at most half the overall diameter"},
    {errors::RailConductor, "The rail's conductor diameter must be more than 0 for a rail"},
};
// Refusals whose error names the part and the limit it passed.
const ErrorInfo* const kToldRefusals[] = {&errors::TopLoadClearance, &errors::SurroundingsClearance,
                                          &errors::PrimaryClearance, &errors::PowerTooManyUnits};

} // namespace

QString DesignDialog::refusalReason(const ResonexError& error, const QLineEdit* box) const {
    for (const Refusal& refusal : kRefusals)
        if (refusal.error.number == error.number())
            return QString::fromLatin1(refusal.text);
    for (const ErrorInfo* told : kToldRefusals)
        if (told->number == error.number())
            return error.description();
    // A classic box (kept in the classic file, version 0) keeps its answer.
    for (const auto& [input, inputBox] : m_inputBoxes) {
        const DesignInput& row = designInput(input);
        if (inputBox == box && !row.classic())
            return refusalText(row, m_context.doc.settings().UseMetric());
    }
    return {};
}

void DesignDialog::calculate(const std::function<void()>& steps, Blamed blamed) {
    for (QLabel* told : m_refusalNotes)
        showNote(*told, QString());
    try {
        steps();
    } catch (const ResonexError& error) {
        QLineEdit* box = boxFor(error, blamed);
        const QString why = refusalReason(error, box);
        if (QLabel* told = refusalNoteFor(box); told && !why.isEmpty()) {
            showNote(*told, why);
            if (box)
                FlagInvalidField(*box);
            else
                Beep();
            return;
        }
        if (box && isInputError(error.number())) {
            FlagInvalidField(*box);
            return;
        }
        QString text =
            QStringLiteral("The calculation could not be completed: ") + error.description() + u'.';
        if (box)
            text +=
                QStringLiteral(" The value ") + box->text() + QStringLiteral(" cannot be used.");
        prompts().tell(QString::fromLatin1(kAppTitle), text, Prompts::Icon::Exclamation);
        if (box)
            FlagInvalidField(*box);
    }
}

void DesignDialog::quietly(const std::function<void()>& steps) {
    try {
        steps();
    } catch (const ResonexError&) {
    }
}

} // namespace resonex::gui
