#include "gui/dialogs/frmTopLoadCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
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

// The toroids' boxes, below the figures: box, caption and the text shown.
struct ToroidRow {
    const char* boxName;
    const char* captionName;
    const char* caption;
    QString ToroidTexts::*text;
};

const ToroidRow kToroidRows[] = {
    {"txtTorCDia", "lblTorCDia", "Toroid for the Quarter Wavelength Frequency",
     &ToroidTexts::torCDia},
    {"txtTorCTube", "lblTorCTube", "    its Tube Diameter", &ToroidTexts::torCTube},
    {"txtTargetDia", "lblTargetDia", "Toroid for the Frequency Entered", &ToroidTexts::targetDia},
    {"txtTargetTube", "lblTargetTube", "    its Tube Diameter", &ToroidTexts::targetTube},
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
    const bool metric = doc().settings().UseMetric();
    const auto addRowOf = [&](const char* boxName, const char* captionName, const char* text,
                              const QString& unit) {
        QLineEdit* box = outputBox(QString::fromLatin1(boxName));
        const QString unitName =
            QStringLiteral("lblOutputUnit%1").arg(m_figures.size() + m_toroids.size() + 1);
        QLabel* rowCaption = caption(captionName, text);
        addRow(*outputGrid, rowCaption, box, label(unitName, unit));
        return std::pair(rowCaption, box);
    };
    for (const Figure<TopLoadResults>& figure : topLoadFigures()) {
        if (!figure.boxName)
            continue; // the toroids' sizes are two boxes each, below
        const auto [rowCaption, box] = addRowOf(figure.boxName, figure.captionName, figure.caption,
                                                shownUnit(figure.shown, metric));
        if (figure.toolTip) {
            rowCaption->setToolTip(QString::fromLatin1(figure.toolTip));
            box->setToolTip(rowCaption->toolTip());
        }
        m_figures.emplace_back(&figure, box);
    }
    for (const ToroidRow& row : kToroidRows)
        m_toroids.emplace_back(addRowOf(row.boxName, row.captionName, row.caption, lengths).second,
                               row.text);
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
    const TopLoadResults& results = doc().results().topLoad();
    const ToroidTexts texts = toroidTexts(results);
    showNote(*m_lblNotCalculated, texts.absent);
    const bool metric = doc().settings().UseMetric();
    for (const auto& [figure, box] : m_figures)
        box->setText(figureNumber(*figure, results, metric));
    for (const auto& [toroidBox, text] : m_toroids)
        toroidBox->setText(texts.*text);
    showNote(*m_lblNoToroid, texts.noToroid);
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
