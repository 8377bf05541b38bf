#include "gui/dialogs/frmPriCoilCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DocumentPrompts.h"
#include "core/model/CPrimary.h"
#include "core/model/Calculated.h"
#include "core/model/FlatSpiral.h"
#include "core/model/TuningCurve.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"
#include "gui/plot/TuningPlotView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtMath>

namespace resonex::gui {

frmPriCoilCalcs::frmPriCoilCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmPriCoilCalcs"),
                   QStringLiteral("Primary Coil Calculations"), parent) {
    QGroupBox* use = frame(QStringLiteral("Frame2"), QStringLiteral("Use Design Information"));
    auto* useLayout = new QVBoxLayout(use);
    for (const PrimaryChoiceRow& row : primaryChoiceRows()) {
        auto* box = new QCheckBox(QLatin1String(row.caption), this);
        box->setObjectName(QLatin1String(row.boxName));
        useLayout->addWidget(box);
        const Choice choice{&row, box};
        m_choices.push_back(choice);
        connect(box, &QCheckBox::clicked, this,
                [this, choice] { quietly([&] { chkUse_Click(choice); }); });
    }

    auto* rows = new QGridLayout;
    QList<QWidget*> order = addInputRows(Calculation::Primary, *rows);
    alignColumns({rows});

    QGroupBox* inputs = frame(QStringLiteral("Frame1"), QStringLiteral("Input Parameters"));
    auto* inputLayout = new QVBoxLayout(inputs);
    inputLayout->addWidget(use);
    inputLayout->addLayout(rows);
    inputLayout->addStretch();

    QGroupBox* outputs = frame(QStringLiteral("Frame3"), QStringLiteral("Output Parameters"));
    auto* outputLayout = new QVBoxLayout(outputs);
    m_lblResults = label(QStringLiteral("lblResults"), QString());
    m_lblResults->setWordWrap(true);
    // Room for the tapping sentence before it is there, so nothing moves.
    m_lblResults->setMinimumHeight(3 * m_lblResults->fontMetrics().lineSpacing());
    m_lblResults->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblResults->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_txtLPerTurn = new QPlainTextEdit(this);
    m_txtLPerTurn->setObjectName(QStringLiteral("txtLPerTurn"));
    m_txtLPerTurn->setReadOnly(true);
    m_txtLPerTurn->setFocusPolicy(Qt::ClickFocus);
    m_txtLPerTurn->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtLPerTurn->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for every line: the text keeps the document's margin all round inside
    // the frame, and the box scrolls unless a pixel is left below the margin.
    const QFontMetricsF metrics(m_txtLPerTurn->font());
    const int border =
        2 * (qCeil(m_txtLPerTurn->document()->documentMargin()) + m_txtLPerTurn->frameWidth());
    m_txtLPerTurn->setMinimumSize(
        qCeil(metrics.horizontalAdvance(QStringLiteral(" Turn 15    00000.00uH"))) +
            m_txtLPerTurn->verticalScrollBar()->sizeHint().width() + border,
        qCeil(kSpiralTurns * metrics.lineSpacing()) + border + 1);
    // The curve beside the listing it is drawn from.
    m_picTuning = new TuningPlotView(this);
    auto* listing = new QVBoxLayout;
    listing->addWidget(label(QStringLiteral("Label14"), QStringLiteral("Approximate inductance:")));
    listing->addWidget(m_txtLPerTurn, 1);
    auto* listingAndCurve = new QHBoxLayout;
    listingAndCurve->addLayout(listing);
    listingAndCurve->addWidget(m_picTuning, 1);
    outputLayout->addWidget(m_lblResults);
    outputLayout->addLayout(listingAndCurve, 1);

    const auto [cmdCalculate, ok] = calculationButtons([this] { cmd_Calculate_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCalculate);
    buttons->addWidget(ok);

    auto* right = new QVBoxLayout;
    right->addWidget(outputs, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(inputs);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (const Choice& choice : m_choices)
        order << choice.box;
    setTabOrder(order << cmdCalculate << ok);

    quietly([this] { load(); });
}

void frmPriCoilCalcs::load() {
    const PrimaryChoices offered = offeredChoices(doc());
    // Of two choices for one input, the first ticked is the one the primary
    // takes.
    PrimaryChoices shown;
    for (const Choice& choice : m_choices)
        if (offered.*choice.row->choice == 1 && takesEntry(choice.row->fills, shown))
            shown = choosing(shown, choice.row->choice);
    showEntries(Calculation::Primary);
    for (const Choice& choice : m_choices) {
        choice.box->setEnabled(canUse(doc(), choice.row->choice));
        choice.box->setChecked(shown.*choice.row->choice == 1);
        showChoice(choice);
    }
    if (primaryCalculated(doc().primary()))
        showResults();
}

void frmPriCoilCalcs::showChoice(const Choice& choice) {
    const Input input = choice.row->fills;
    QLineEdit& text = *inputBox(input);
    // A disabled box is out of the keyboard order as well.
    text.setEnabled(takesEntry(input, ticked()));
    fillBox(text, shownEntry(doc(), input, ticked()));
}

void frmPriCoilCalcs::chkUse_Click(const Choice& choice) {
    // One box fills one input: ticking it clears the others for that input.
    if (choice.box->isChecked()) {
        const PrimaryChoices chosen = choosing(ticked(), choice.row->choice);
        for (const Choice& other : m_choices)
            other.box->setChecked(chosen.*other.row->choice == 1);
    }
    showChoice(choice);
    doc().primary().setCalcsInvalid(true);
    clearResults();
}

PrimaryChoices frmPriCoilCalcs::ticked() const {
    PrimaryChoices choices;
    for (const Choice& choice : m_choices)
        choices.*choice.row->choice = choice.box->isChecked() ? 1 : 0;
    return choices;
}

void frmPriCoilCalcs::cmd_Calculate_Click() {
    calculate([this] {
        calculatePrimary(doc(), ticked(), typedEntries(Calculation::Primary), prompts());
        showResults();
    });
}

void frmPriCoilCalcs::showResults() {
    const CPrimary& primary = doc().primary();
    // The model ends its lines the way its file does.
    m_txtLPerTurn->setPlainText(
        QString(primary.LPerTurn()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_lblResults->setText(primary.Results());
    m_picTuning->setCurve(tuningCurve(primary, doc().settings(), otherModels(doc())));
}

void frmPriCoilCalcs::clearResults() {
    m_txtLPerTurn->clear();
    m_lblResults->clear();
    m_picTuning->setCurve({});
}

void frmPriCoilCalcs::unloaded() {
    CSettings& settings = doc().settings();
    const PrimaryChoices choices = ticked();
    for (const Choice& choice : m_choices)
        if (choice.box->isEnabled())
            (settings.*choice.row->keep)(choices.*choice.row->choice);
}

} // namespace resonex::gui
