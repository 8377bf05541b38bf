#include "gui/dialogs/frmTopLoadCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/TopLoadResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/settings/UnitWords.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace resonex::gui {

namespace {

const char* const kSecondaryFirst = "The secondary coil must be calculated first.";

enum class ResultUnit { Picofarads, Kilohertz, Length };

// The results, top to bottom: box, caption and unit, and the text shown.
struct ResultRow {
    const char* boxName;
    const char* captionName;
    const char* caption;
    ResultUnit unit;
    QString TopLoadResultTexts::*text;
};

const ResultRow kResultRows[] = {
    {"txtFreeC", "lblFreeC", "Top Load Capacitance in Free Space", ResultUnit::Picofarads,
     &TopLoadResultTexts::freeC},
    {"txtInPlaceC", "lblInPlaceC", "Top Load Capacitance in Place on the Coil",
     ResultUnit::Picofarads, &TopLoadResultTexts::inPlaceC},
    {"txtCoilC", "lblCoilC", "Secondary Coil Self Capacitance", ResultUnit::Picofarads,
     &TopLoadResultTexts::coilC},
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
    const QString lengths = lengthUnit(doc().settings().UseMetric());
    const auto unit = [&](const char* name, const QString& text) {
        return label(QString::fromLatin1(name), text);
    };
    const auto caption = [&](const char* name, const char* text) {
        return label(QString::fromLatin1(name), QString::fromLatin1(text));
    };

    QGroupBox* shape = frame(QStringLiteral("Frame1"), QStringLiteral("Top Load Shape"));
    auto* shapeLayout = new QHBoxLayout(shape);
    const auto option = [&](const char* name, const char* text) {
        auto* button = new QRadioButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        shapeLayout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this] { optShape_Click(); });
        return button;
    };
    m_optToroid = option("optToroid", "&Toroid");
    m_optSphere = option("optSphere", "&Sphere");
    m_optNoTopLoad = option("optNoTopLoad", "&No Top Load");
    shapeLayout->addStretch();

    QGroupBox* inputs = frame(QStringLiteral("Frame2"), QStringLiteral("Input Parameters"));
    auto* inputGrid = new QGridLayout(inputs);
    m_txtTopDia = inputBox(QStringLiteral("txtTopDia"));
    m_txtTubeDia = inputBox(QStringLiteral("txtTubeDia"));
    m_txtTopHeight = inputBox(QStringLiteral("txtTopHeight"));
    m_txtBaseHeight = inputBox(QStringLiteral("txtBaseHeight"));
    m_txtTargetFr = inputBox(QStringLiteral("txtTargetFr"));
    addRow(*inputGrid, caption("lblTopDia", "Overall Diameter of Top Load"), m_txtTopDia,
           unit("lblInputUnits1", lengths));
    addRow(*inputGrid, caption("lblTubeDia", "Tube Diameter of Toroid"), m_txtTubeDia,
           unit("lblInputUnits2", lengths));
    addRow(*inputGrid, caption("lblTopHeight", "Height of its Centre Above the Winding"),
           m_txtTopHeight, unit("lblInputUnits3", lengths));
    addRow(*inputGrid, caption("lblBaseHeight", "Height of the Winding's Base Above the Floor"),
           m_txtBaseHeight, unit("lblInputUnits4", lengths));
    addRow(*inputGrid, caption("lblTargetFr", "Frequency to Size a Toroid for (optional)"),
           m_txtTargetFr, unit("lblTargetFrUnit", QStringLiteral("kHz")));

    QGroupBox* outputs = frame(QStringLiteral("Frame3"), QStringLiteral("Output Parameters"));
    auto* outputGrid = new QGridLayout(outputs);
    m_lblNotCalculated = label(QStringLiteral("lblNotCalculated"), QString());
    // Its line is kept while empty, so that nothing moves when it is told.
    m_lblNotCalculated->setMinimumHeight(m_lblNotCalculated->fontMetrics().lineSpacing());
    outputGrid->addWidget(m_lblNotCalculated, 0, 0, 1, 3);
    const QString picofarads = QStringLiteral("pF");
    const QString kilohertz = QStringLiteral("kHz");
    const QString* units[] = {&picofarads, &kilohertz, &lengths};
    for (const ResultRow& row : kResultRows) {
        QLineEdit* box = outputBox(QString::fromLatin1(row.boxName));
        const QString unitName = QStringLiteral("lblOutputUnit%1").arg(m_results.size() + 1);
        addRow(*outputGrid, caption(row.captionName, row.caption), box,
               label(unitName, *units[int(row.unit)]));
        m_results.push_back({box, row.text});
    }
    alignColumns({inputGrid, outputGrid});

    const CalculationButtons buttons = calculationButtons([this] { cmd_Calculate_Click(); });
    layOutBesideButtons({shape, inputs, outputs}, buttons);
    setTabOrder({m_optToroid, m_optSphere, m_optNoTopLoad, m_txtTopDia, m_txtTubeDia,
                 m_txtTopHeight, m_txtBaseHeight, m_txtTargetFr, buttons.calculate, buttons.ok});

    UpdateInputText();
    // Tab reaches a group of option buttons at its ticked one.
    checkedShape()->setFocus();
    // A result too large for its display unit leaves the boxes empty.
    quietly([this] { UpdateOutputText(); });
}

void frmTopLoadCalcs::UpdateInputText() {
    const CTopLoad& topLoad = doc().topLoad();
    m_optToroid->setChecked(topLoad.shape() == CTopLoad::Shape::Toroid);
    m_optSphere->setChecked(topLoad.shape() == CTopLoad::Shape::Sphere);
    m_optNoTopLoad->setChecked(!topLoad.isSet());
    fillBox(*m_txtTopDia, topLoad.TopDiaEntry());
    fillBox(*m_txtTubeDia, topLoad.TubeDiaEntry());
    fillBox(*m_txtTopHeight, topLoad.TopHeightEntry());
    fillBox(*m_txtBaseHeight, topLoad.BaseHeightEntry());
    fillBox(*m_txtTargetFr, topLoad.TargetFrEntry());
}

void frmTopLoadCalcs::UpdateOutputText() {
    const CSecondary& secondary = doc().secondary();
    const TopLoadResultTexts results =
        topLoadResultTexts(doc().topLoad(), secondary, doc().settings().UseMetric());
    m_lblNotCalculated->setText(secondary.Turns() == 0 ? QString::fromLatin1(kSecondaryFirst)
                                                       : QString());
    for (const auto& [box, text] : m_results)
        box->setText(results.*text);
}

void frmTopLoadCalcs::optShape_Click() { m_txtTubeDia->setEnabled(m_optToroid->isChecked()); }

QRadioButton* frmTopLoadCalcs::checkedShape() const {
    return m_optToroid->isChecked()   ? m_optToroid
           : m_optSphere->isChecked() ? m_optSphere
                                      : m_optNoTopLoad;
}

void frmTopLoadCalcs::cmd_Calculate_Click() {
    const QRadioButton* checked = checkedShape();
    const CTopLoad::Shape shape = checked == m_optToroid   ? CTopLoad::Shape::Toroid
                                  : checked == m_optSphere ? CTopLoad::Shape::Sphere
                                                           : CTopLoad::Shape::None;
    calculate(
        [&] {
            calculateTopLoad(doc(), {shape, m_txtTopDia->text(), m_txtTubeDia->text(),
                                     m_txtTopHeight->text(), m_txtBaseHeight->text(),
                                     m_txtTargetFr->text()});
            UpdateInputText();
            UpdateOutputText();
        },
        {{errors::TopLoadTopDia, m_txtTopDia},
         {errors::TopLoadTubeDia, m_txtTubeDia},
         {errors::TopLoadTopHeight, m_txtTopHeight},
         {errors::TopLoadBaseHeight, m_txtBaseHeight},
         {errors::TopLoadTargetFr, m_txtTargetFr}});
}

} // namespace resonex::gui
