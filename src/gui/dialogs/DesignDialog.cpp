#include "gui/dialogs/DesignDialog.h"

#include "core/document/CFile.h"
#include "core/document/DocumentPrompts.h"
#include "core/document/DocumentView.h"
#include "core/errors/ResonexError.h"
#include "core/text/AppInfo.h"
#include "gui/platform/FlagInvalidField.h"
#include "gui/platform/WindowPosition.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

QLineEdit* DesignDialog::inputBox(const QString& name) {
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
    auto* left = new QVBoxLayout;
    for (QWidget* frame : frames)
        left->addWidget(frame);
    auto* right = new QVBoxLayout;
    right->addWidget(buttons.calculate);
    right->addWidget(buttons.ok);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
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
    for (QWidget* widget : order) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    order.first()->setFocus();
}

void DesignDialog::calculate(const std::function<void()>& steps, Fields fields) {
    try {
        steps();
    } catch (const ResonexError& error) {
        const auto field = [&](auto matches) {
            const auto found = std::find_if(fields.begin(), fields.end(), matches);
            return found != fields.end() ? found->second : nullptr;
        };
        if (QLineEdit* rejected =
                field([&](const auto& f) { return f.first.number == error.number(); })) {
            FlagInvalidField(*rejected);
            return;
        }
        QLineEdit* blamed =
            field([&](const auto& f) { return error.source() == QLatin1String(f.first.source); });
        QString text =
            QStringLiteral("The calculation could not be completed: ") + error.description() + u'.';
        if (blamed)
            text +=
                QStringLiteral(" The value ") + blamed->text() + QStringLiteral(" cannot be used.");
        prompts().tell(QString::fromLatin1(kAppTitle), text, Prompts::Icon::Exclamation);
        if (blamed)
            FlagInvalidField(*blamed);
    }
}

void DesignDialog::quietly(const std::function<void()>& steps) {
    try {
        steps();
    } catch (const ResonexError&) {
    }
}

} // namespace resonex::gui
