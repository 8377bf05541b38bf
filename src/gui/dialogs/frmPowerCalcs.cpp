#include "gui/dialogs/frmPowerCalcs.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/document/DocumentPrompts.h"
#include "core/platform/AtomicFile.h"
#include "core/results/BangResultTexts.h"
#include "core/results/BurstResultTexts.h"
#include "core/results/PowerResultTexts.h"
#include "core/results/WaveformCsv.h"
#include "core/settings/CSettings.h"
#include "core/summary/BangSection.h"
#include "core/summary/BurstSection.h"
#include "core/text/AppInfo.h"
#include "gui/drawing/DrawingExport.h"
#include "gui/plot/BangPlot.h"
#include "gui/plot/BangPlotView.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace resonex::gui {

namespace {

// The figures wrap within columns of so many characters; the list shows so
// many rows at least and scrolls for the rest, the dialog growing with it.
constexpr int kLabelColumnChars = 34;
constexpr int kValueColumnChars = 30;
constexpr int kLeastRows = 8;

// The bang plot exported at 96 dots per inch.
constexpr QSize kPlotPicture(800, 500);

// The words of the figures a builder may not know.
constexpr char kWords[] =
    "LTR: a tank capacitor larger than the resonant one, so that the transformer does not "
    "resonate with it.\nMMC: a multi-mini capacitor bank, many small capacitors in series "
    "strings.\nBleeder: a resistor across each capacitor of the bank, emptying it once the "
    "power is off.\nStreamer: a spark from the top load into the air.";

// The inputs of each driver on a page of its own, the page of the driver
// chosen shown; the bank's and the tank's, the rate's and the streamer's on
// both. The spark gap's in the order it always had them.
constexpr qsizetype kBridgeDriver = 1;
const QList<InputPage> kPages{
    {"pageGap",
     {Input::Gap, Input::Bps, Input::TankC, Input::UnitC, Input::UnitKv, Input::MmcSafety,
      Input::GapOhms, Input::StreamerOhms, Input::Quench}},
    {"pageBridge",
     {Input::Bridge, Input::BusV, Input::BusMains, Input::Doubler, Input::UnitC, Input::UnitKv,
      Input::BankSeries, Input::BankStrings, Input::TankC, Input::TuneRatio, Input::OnTime,
      Input::Bps, Input::OcdA, Input::SwitchA, Input::StreamerOhms}},
};

} // namespace

frmPowerCalcs::frmPowerCalcs(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmPowerCalcs"),
                   QStringLiteral("Power and Capacitor Bank"), parent) {
    QGroupBox* inputs = frame(QStringLiteral("Frame1"), QStringLiteral("Input Parameters"));
    auto* rows = new QGridLayout(inputs);
    const QList<QGridLayout*> pages = addInputPages(Input::Driver, kPages, *rows);
    alignColumns({rows, pages[0], pages[1]});
    showNote(*refusalNote(QStringLiteral("lblRefused"), *rows), QString());
    for (const QRadioButton* ticked :
         {choiceButton(Input::Gap, qsizetype(physics::Gap::Asynchronous)),
          choiceButton(Input::Driver, kBridgeDriver)})
        connect(ticked, &QRadioButton::toggled, this, [this] { showBpsTaken(); });

    QGroupBox* outputs = frame(QStringLiteral("Frame2"), QStringLiteral("Output Parameters"));
    m_lstPower = new QTableWidget(0, 2, outputs);
    m_lstPower->setObjectName(QStringLiteral("lstPower"));
    m_lstPower->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstPower->setSelectionMode(QAbstractItemView::SingleSelection);
    // It can be clicked and copied from, but Tab passes it by and leaves it.
    m_lstPower->setFocusPolicy(Qt::ClickFocus);
    m_lstPower->setTabKeyNavigation(false);
    m_lstPower->setToolTip(QString::fromLatin1(kWords));
    m_lstPower->setWhatsThis(m_lstPower->toolTip());
    m_lstPower->horizontalHeader()->hide();
    m_lstPower->verticalHeader()->hide();
    m_lstPower->setWordWrap(true);
    m_lstPower->setShowGrid(false);
    m_lstPower->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The labels take the width the dialog is given; each row the lines its
    // texts wrap to.
    const int charWidth = fontMetrics().averageCharWidth();
    m_lstPower->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lstPower->setColumnWidth(1, kValueColumnChars * charWidth);
    m_lstPower->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Opened, it asks for the height of every figure; the dialog takes what
    // of it the screen has room for.
    m_lstPower->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_lstPower->setMinimumSize((kLabelColumnChars + kValueColumnChars) * charWidth +
                                   m_lstPower->verticalScrollBar()->sizeHint().width(),
                               kLeastRows * 2 * fontMetrics().lineSpacing());
    (new QVBoxLayout(outputs))->addWidget(m_lstPower);

    // The bang under the figures; its exports under it.
    QGroupBox* bang = frame(QStringLiteral("Frame3"), QStringLiteral("Bang in Time"));
    m_fraPlot = bang;
    m_picBang = new BangPlotView(bang);
    m_cmdExportPlot = button(QStringLiteral("cmdExportPlot"), QStringLiteral("Export &Plot..."));
    m_cmdExportCsv = button(QStringLiteral("cmdExportCsv"), QStringLiteral("Export CS&V..."));
    m_cmdExportPlot->setToolTip(QStringLiteral("The plot as an SVG or PNG picture"));
    m_cmdExportCsv->setToolTip(QStringLiteral(
        "The waveform as comma-separated values: the time (s), the primary current (A) and the "
        "top voltage (V), a line each 1/40 of the primary's period"));
    connect(m_cmdExportPlot, &QPushButton::clicked, this, [this] { exportPlot(); });
    connect(m_cmdExportCsv, &QPushButton::clicked, this, [this] { exportWaveform(); });
    auto* exports = new QHBoxLayout;
    exports->addWidget(m_cmdExportPlot);
    exports->addWidget(m_cmdExportCsv);
    exports->addStretch();
    auto* bangRows = new QVBoxLayout(bang);
    bangRows->addWidget(m_picBang, 1);
    bangRows->addLayout(exports);

    const CalculationButtons buttons = calculationButtons([this] { cmd_Calculate_Click(); });
    // The plot under the figures: the inputs of a bridge take the height of
    // the dialog.
    layOutBesideButtons(
        std::initializer_list<std::initializer_list<QWidget*>>{{inputs}, {outputs, bang}}, buttons,
        Sizing::LastFrameGrows);
    // The exports as the eye meets them: after the inputs, before the
    // buttons at the right.
    setTabOrder({m_cmdExportPlot, m_cmdExportCsv, buttons.calculate, buttons.ok}, m_cmdExportPlot);

    showEntries(Calculation::Power);
    // The focus at the driver ticked, where Tab would reach the choice.
    choiceButton(Input::Driver, drivenByBridge(doc().added()) ? kBridgeDriver : 0)->setFocus();
    showBpsTaken();
    quietly([this] { ShowOutput(); });
}

void frmPowerCalcs::showBpsTaken() {
    inputBox(Input::Bps)
        ->setEnabled(choiceButton(Input::Driver, kBridgeDriver)->isChecked() ||
                     choiceButton(Input::Gap, qsizetype(physics::Gap::Asynchronous))->isChecked());
}

void frmPowerCalcs::ShowOutput() {
    m_lstPower->setRowCount(0);
    const std::optional<PowerResults> power = doc().results().power();
    const bool useMetric = doc().settings().UseMetric();
    // The bang's figures follow the power side's, under the summary's title
    // in bold; a bridge's burst, which takes nothing of the transformer, its
    // own whether the transformer is calculated or not (and then without a
    // word about it).
    const bool bridge = drivenByBridge(doc().added());
    QList<FigureLine> lines =
        power ? powerResultLines(*power, useMetric)
        : bridge
            ? QList<FigureLine>{}
            : QList<FigureLine>{{QStringLiteral("The transformer bank must be calculated first "
                                                "for the figures of the power side"),
                                 {}}};
    const qsizetype title = power || bridge ? lines.size() : -1;
    if (bridge)
        lines += QList<FigureLine>{{BurstSectionTitle().trimmed(), {}}} +
                 figureLines(burstFigures(), doc().results().burst(), useMetric);
    else if (power)
        lines += QList<FigureLine>{{BangSectionTitle().trimmed(), {}}} +
                 figureLines(bangFigures(), doc().results().bang(), useMetric);
    m_lstPower->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        auto* label = new QTableWidgetItem(lines[row].label);
        if (row == title) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        m_lstPower->setItem(row, 0, label);
        // A warning or a reason reads across both columns.
        if (lines[row].value.isEmpty())
            m_lstPower->setSpan(row, 0, 1, 2);
        else
            m_lstPower->setItem(row, 1, new QTableWidgetItem(lines[row].value));
    }
    m_fraPlot->setTitle(bridge ? QStringLiteral("Burst in Time") : QStringLiteral("Bang in Time"));
    BangPicture picture = pictureOfDesign(doc());
    m_cmdExportPlot->setEnabled(picture.trace.has_value());
    m_cmdExportCsv->setEnabled(picture.trace.has_value());
    m_picBang->setPicture(std::move(picture));
}

QString frmPowerCalcs::exportName(const QString& ending) {
    return QFileInfo(doc().FileTitle()).completeBaseName() +
           (drivenByBridge(doc().added()) ? QStringLiteral("-burst.") : QStringLiteral("-bang.")) +
           ending;
}

void frmPowerCalcs::exportPlot() {
    const BangPicture picture = pictureOfDesign(doc());
    exportPictureAsked(prompts(), {QStringLiteral("Export Plot"), doc().settings().DesPath(),
                                   exportName(QStringLiteral("svg")), QStringLiteral("plot"),
                                   doc().FileTitle(), kPlotPicture,
                                   [&picture](QPainter& painter, const QRectF& area) {
                                       paintBangPlot(painter, picture, area);
                                   }});
}

void frmPowerCalcs::exportWaveform() {
    const BangPicture picture = pictureOfDesign(doc());
    if (!picture.trace)
        return;
    const QString path = prompts().chooseFileToSave(
        {QStringLiteral("Export CSV"), doc().settings().DesPath(),
         exportName(QStringLiteral("csv")), QStringLiteral("Comma-separated values (*.csv)"),
         QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    if (const std::optional<WriteFailure> failure =
            writeFileAtomically(path, waveformCsv(picture.trace->samples)))
        prompts().tell(QString::fromLatin1(kAppTitle),
                       notWrittenText(QStringLiteral("The waveform"), path, *failure),
                       Prompts::Icon::Exclamation);
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
