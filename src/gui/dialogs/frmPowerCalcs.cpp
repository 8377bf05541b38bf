#include "gui/dialogs/frmPowerCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/results/PowerResultTexts.h"
#include "core/settings/CSettings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace resonex::gui {

namespace {

// Enough rows and width to show every figure without a scroll bar at any
// font size the dialog is laid out in.
constexpr int kShownRows = 26;
constexpr int kLabelColumnChars = 64;
constexpr int kValueColumnChars = 52;

} // namespace

frmPowerCalcs::frmPowerCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmPowerCalcs"),
                   QStringLiteral("Power and Capacitor Bank"), parent) {
    QGroupBox* inputs = frame(QStringLiteral("Frame1"), QStringLiteral("Input Parameters"));
    auto* rows = new QGridLayout(inputs);
    const QList<QWidget*> boxes = addInputRows(Calculation::Power, *rows);
    alignColumns({rows});
    const QRadioButton* async = choiceButton(Input::Gap, qsizetype(physics::Gap::Asynchronous));
    connect(async, &QRadioButton::toggled, this, [this] { showBpsTaken(); });

    QGroupBox* outputs = frame(QStringLiteral("Frame2"), QStringLiteral("Output Parameters"));
    m_lstPower = new QTableWidget(0, 2, outputs);
    m_lstPower->setObjectName(QStringLiteral("lstPower"));
    m_lstPower->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstPower->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstPower->horizontalHeader()->hide();
    m_lstPower->verticalHeader()->hide();
    m_lstPower->setWordWrap(true);
    m_lstPower->setShowGrid(false);
    const int charWidth = fontMetrics().averageCharWidth();
    m_lstPower->setColumnWidth(0, kLabelColumnChars * charWidth);
    m_lstPower->setColumnWidth(1, kValueColumnChars * charWidth);
    m_lstPower->setMinimumSize((kLabelColumnChars + kValueColumnChars + 2) * charWidth,
                               kShownRows * (fontMetrics().height() + 6));
    (new QVBoxLayout(outputs))->addWidget(m_lstPower);

    const CalculationButtons buttons = calculationButtons([this] { cmd_Calculate_Click(); });
    // Side by side: the figures need the height more than the width.
    layOutBesideButtons(std::initializer_list<std::initializer_list<QWidget*>>{{inputs}, {outputs}},
                        buttons);
    setTabOrder(boxes + QList<QWidget*>{buttons.calculate, buttons.ok});

    showEntries(Calculation::Power);
    showBpsTaken();
    quietly([this] { ShowOutput(); });
}

void frmPowerCalcs::showBpsTaken() {
    inputBox(Input::Bps)
        ->setEnabled(choiceButton(Input::Gap, qsizetype(physics::Gap::Asynchronous))->isChecked());
}

void frmPowerCalcs::ShowOutput() {
    m_lstPower->setRowCount(0);
    const std::optional<PowerResults> power = doc().powerResults();
    const QList<PowerLine> lines =
        power ? powerResultLines(*power, doc().settings().UseMetric())
              : QList<PowerLine>{{QStringLiteral("The transformer bank must be calculated first "
                                                 "for the figures of the power side"),
                                  {}}};
    m_lstPower->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        m_lstPower->setItem(row, 0, new QTableWidgetItem(lines[row].label));
        // A warning or a reason reads across both columns.
        if (lines[row].value.isEmpty())
            m_lstPower->setSpan(row, 0, 1, 2);
        else
            m_lstPower->setItem(row, 1, new QTableWidgetItem(lines[row].value));
    }
    m_lstPower->resizeRowsToContents();
}

void frmPowerCalcs::cmd_Calculate_Click() {
    calculate([this] {
        calculatePower(doc(), typedEntries(Calculation::Power));
        showEntries(Calculation::Power);
        showBpsTaken();
        ShowOutput();
    });
}

} // namespace resonex::gui
