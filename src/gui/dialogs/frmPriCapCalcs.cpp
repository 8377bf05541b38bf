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
    const QList<QWidget*> boxes =
        addInputRows(Calculation::Transformer, *new QGridLayout(transformer));

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
    setTabOrder(boxes + QList<QWidget*>{cmdCalculate, ok});

    ShowInputs();
    quietly([this] { ShowOutput(); });
}

void frmPriCapCalcs::ShowInputs() {
    const int hertz = CTransformer::mainsFrequency(doc().settings().Use50Hz());
    m_lblOutPar->setText(
        QStringLiteral("Primary Capacitor Required to Form a Resonant Circuit at %1Hz with Neon "
                       "Transformers")
            .arg(hertz));
    showEntries(Calculation::Transformer);
}

void frmPriCapCalcs::ShowOutput() {
    if (transformerCalculated(doc().transformer()))
        m_txtCap->setText(matchedCapacitanceText(doc().transformer()));
}

void frmPriCapCalcs::cmd_Calculate_Click() {
    calculate([this] {
        calculateTransformer(doc(), typedEntries(Calculation::Transformer));
        ShowInputs();
        ShowOutput();
    });
}

} // namespace resonex::gui
