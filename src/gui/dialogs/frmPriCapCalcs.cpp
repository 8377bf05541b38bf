#include "gui/dialogs/frmPriCapCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/results/DesignInformation.h"
#include "core/settings/CSettings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace resonex::gui {

frmPriCapCalcs::frmPriCapCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmPriCapCalcs"),
                   QStringLiteral("Primary Transformer / Capacitor Matching"), parent) {
    QGroupBox* transformer = frame(QStringLiteral("Frame2"), QStringLiteral("Neon Transformer"));
    auto* rows = new QGridLayout(transformer);
    m_txtSecVol = inputBox(QStringLiteral("txtSecVol"));
    m_txtSecCur = inputBox(QStringLiteral("txtSecCur"));
    m_txtNum = inputBox(QStringLiteral("txtNum"));
    addRow(*rows, label(QStringLiteral("Label1"), QStringLiteral("Secondary Voltage")), m_txtSecVol,
           label(QStringLiteral("Label5"), QStringLiteral("kV")));
    addRow(*rows, label(QStringLiteral("Label2"), QStringLiteral("Secondary Current")), m_txtSecCur,
           label(QStringLiteral("Label6"), QStringLiteral("mA")));
    addRow(*rows, label(QStringLiteral("Label3"), QStringLiteral("No. of Transformers")), m_txtNum);

    QGroupBox* inputs = frame(QStringLiteral("Frame1"), QStringLiteral("Input Parameters"));
    (new QVBoxLayout(inputs))->addWidget(transformer);

    const auto [cmdCalculate, ok] = calculationButtons([this] { cmd_Calculate_Click(); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdCalculate);
    buttons->addWidget(ok);
    buttons->addStretch();

    QGroupBox* outputs = frame(QStringLiteral("Frame3"), QStringLiteral("Output Parameters"));
    auto* output = new QHBoxLayout(outputs);
    m_lblOutPar = label(QStringLiteral("lblOutPar"), QString());
    m_lblOutPar->setWordWrap(true);
    m_txtCap = outputBox(QStringLiteral("txtCap"));
    output->addWidget(m_lblOutPar, 1);
    output->addWidget(m_txtCap);
    output->addWidget(label(QStringLiteral("Label7"), QStringLiteral("uF")));

    auto* top = new QHBoxLayout;
    top->addWidget(inputs, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(outputs);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder({m_txtSecVol, m_txtSecCur, m_txtNum, cmdCalculate, ok});

    ShowInputs();
    quietly([this] { ShowOutput(); });
}

void frmPriCapCalcs::ShowInputs() {
    const int hertz = CTransformer::mainsFrequency(doc().settings().Use50Hz());
    m_lblOutPar->setText(
        QStringLiteral("Primary Capacitor Required to Form a Resonant Circuit at %1Hz with Neon "
                       "Transformers")
            .arg(hertz));
    const CTransformer& transformer = doc().transformer();
    fillBox(*m_txtSecVol, transformer.SecVolEntry());
    fillBox(*m_txtSecCur, transformer.SecCurEntry());
    fillBox(*m_txtNum, transformer.Num());
}

void frmPriCapCalcs::ShowOutput() {
    if (transformerCalculated(doc().transformer()))
        m_txtCap->setText(matchedCapacitanceText(doc().transformer()));
}

void frmPriCapCalcs::cmd_Calculate_Click() {
    calculate(
        [this] {
            calculateTransformer(doc(), m_txtSecVol->text(), m_txtSecCur->text(), m_txtNum->text());
            ShowInputs();
            ShowOutput();
        },
        {{errors::TransformerSecVol, m_txtSecVol},
         {errors::TransformerSecCur, m_txtSecCur},
         {errors::TransformerNum, m_txtNum}});
}

} // namespace resonex::gui
