#include "gui/dialogs/frmTopLoadCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace resonex::gui {

namespace {

enum class ResultUnit { Picofarads, Kilohertz, Length };

// The results, top to bottom: box, caption and unit, the text shown, and what
// the figure means where it could be taken for another.
struct ResultRow {
    const char* boxName;
    const char* captionName;
    const char* caption;
    ResultUnit unit;
    QString TopLoadResultTexts::*text;
    const char* toolTip = nullptr;
};

const ResultRow kResultRows[] = {
    {"txtFreeC", "lblFreeC", "Top Load Capacitance in Free Space", ResultUnit::Picofarads,
     &TopLoadResultTexts::freeC,
     "The top load alone, far from everything: it does not depend on the coil."},
    {"txtInPlaceC", "lblInPlaceC", "Capacitance the Top Load Adds to the Coil",
     ResultUnit::Picofarads, &TopLoadResultTexts::inPlaceC,
     "The top load's capacitance in place: what it adds to the coil's effective capacitance,\n"
     "the shielding of the top turns included. This is what sets the loaded frequency.\n"
     "Tools that give the charge on the top load instead report the figure below,\n"
     "often about twice as much."},
    {"txtChargeC", "lblChargeC", "Top Load Charge over the Top Voltage", ResultUnit::Picofarads,
     &TopLoadResultTexts::chargeC,
     "The charge on the top load divided by the top voltage, the coil running loaded:\n"
     "what other tools call the top load's capacitance in place. Part of that charge is\n"
     "only drawn from the top turns, so the coil's capacitance grows by the figure above,\n"
     "not by this one."},
    {"txtCoilC", "lblCoilC", "Bare Winding Capacitance (Field Solution)", ResultUnit::Picofarads,
     &TopLoadResultTexts::coilC,
     "The bare winding's effective capacitance above the floor, from the field solution\n"
     "at the base height entered. The Secondary Coil dialog's Secondary Self Capacitance\n"
     "comes from the classic formula and is not the same figure."},
    {"txtBareFr", "lblBareFr", "Resonant Frequency Without Top Load", ResultUnit::Kilohertz,
     &TopLoadResultTexts::bareFr},
    {"txtLoadedFr", "lblLoadedFr", "Resonant Frequency With Top Load", ResultUnit::Kilohertz,
     &TopLoadResultTexts::loadedFr},
    {"txtTorCDia", "lblTorCDia", "Toroid for the Quarter Wavelength Frequency", ResultUnit::Length,
     &TopLoadResultTexts::torCDia},
    {"txtTorCTube", "lblTorCTube", "    its Tube Diameter", ResultUnit::Length,
     &TopLoadResultTexts::torCTube},
    {"txtTargetDia", "lblTargetDia", "Toroid for the Frequency Entered", ResultUnit::Length,
     &TopLoadResultTexts::targetDia},
    {"txtTargetTube", "lblTargetTube", "    its Tube Diameter", ResultUnit::Length,
     &TopLoadResultTexts::targetTube},
};

} // namespace

frmTopLoadCalcs::frmTopLoadCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmTopLoadCalcs"),
                   QStringLiteral("Top Load Calculations"), parent) {
    const QString lengths = designUnit(doc().settings().UseMetric()).word();
    const auto caption = [&](const char* name, const char* text) {
        return label(QString::fromLatin1(name), QString::fromLatin1(text));
    };

    QGroupBox* shape = frame(QStringLiteral("Frame1"), QStringLiteral("Top Load Shape"));
    auto* shapeLayout = new QHBoxLayout(shape);
    QList<QWidget*> order;
    for (const ShapeChoice& choice : topLoadShapes()) {
        auto* button = new QRadioButton(QLatin1String(choice.caption), this);
        button->setObjectName(QLatin1String(choice.buttonName));
        shapeLayout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this] { optShape_Click(); });
        m_shapes.emplace_back(button, choice.shape);
        order << button;
    }
    shapeLayout->addStretch();

    QGroupBox* inputs = frame(QStringLiteral("Frame2"), QStringLiteral("Input Parameters"));
    auto* inputGrid = new QGridLayout(inputs);
    order << addInputRows(Calculation::TopLoad, *inputGrid);
    QLabel* refused = refusalNote(QStringLiteral("lblRefused"), *inputGrid);

    QGroupBox* surroundings = frame(QStringLiteral("Frame4"), QStringLiteral("Surroundings"));
    auto* surroundingsGrid = new QGridLayout(surroundings);
    order << addInputRows(Calculation::TopLoad, *surroundingsGrid, Rows::Surroundings);
    // A refusal of the surroundings is told under them.
    QLabel* refusedAround = refusalNote(QStringLiteral("lblRefusedAround"), *surroundingsGrid);

    QGroupBox* outputs = frame(QStringLiteral("Frame3"), QStringLiteral("Output Parameters"));
    auto* outputGrid = new QGridLayout(outputs);
    m_lblNotCalculated = note(QStringLiteral("lblNotCalculated"), *outputGrid);
    const QString picofarads = QStringLiteral("pF");
    const QString kilohertz = QStringLiteral("kHz");
    const QString* units[] = {&picofarads, &kilohertz, &lengths};
    for (const ResultRow& row : kResultRows) {
        QLineEdit* box = outputBox(QString::fromLatin1(row.boxName));
        const QString unitName = QStringLiteral("lblOutputUnit%1").arg(m_results.size() + 1);
        QLabel* rowCaption = caption(row.captionName, row.caption);
        addRow(*outputGrid, rowCaption, box, label(unitName, *units[int(row.unit)]));
        if (row.toolTip) {
            rowCaption->setToolTip(QString::fromLatin1(row.toolTip));
            box->setToolTip(rowCaption->toolTip());
        }
        m_results.emplace_back(box, row.text);
    }
    m_lblNoToroid = note(QStringLiteral("lblNoToroid"), *outputGrid);
    alignColumns({inputGrid, surroundingsGrid, outputGrid});
    for (QLabel* told : {refused, refusedAround, m_lblNotCalculated, m_lblNoToroid})
        showNote(*told, QString());

    const CalculationButtons buttons = calculationButtons([this] { cmd_Calculate_Click(); });
    // The results beside the entries, so that the dialog stays within a
    // screen's height.
    layOutBesideButtons({{shape, inputs, surroundings}, {outputs}}, buttons);
    setTabOrder(order << buttons.calculate << buttons.ok);

    UpdateInputText();
    // Tab reaches a group of option buttons at its ticked one.
    shapeButton(checkedShape())->setFocus();
    // A result too large for its display unit leaves the boxes empty.
    quietly([this] { UpdateOutputText(); });
}

void frmTopLoadCalcs::UpdateInputText() {
    shapeButton(doc().topLoad().shape())->setChecked(true);
    showEntries(Calculation::TopLoad);
}

void frmTopLoadCalcs::UpdateOutputText() {
    const TopLoadResultTexts results = topLoadResultTexts(doc().topLoad(), doc().topLoadResults());
    showNote(*m_lblNotCalculated, results.absent);
    for (const auto& [box, text] : m_results)
        box->setText(results.*text);
    showNote(*m_lblNoToroid, results.noToroid);
}

void frmTopLoadCalcs::optShape_Click() {
    const CTopLoad::Shape shape = checkedShape();
    for (const DesignInput* input : inputsOf(Calculation::TopLoad))
        inputBox(input->input)->setEnabled(CTopLoad::takes(shape, input->input));
}

CTopLoad::Shape frmTopLoadCalcs::checkedShape() const {
    for (const auto& [button, shape] : m_shapes)
        if (button->isChecked())
            return shape;
    return CTopLoad::Shape::None;
}

QRadioButton* frmTopLoadCalcs::shapeButton(CTopLoad::Shape shape) const {
    for (const auto& [button, buttonShape] : m_shapes)
        if (buttonShape == shape)
            return button;
    Q_UNREACHABLE();
}

void frmTopLoadCalcs::cmd_Calculate_Click() {
    calculate(
        [&] {
            calculateTopLoad(doc(), checkedShape(), typedEntries(Calculation::TopLoad));
            UpdateInputText();
            UpdateOutputText();
        },
        {{errors::TopLoadClearance, Input::TopHeight}});
}

} // namespace resonex::gui
