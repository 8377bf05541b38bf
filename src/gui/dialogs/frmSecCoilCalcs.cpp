#include "gui/dialogs/frmSecCoilCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/model/CSecondary.h"
#include "core/model/Calculated.h"
#include "core/results/SecondaryResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace resonex::gui {

frmSecCoilCalcs::frmSecCoilCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmSecCoilCalcs"),
                   QStringLiteral("Secondary Coil Calculations"), parent) {
    const auto caption = [&](int index, const char* text) {
        return label(QStringLiteral("Label1%1").arg(index), QString::fromLatin1(text));
    };

    QGroupBox* inputs = frame(QStringLiteral("Frame1"), QStringLiteral("Input Parameters"));
    auto* inputGrid = new QGridLayout(inputs);
    const QList<QWidget*> boxes = addInputRows(Calculation::Secondary, *inputGrid);

    QGroupBox* outputs = frame(QStringLiteral("Frame2"), QStringLiteral("Output Parameters"));
    auto* outputGrid = new QGridLayout(outputs);
    m_txtAspectRatio = outputBox(QStringLiteral("txtAspectRatio"));
    m_txtTurns = outputBox(QStringLiteral("txtTurns"));
    m_txtWireLength = outputBox(QStringLiteral("txtWireLength"));
    m_txtL = outputBox(QStringLiteral("txtL"));
    m_txtNatFr = outputBox(QStringLiteral("txtNatFr"));
    m_txtQuarWaveFr = outputBox(QStringLiteral("txtQuarWaveFr"));
    m_txtSelfC = outputBox(QStringLiteral("txtSelfC"));
    m_txtTorC = outputBox(QStringLiteral("txtTorC"));
    const auto resultUnit = [&](int index, const char* text) {
        return label(QStringLiteral("Label2%1").arg(index), QString::fromLatin1(text));
    };
    addRow(*outputGrid, caption(11, "Aspect Ratio"), m_txtAspectRatio);
    addRow(*outputGrid, caption(4, "Secondary Turns"), m_txtTurns);
    addRow(*outputGrid, caption(5, "Secondary Wire Length"), m_txtWireLength,
           label(QStringLiteral("lblOutputUnit"), wireUnit(doc().settings().UseMetric()).word()));
    addRow(*outputGrid, caption(6, "Secondary Inductance"), m_txtL, resultUnit(5, "mH"));
    addRow(*outputGrid, caption(7, "Approximate Resonant Frequency"), m_txtNatFr,
           resultUnit(7, "kHz"));
    // Two captions take two lines, as designed.
    QLabel* quarterWave = caption(8, "Secondary Quarter Wavelength Resonant Frequency");
    quarterWave->setWordWrap(true);
    addRow(*outputGrid, quarterWave, m_txtQuarWaveFr, resultUnit(8, "kHz"));
    addRow(*outputGrid, caption(9, "Secondary Self Capacitance"), m_txtSelfC, resultUnit(9, "pF"));
    QLabel* toroid = caption(10, "Toroid Capacitance Required to Form Quarter Wavelength Coil");
    toroid->setWordWrap(true);
    addRow(*outputGrid, toroid, m_txtTorC, resultUnit(10, "pF"));
    alignColumns({inputGrid, outputGrid});

    const CalculationButtons buttons = calculationButtons([this] { cmd_Calculate_Click(); });
    layOutBesideButtons({inputs, outputs}, buttons);
    setTabOrder(boxes + QList<QWidget*>{buttons.calculate, buttons.ok});

    showEntries(Calculation::Secondary);
    // A result too large for its display unit leaves the boxes empty.
    quietly([this] {
        if (secondaryCalculated(doc().secondary()))
            UpdateOutputText();
    });
}

void frmSecCoilCalcs::UpdateOutputText() {
    const SecondaryResultTexts results = secondaryResultTexts(doc().secondary());
    m_txtAspectRatio->setText(results.aspectRatio);
    m_txtTurns->setText(results.turns);
    m_txtWireLength->setText(results.wireLength);
    m_txtQuarWaveFr->setText(results.quarWaveFr);
    m_txtNatFr->setText(results.natFr);
    m_txtL->setText(results.l);
    m_txtSelfC->setText(results.selfC);
    m_txtTorC->setText(results.torC);
}

void frmSecCoilCalcs::cmd_Calculate_Click() {
    calculate([this] {
        calculateSecondary(doc(), typedEntries(Calculation::Secondary));
        showEntries(Calculation::Secondary);
        UpdateOutputText();
    });
}

} // namespace resonex::gui
