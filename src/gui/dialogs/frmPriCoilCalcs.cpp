#include "gui/dialogs/frmPriCoilCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignPictures.h"
#include "core/document/DesignResults.h"
#include "core/document/DocumentPrompts.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/Calculated.h"
#include "core/model/FlatSpiral.h"
#include "core/model/TuningCurve.h"
#include "core/results/CouplingResultTexts.h"
#include "core/results/CouplingResults.h"
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
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtMath>

namespace resonex::gui {

namespace {

// The coupling at the tap in use, its modes and the height for a typed k.
QString couplingSentence(const CouplingResultTexts& texts) {
    QString text = texts.whyNoTap.isEmpty()
                       ? QStringLiteral("Tap in use, from ") + texts.tapListing +
                             QStringLiteral(": turn ") + texts.tapTurn + QStringLiteral(". k = ") +
                             texts.k + QStringLiteral(", coupled modes ") + texts.modes + u'.'
                       : QStringLiteral("No tap in use: ") + texts.whyNoTap + u'.';
    if (!texts.targetK.isEmpty())
        text += texts.whyNoHeight.isEmpty()
                    ? QStringLiteral(" Inner turn at ") + texts.heightForK +
                          QStringLiteral(" for k = ") + texts.targetK + u'.'
                    : QStringLiteral(" No height gives k = ") + texts.targetK +
                          QStringLiteral(": ") + texts.whyNoHeight + u'.';
    return text;
}

} // namespace

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
    showNote(*refusalNote(QStringLiteral("lblRefused"), *rows), QString());
    // Only a cone's angle is typed.
    connect(conicalButton(), &QRadioButton::toggled, inputBox(Input::PriAngle),
            &QWidget::setEnabled);

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
    m_lblCoupling = label(QStringLiteral("lblCoupling"), QString());
    m_lblCoupling->setWordWrap(true);
    m_lblCoupling->setMinimumHeight(3 * m_lblCoupling->fontMetrics().lineSpacing());
    m_lblCoupling->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblCoupling->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
        // The primary as built lists k too.
        qCeil(metrics.horizontalAdvance(QStringLiteral(" Turn 60 00000.00uH  k 0.0000"))) +
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
    outputLayout->addWidget(m_lblCoupling);
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
    inputBox(Input::PriAngle)->setEnabled(conicalButton()->isChecked());
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
        // A value taken from another calculation may have moved with the
        // entries (the loaded frequency with the primary's own turns).
        for (const Choice& choice : m_choices)
            showChoice(choice);
        showResults();
    });
}

void frmPriCoilCalcs::showResults() {
    const CPrimary& primary = doc().primary();
    // The model ends its lines the way its file does.
    m_txtLPerTurn->setPlainText(
        QString(primary.LPerTurn()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_lblResults->setText(primary.Results());
    m_picTuning->setCurve(tuningCurveOfDesign(doc()));
    const std::optional<CouplingResults>& coupling = doc().results().coupling();
    if (!coupling) {
        m_lblCoupling->clear();
        return;
    }
    const CouplingResultTexts texts = couplingResultTexts(*coupling, doc().settings().UseMetric());
    m_lblCoupling->setText(couplingSentence(texts));
    // A primary built otherwise lists its own turns, each with its k.
    if (!classicGeometry(doc().added()))
        m_txtLPerTurn->setPlainText(texts.listing.join(u'\n'));
}

QRadioButton* frmPriCoilCalcs::conicalButton() const {
    return choiceButton(Input::PriShape, qsizetype(physics::PrimaryShape::Conical));
}

void frmPriCoilCalcs::clearResults() {
    m_txtLPerTurn->clear();
    m_lblResults->clear();
    m_lblCoupling->clear();
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
