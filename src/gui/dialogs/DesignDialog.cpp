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
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>

namespace resonex::gui {

namespace {

constexpr int kInputLength = 7;
// Room for seven typed characters and the caret; results get a few more.
constexpr int kInputWidthCharacters = kInputLength + 1;
constexpr int kOutputWidthCharacters = 11;

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
    // The longest captions take two lines, as designed.
    constexpr int kOneLineCaption = 48;
    const bool metric = doc().settings().UseMetric();
    const bool surroundings = rows == Rows::Surroundings;
    QList<QWidget*> boxes;
    for (const DesignInput* input : inputsOf(calculation)) {
        if (input->surroundings != surroundings)
            continue;
        QLabel* caption = label(QLatin1String(input->captionName), QLatin1String(input->caption));
        caption->setWordWrap(caption->text().size() > kOneLineCaption);
        // Inputs added among the classic ones keep out of the classic
        // keyboard order; a frame of surroundings is the dialog's to place.
        QList<QWidget*>& order = input->added() && !surroundings ? m_addedBoxes : boxes;
        if (input->quantity == Quantity::Choice) {
            addRow(grid, caption, choiceButtons(*input, order));
            continue;
        }
        QLineEdit* box = newInputBox(QLatin1String(input->boxName));
        m_inputBoxes[input->input] = box;
        order << box;
        addRow(grid, caption, box,
               input->unitName
                   ? label(QLatin1String(input->unitName), unitWord(input->quantity, metric))
                   : nullptr);
    }
    return boxes;
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
    const CalculationButtons& buttons) {
    auto* layout = new QHBoxLayout(this);
    for (const std::initializer_list<QWidget*>& frames : columns) {
        auto* column = new QVBoxLayout;
        for (QWidget* frame : frames)
            column->addWidget(frame);
        column->addStretch();
        layout->addLayout(column);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(buttons.calculate);
    right->addWidget(buttons.ok);
    right->addStretch();
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DesignDialog::addRow(QGridLayout& grid, QLabel* caption, QWidget* box, QLabel* unit) {
    const int row = grid.rowCount();
    grid.addWidget(caption, row, 0);
    grid.addWidget(box, row, 1);
    if (unit)
        grid.addWidget(unit, row, 2);
}

void DesignDialog::alignColumns(std::initializer_list<QGridLayout*> grids) {
    constexpr int kColumns = 3;
    for (int column = 0; column < kColumns; ++column) {
        int width = 0;
        for (const QGridLayout* grid : grids)
            for (int row = 0; row < grid->rowCount(); ++row)
                if (const QLayoutItem* item = grid->itemAtPosition(row, column))
                    width = std::max(width, item->sizeHint().width());
        for (QGridLayout* grid : grids)
            grid->setColumnMinimumWidth(column, width);
    }
}

void DesignDialog::setTabOrder(const QList<QWidget*>& order) {
    QWidget* previous = nullptr;
    for (QWidget* widget : order + m_addedBoxes) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    order.first()->setFocus();
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

void DesignDialog::calculate(const std::function<void()>& steps, Blamed blamed) {
    try {
        steps();
    } catch (const ResonexError& error) {
        QLineEdit* box = boxFor(error, blamed);
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
