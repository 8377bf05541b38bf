#pragma once

#include "gui/dialogs/DesignDialog.h"

class QGroupBox;
class QPushButton;
class QTableWidget;

namespace resonex::gui {

class BangPlotView;

// The power side: what drives the primary (a spark gap or a bridge, each
// with its inputs on its own page), the tank capacitor used and a bank of
// small capacitors to make it, and what follows from the transformer bank
// (its figures once the bank is calculated: the tank capacitors it suits,
// each bang's energy, the power, the peaks, the sparks and the running
// frequency; a bridge's burst), and the bang or the burst in time as a plot,
// exported as a picture or its waveform as comma-separated values. The inputs
// go into the model on Calculate; the figures and the plot are read back from
// the document.
class frmPowerCalcs : public DesignDialog {
    Q_OBJECT
public:
    frmPowerCalcs(const DesignContext& context, QWidget* parent);

private:
    void ShowOutput();
    void cmd_Calculate_Click();
    // Only an asynchronous gap takes its breaks per second, and a bridge its
    // bursts.
    void showBpsTaken();
    // The design's name with the ending, for an export.
    QString exportName(const QString& ending);
    void exportPlot();
    void exportWaveform();

    QTableWidget* m_lstPower;
    QGroupBox* m_fraPlot;
    BangPlotView* m_picBang;
    QPushButton* m_cmdExportPlot;
    QPushButton* m_cmdExportCsv;
};

} // namespace resonex::gui
