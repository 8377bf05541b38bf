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

struct frmPriCoilCalcs::ChoiceDescription {
    const char* boxName;
    const char* caption;
    // Its value among the model's choices, and the setting that keeps it.
    qint16 PrimaryChoices::*value;
    void (CSettings::*keep)(qint16);
    // The entry box it fills, and the input that box holds. The box is
    // offered once the source has a value (canUse); one not offered leaves
    // its setting alone.
    QLineEdit* frmPriCoilCalcs::*text;
    PrimaryInput input;
};

const frmPriCoilCalcs::ChoiceDescription frmPriCoilCalcs::kChoiceDescriptions[] = {
    {"chkUsePriC", "Primary Circuit Capacitor", &PrimaryChoices::usePriC, &CSettings::setUsePriC,
     &frmPriCoilCalcs::m_txtC, PrimaryInput::Capacitance},
    {"chkUseSecFr", "Secondary Coil  Resonant Frequency", &PrimaryChoices::useSecFr,
     &CSettings::setUseSecFr, &frmPriCoilCalcs::m_txtFr, PrimaryInput::Frequency},
    {"chkUseSecDia", "Secondary Coil Diameter", &PrimaryChoices::useSecDia,
     &CSettings::setUseSecDia, &frmPriCoilCalcs::m_txtSecDia, PrimaryInput::SecondaryDiameter},
    {"chkUseTopFr", "Secondary Coil with Top Load", &PrimaryChoices::useTopFr,
     &CSettings::setUseTopFr, &frmPriCoilCalcs::m_txtFr, PrimaryInput::Frequency},
};

frmPriCoilCalcs::frmPriCoilCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmPriCoilCalcs"),
                   QStringLiteral("Primary Coil Calculations"), parent) {
    QGroupBox* use = frame(QStringLiteral("Frame2"), QStringLiteral("Use Design Information"));
    auto* useLayout = new QVBoxLayout(use);
    for (const ChoiceDescription& description : kChoiceDescriptions) {
        auto* box = new QCheckBox(QString::fromLatin1(description.caption), this);
        box->setObjectName(QString::fromLatin1(description.boxName));
        useLayout->addWidget(box);
        const Choice choice{&description, box};
        m_choices.push_back(choice);
        connect(box, &QCheckBox::clicked, this,
                [this, choice] { quietly([&] { chkUse_Click(choice); }); });
    }

    m_txtC = inputBox(QStringLiteral("txtC"));
    m_txtFr = inputBox(QStringLiteral("txtFr"));
    m_txtSecDia = inputBox(QStringLiteral("txtSecDia"));
    m_txtConDia = inputBox(QStringLiteral("txtConDia"));
    m_txtConSpa = inputBox(QStringLiteral("txtConSpa"));
    m_txtSecSep = inputBox(QStringLiteral("txtSecSep"));
    const QString lengths = designUnit(doc().settings().UseMetric()).word();
    auto* rows = new QGridLayout;
    const auto row = [&](const char* captionName, const char* caption, QLineEdit* box,
                         const QString& unitName, const QString& unit) {
        QLabel* text = label(QString::fromLatin1(captionName), QString::fromLatin1(caption));
        addRow(*rows, text, box, label(unitName, unit));
        return text;
    };
    row("Label2", "Primary Capacitance", m_txtC, QStringLiteral("Label82"), QStringLiteral("uF"));
    row("Label3", "Primary Resonant Frequency", m_txtFr, QStringLiteral("Label81"),
        QStringLiteral("kHz"));
    row("Label4", "Secondary Coil Diameter", m_txtSecDia, QStringLiteral("lblInputUnits1"),
        lengths);
    row("Label5", "Primary Conductor Diameter", m_txtConDia, QStringLiteral("lblInputUnits2"),
        lengths);
    row("Label6", "Primary Turn to Turn Spacing", m_txtConSpa, QStringLiteral("lblInputUnits3"),
        lengths);
    // The last caption takes two lines, as designed.
    row("Label7", "Spacing Between the Secondary and the Inside Turn of the Primary", m_txtSecSep,
        QStringLiteral("lblInputUnits4"), lengths)
        ->setWordWrap(true);
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
    QList<QWidget*> order{m_txtC, m_txtFr, m_txtSecDia, m_txtConDia, m_txtConSpa, m_txtSecSep};
    for (const Choice& choice : m_choices)
        order << choice.box;
    setTabOrder(order << cmdCalculate << ok);

    quietly([this] { load(); });
}

void frmPriCoilCalcs::load() {
    const PrimaryChoices offered = offeredChoices(doc());
    for (const Choice& choice : m_choices) {
        const ChoiceDescription& description = *choice.description;
        choice.box->setEnabled(canUse(doc(), description.value));
        // Of two choices for one input, the first ticked is the one the
        // primary takes.
        choice.box->setChecked(offered.*description.value == 1 && !takenBefore(choice));
        showChoice(choice);
    }
    const CPrimary& primary = doc().primary();
    fillBox(*m_txtConDia, primary.ConDiaEntry());
    fillBox(*m_txtConSpa, primary.ConSpaEntry());
    fillBox(*m_txtSecSep, primary.SecSepEntry());
    if (primaryCalculated(primary))
        showResults();
}

bool frmPriCoilCalcs::takenBefore(const Choice& choice) const {
    for (const Choice& other : m_choices) {
        if (other.box == choice.box)
            return false;
        if (other.description->input == choice.description->input && other.box->isChecked())
            return true;
    }
    return false;
}

void frmPriCoilCalcs::showChoice(const Choice& choice) {
    const PrimaryInput input = choice.description->input;
    QLineEdit& text = *(this->*choice.description->text);
    // A disabled box is out of the keyboard order as well.
    text.setEnabled(takesEntry(input, ticked()));
    fillBox(text, shownEntry(doc(), input, ticked()));
}

void frmPriCoilCalcs::chkUse_Click(const Choice& choice) {
    // One box fills one input: ticking it clears the others for that input.
    if (choice.box->isChecked())
        for (const Choice& other : m_choices)
            if (other.box != choice.box && other.description->input == choice.description->input)
                other.box->setChecked(false);
    showChoice(choice);
    doc().primary().setCalcsInvalid(true);
    clearResults();
}

PrimaryChoices frmPriCoilCalcs::ticked() const {
    PrimaryChoices choices;
    for (const Choice& choice : m_choices)
        choices.*choice.description->value = choice.box->isChecked() ? 1 : 0;
    return choices;
}

void frmPriCoilCalcs::cmd_Calculate_Click() {
    calculate(
        [this] {
            calculatePrimary(doc(), ticked(),
                             {m_txtC->text(), m_txtFr->text(), m_txtSecDia->text(),
                              m_txtConDia->text(), m_txtConSpa->text(), m_txtSecSep->text()},
                             prompts());
            showResults();
        },
        {{errors::PrimaryC, m_txtC},
         {errors::PrimaryFr, m_txtFr},
         {errors::PrimaryConDia, m_txtConDia},
         {errors::PrimarySecDia, m_txtSecDia},
         {errors::PrimaryConSpa, m_txtConSpa},
         {errors::PrimarySecSep, m_txtSecSep}});
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
    for (const Choice& choice : m_choices) {
        const ChoiceDescription& description = *choice.description;
        if (choice.box->isEnabled())
            (settings.*description.keep)(choices.*description.value);
    }
}

} // namespace resonex::gui
