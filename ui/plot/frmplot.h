#pragma once

#include "link/inputpoller.h"
#include "ui/plot/inputhistory.h"
#include "ui/plot/plotchoices.h"
#include "ui/toolwindow.h"

#include <memory>

class CsvLog;
class InputPlot;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class ReadTurns;
class Throttle;

// "Plot Inputs": polls the chosen inputs at an interval through the main
// window's own read path (so its read-outs and the traffic monitor show every
// poll), plots them against the clock with the last value, minimum, maximum
// and mean of the span shown, logs them to a CSV file and saves the plot as a
// PNG. Closing the window stops the polling and the log; the choices are kept
// in the settings file. Each Start begins a new plot.
class frmPlot : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmPlot(ReadTurns &reads, QWidget *parent = nullptr);
    ~frmPlot() override;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // One analog axis' range controls.
    struct RangeControls
    {
        QCheckBox *automatic = nullptr;
        QDoubleSpinBox *from = nullptr;
        QDoubleSpinBox *to = nullptr;
    };

    // frmplot_layout.cpp
    void buildControls();
    QLayout *buildPollRow();
    QLayout *buildViewRow();
    QLayout *buildFileRow();
    RangeControls makeRange(const QString &name, const QString &unit, double full);
    void initConnections();

    // frmplot.cpp
    void cmdStart_Click();
    void spnInterval_Change(double seconds);
    void grpReadings_Click();
    void cboSpan_Click();
    void Range_Change();
    void cmdLog_Click();
    void cmdSavePlot_Click();
    void Poller_RoundDone(const ReadingSet &readings, const QList<ReadKind> &kinds);
    void Poller_RunningChanged(bool running);
    void StopLogging();
    void ShowFigures();
    void ShowLog();
    QList<ReadKind> chosenReadings() const;
    PlotChoices choices() const;
    void applyChoices(const PlotChoices &choices);

    InputPoller m_poller;
    InputHistory m_history;
    std::unique_ptr<CsvLog> m_log;
    Throttle *m_figuresShown; // the figures and counts, at most four times a second

    QDoubleSpinBox *spnInterval = nullptr;
    QButtonGroup *grpReadings = nullptr; // ids: the values of ReadKind
    QPushButton *cmdStart = nullptr;
    QComboBox *cboSpan = nullptr; // data(): seconds, 0 for all kept
    RangeControls m_volts;
    RangeControls m_milliamps;
    InputPlot *picPlot = nullptr;
    QLabel *lblVoltage = nullptr;
    QLabel *lblCurrent = nullptr;
    QLabel *lblInputs = nullptr;
    QLabel *lblCounts = nullptr;
    QLabel *lblLog = nullptr;
    QPushButton *cmdLog = nullptr;
    QPushButton *cmdSavePlot = nullptr;
};
