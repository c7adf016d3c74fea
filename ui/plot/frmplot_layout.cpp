// The controls of the plot window, laid out in rows above and below the plot,
// and their wiring.

#include "ui/plot/frmplot.h"

#include "ui/fixedform.h"
#include "ui/plot/inputplot.h"
#include "ui/throttle.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QCheckBox *makeCheck(QWidget *parent, const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QDoubleSpinBox *makeNumber(QWidget *parent, const QString &name, const QString &accessibleName,
                           double minimum, double maximum, int decimals, const QString &suffix)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setAccessibleName(accessibleName);
    return box;
}

QLabel *makeFigures(QWidget *parent, const QString &name, const QString &description)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleDescription(description);
    return label;
}

} // namespace

void frmPlot::buildControls()
{
    picPlot = new InputPlot(m_history, this);
    lblVoltage = makeFigures(this, u"lblVoltage"_s, u"The 0-10V input over the span shown"_s);
    lblCurrent = makeFigures(this, u"lblCurrent"_s, u"The 0-20mA input over the span shown"_s);
    lblInputs = makeFigures(this, u"lblInputs"_s, u"The digital inputs over the span shown"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildPollRow());
    layout->addLayout(buildViewRow());
    layout->addWidget(picPlot, 1);
    for (QLabel *figures : {lblVoltage, lblCurrent, lblInputs})
        layout->addWidget(figures);
    layout->addLayout(buildFileRow());
}

// Every [interval] [readings] [Start]
QLayout *frmPlot::buildPollRow()
{
    spnInterval =
        makeNumber(this, u"spnInterval"_s, u"Poll interval"_s, InputPoller::MinIntervalMs / 1000.0,
                   InputPoller::MaxIntervalMs / 1000.0, 1, u" s"_s);
    spnInterval->setSingleStep(0.1);
    grpReadings = new QButtonGroup(this);
    grpReadings->setExclusive(false);
    grpReadings->addButton(makeCheck(this, u"chkVoltage"_s, u"0-10 V"_s), int(ReadKind::Voltage));
    grpReadings->addButton(makeCheck(this, u"chkCurrent"_s, u"0-20 mA"_s), int(ReadKind::Current));
    grpReadings->addButton(makeCheck(this, u"chkInputs"_s, u"Digital inputs"_s),
                           int(ReadKind::Inputs));
    cmdStart = makeButton(this, u"cmdStart"_s, u"Start"_s, QRect());
    auto *row = new QHBoxLayout;
    row->addWidget(makeLabel(this, u"Poll &every"_s, QRect(), spnInterval));
    row->addWidget(spnInterval);
    row->addSpacing(12);
    for (QAbstractButton *box : grpReadings->buttons())
        row->addWidget(box);
    row->addStretch(1);
    row->addWidget(cmdStart);
    return row;
}

// Span [..]  Volts [Auto] [from] to [to]  Milliamperes [Auto] [from] to [to]
QLayout *frmPlot::buildViewRow()
{
    cboSpan = new QComboBox(this);
    cboSpan->setObjectName(u"cboSpan"_s);
    const std::pair<const char *, int> spans[] = {{"30 s", 30},     {"1 min", 60},
                                                  {"5 min", 300},   {"15 min", 900},
                                                  {"1 hour", 3600}, {"All kept", 0}};
    for (const auto &[caption, seconds] : spans)
        cboSpan->addItem(QString::fromLatin1(caption), seconds);
    m_volts = makeRange(u"Volts"_s, u" V"_s, 10.0254);
    m_milliamps = makeRange(u"Milliamps"_s, u" mA"_s, 20.46);
    auto *row = new QHBoxLayout;
    row->addWidget(makeLabel(this, u"&Span"_s, QRect(), cboSpan));
    row->addWidget(cboSpan);
    for (const auto &[range, caption] :
         {std::pair{m_volts, u"Volts"_s}, std::pair{m_milliamps, u"Milliamperes"_s}}) {
        row->addSpacing(12);
        row->addWidget(new QLabel(caption, this));
        row->addWidget(range.automatic);
        row->addWidget(range.from);
        row->addWidget(new QLabel(u"to"_s, this));
        row->addWidget(range.to);
    }
    row->addStretch(1);
    return row;
}

// The fixed ends count only while "Auto" is off; they reach somewhat past
// the input's full scale, for a sensor that reads above it.
frmPlot::RangeControls frmPlot::makeRange(const QString &name, const QString &unit, double full)
{
    RangeControls range;
    range.automatic = makeCheck(this, u"chk%1Auto"_s.arg(name), u"Auto"_s);
    range.automatic->setAccessibleName(u"%1: scale to the readings"_s.arg(name));
    range.from = makeNumber(this, u"spn%1From"_s.arg(name), u"%1: lowest shown"_s.arg(name), -full,
                            2 * full, 2, unit);
    range.to = makeNumber(this, u"spn%1To"_s.arg(name), u"%1: highest shown"_s.arg(name), -full,
                          2 * full, 2, unit);
    return range;
}

// Counts ... [Log to CSV...] [Save Plot...]
QLayout *frmPlot::buildFileRow()
{
    lblCounts = makeFigures(this, u"lblCounts"_s, u"Polls made, skipped and left without reply"_s);
    lblLog = makeFigures(this, u"lblLog"_s, u"Where the polls are logged"_s);
    cmdLog = makeButton(this, u"cmdLog"_s, u"Log to CSV..."_s, QRect());
    cmdSavePlot = makeButton(this, u"cmdSavePlot"_s, u"Save Plot..."_s, QRect());
    auto *labels = new QVBoxLayout;
    labels->addWidget(lblCounts);
    labels->addWidget(lblLog);
    auto *row = new QHBoxLayout;
    row->addLayout(labels, 1);
    row->addWidget(cmdLog);
    row->addWidget(cmdSavePlot);
    return row;
}

void frmPlot::initConnections()
{
    connect(cmdStart, &QPushButton::clicked, this, &frmPlot::cmdStart_Click);
    connect(spnInterval, &QDoubleSpinBox::valueChanged, this, &frmPlot::spnInterval_Change);
    connect(grpReadings, &QButtonGroup::idToggled, this, &frmPlot::grpReadings_Click);
    connect(cboSpan, &QComboBox::currentIndexChanged, this, &frmPlot::cboSpan_Click);
    for (const RangeControls &range : {m_volts, m_milliamps}) {
        connect(range.automatic, &QCheckBox::toggled, this, &frmPlot::Range_Change);
        connect(range.from, &QDoubleSpinBox::valueChanged, this, &frmPlot::Range_Change);
        connect(range.to, &QDoubleSpinBox::valueChanged, this, &frmPlot::Range_Change);
    }
    connect(cmdLog, &QPushButton::clicked, this, &frmPlot::cmdLog_Click);
    connect(cmdSavePlot, &QPushButton::clicked, this, &frmPlot::cmdSavePlot_Click);
    connect(&m_poller, &InputPoller::roundDone, this, &frmPlot::Poller_RoundDone);
    connect(&m_poller, &InputPoller::countsChanged, m_figuresShown, &Throttle::request);
    connect(&m_poller, &InputPoller::runningChanged, this, &frmPlot::Poller_RunningChanged);
}
