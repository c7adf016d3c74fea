#include "ui/plot/frmplot.h"

#include "link/safefile.h"
#include "ui/filedialog.h"
#include "ui/msgbox.h"
#include "ui/plot/csvlog.h"
#include "ui/plot/inputplot.h"
#include "ui/throttle.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString ReadingCaption(ReadKind kind)
{
    return kind == ReadKind::Voltage   ? u"0-10 V"_s
           : kind == ReadKind::Current ? u"0-20 mA"_s
                                       : u"Digital inputs"_s;
}

QString Value(ReadKind kind, double value)
{
    if (kind == ReadKind::Inputs) {
        const int bits = int(value);
        return u"%1 (binary %2)"_s.arg(bits).arg(bits, 8, 2, QChar(u'0'));
    }
    return QString::number(value, 'g', 6) + (kind == ReadKind::Voltage ? u" V"_s : u" mA"_s);
}

// "0-10 V: last 5.0176 V, min 4.998 V, max 5.0176 V, mean 5.0108 V; no reply 1 of 60"
QString FiguresText(ReadKind kind, const SampleSeries::Stats &stats)
{
    QString text = ReadingCaption(kind) + u": "_s;
    if (stats.readings == 0)
        text += u"no readings in the span"_s;
    else if (kind == ReadKind::Inputs)
        text += u"last "_s + Value(kind, stats.last);
    else
        text += u"last %1, min %2, max %3, mean %4"_s.arg(
            Value(kind, stats.last), Value(kind, stats.min), Value(kind, stats.max),
            Value(kind, stats.mean));
    return text + u"; no reply %1 of %2"_s.arg(stats.gaps).arg(stats.readings + stats.gaps);
}

} // namespace

frmPlot::frmPlot(ReadTurns &reads, QWidget *parent)
    : ToolWindow(parent), m_poller(reads, this), m_figuresShown(new Throttle(
                                                     250, [this] { ShowFigures(); }, this))
{
    m_poller.setObjectName(u"Poller"_s);
    setObjectName(u"frmPlot"_s);
    setWindowTitle(u"Plot Inputs"_s);
    buildControls();
    initConnections();
    resize(sizeHint().expandedTo({820, 560}));
}

frmPlot::~frmPlot() = default;

void frmPlot::Form_Load()
{
    applyChoices(PlotChoices::read());
    ShowFigures();
    ShowLog();
}

void frmPlot::Form_Unload()
{
    m_poller.stop();
    StopLogging();
    choices().write();
}

void frmPlot::cmdStart_Click()
{
    if (m_poller.isRunning()) {
        m_poller.stop();
        return;
    }
    m_history.clear();
    m_poller.setKinds(chosenReadings());
    m_poller.setInterval(int(std::lround(spnInterval->value() * 1000)));
    m_poller.start();
}

void frmPlot::spnInterval_Change(double seconds)
{
    m_poller.setInterval(int(std::lround(seconds * 1000)));
}

// The next poll reads what is chosen now; nothing chosen, nothing to start.
void frmPlot::grpReadings_Click()
{
    const QList<ReadKind> chosen = chosenReadings();
    m_poller.setKinds(chosen);
    picPlot->setShown(chosen);
    cmdStart->setEnabled(m_poller.isRunning() || !chosen.isEmpty());
    ShowFigures();
}

void frmPlot::cboSpan_Click()
{
    picPlot->setSpan(cboSpan->currentData().toInt());
    ShowFigures();
}

void frmPlot::Range_Change()
{
    const PlotChoices now = choices();
    for (const RangeControls &range : {m_volts, m_milliamps}) {
        range.from->setEnabled(!range.automatic->isChecked());
        range.to->setEnabled(!range.automatic->isChecked());
    }
    picPlot->setRanges(now.volts, now.milliamps);
}

// A log takes the readings chosen when it starts, for its columns; they stay
// as they are while it runs.
void frmPlot::cmdLog_Click()
{
    if (m_log) {
        StopLogging();
        return;
    }
    const QString path =
        SaveFileName(this, u"Log to CSV"_s, u"inputs.csv"_s, u"CSV files (*.csv)"_s, false);
    if (path.isEmpty())
        return;
    auto log = std::make_unique<CsvLog>(chosenReadings());
    if (const auto problem = log->open(path)) {
        MsgBox(this, u"The inputs cannot be logged to %1.\nReason: %2"_s.arg(path, *problem),
               QMessageBox::Warning);
        return;
    }
    m_log = std::move(log);
    for (QAbstractButton *box : grpReadings->buttons())
        box->setEnabled(false);
    ShowLog();
}

void frmPlot::cmdSavePlot_Click()
{
    const QString path =
        SaveFileName(this, u"Save Plot"_s, u"inputs.png"_s, u"PNG images (*.png)"_s);
    if (path.isEmpty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picPlot->grab().save(&buffer, "PNG");
    if (const auto problem = SafeFile::replace(path, png))
        MsgBox(this, u"The plot could not be saved to %1.\nReason: %2"_s.arg(path, *problem),
               QMessageBox::Warning);
}

// The plot first, so a message about the log does not hold it up.
void frmPlot::Poller_RoundDone(const ReadingSet &readings, const QList<ReadKind> &kinds)
{
    m_history.add(readings, kinds);
    picPlot->update();
    m_figuresShown->request(); // each new text lays the window out anew
    if (!m_log)
        return;
    const QString path = m_log->path();
    if (const auto problem = m_log->append(readings)) {
        StopLogging();
        MsgBox(this,
               u"Logging to %1 has stopped: a row could not be written.\nReason: %2\n"
               "The rows written before it are in the file."_s.arg(path, *problem),
               QMessageBox::Warning);
        return;
    }
    ShowLog();
}

void frmPlot::Poller_RunningChanged(bool running)
{
    cmdStart->setText(running ? u"Stop"_s : u"Start"_s);
    cmdStart->setAccessibleName(cmdStart->text());
    cmdStart->setEnabled(running || !chosenReadings().isEmpty());
}

void frmPlot::StopLogging()
{
    if (!m_log)
        return;
    m_log.reset();
    for (QAbstractButton *box : grpReadings->buttons())
        box->setEnabled(true);
    ShowLog();
}

// The figures of the span shown, and the counts of the polling so far.
void frmPlot::ShowFigures()
{
    const qint64 from = picPlot->spanStart();
    const std::pair<ReadKind, QLabel *> figures[] = {{ReadKind::Voltage, lblVoltage},
                                                     {ReadKind::Current, lblCurrent},
                                                     {ReadKind::Inputs, lblInputs}};
    const QList<ReadKind> chosen = chosenReadings();
    for (const auto &[kind, label] : figures) {
        label->setVisible(chosen.contains(kind));
        label->setText(FiguresText(kind, m_history.series(kind).stats(from)));
    }
    lblCounts->setText(u"Polls: %1, skipped while a read was pending: %2; without reply: "
                       "0-10 V %3, 0-20 mA %4, inputs %5"_s.arg(m_poller.rounds())
                           .arg(m_poller.skipped())
                           .arg(m_poller.unanswered(ReadKind::Voltage))
                           .arg(m_poller.unanswered(ReadKind::Current))
                           .arg(m_poller.unanswered(ReadKind::Inputs)));
}

void frmPlot::ShowLog()
{
    const QString caption = m_log ? u"Stop Logging"_s : u"Log to CSV..."_s;
    cmdLog->setText(caption);
    cmdLog->setAccessibleName(caption);
    lblLog->setText(m_log
                        ? u"Logging to %1, rows written: %2"_s.arg(m_log->path()).arg(m_log->rows())
                        : u"Not logging"_s);
}

QList<ReadKind> frmPlot::chosenReadings() const
{
    QList<ReadKind> chosen;
    for (const ReadKind kind : ReadingSet::Kinds) {
        if (grpReadings->button(int(kind))->isChecked())
            chosen << kind;
    }
    return chosen;
}

PlotChoices frmPlot::choices() const
{
    PlotChoices now;
    now.intervalMs = int(std::lround(spnInterval->value() * 1000));
    now.readings = chosenReadings();
    now.spanSeconds = cboSpan->currentData().toInt();
    now.volts = {m_volts.automatic->isChecked(), m_volts.from->value(), m_volts.to->value()};
    now.milliamps = {m_milliamps.automatic->isChecked(), m_milliamps.from->value(),
                     m_milliamps.to->value()};
    return now;
}

// Setting the controls runs their handlers, which hand the choices on.
void frmPlot::applyChoices(const PlotChoices &choices)
{
    spnInterval->setValue(choices.intervalMs / 1000.0);
    for (const ReadKind kind : ReadingSet::Kinds)
        grpReadings->button(int(kind))->setChecked(choices.readings.contains(kind));
    const int span = cboSpan->findData(choices.spanSeconds);
    cboSpan->setCurrentIndex(span >= 0 ? span : cboSpan->findData(60));
    for (const auto &[controls, range] :
         {std::pair{m_volts, choices.volts}, std::pair{m_milliamps, choices.milliamps}}) {
        controls.from->setValue(range.from);
        controls.to->setValue(range.to);
        controls.automatic->setChecked(range.automatic);
    }
    grpReadings_Click();
    cboSpan_Click();
    Range_Change();
}
