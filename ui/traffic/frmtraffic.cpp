#include "ui/traffic/frmtraffic.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/safefile.h"
#include "ui/filedialog.h"
#include "ui/fixedform.h"
#include "ui/msgbox.h"
#include "ui/traffic/trafficfilter.h"
#include "ui/traffic/trafficmodel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// New rows are shown at most this often: at every row, a stream of reads
// (a poll every 0.1 s) would scroll and paint the list sixty times a second.
constexpr int FollowDelayMs = 100;

// The time picker's items, by index, and their words in the settings file.
const QString TimeWords[] = {u"elapsed"_s, u"clock"_s};

} // namespace

frmTraffic::frmTraffic(TrafficModel &model, QWidget *parent)
    : ToolWindow(parent), m_model(model), m_filter(new TrafficFilter(this))
{
    setObjectName(u"frmTraffic"_s);
    setWindowTitle(u"Traffic"_s);
    m_filter->setSourceModel(&m_model);
    buildControls();
    initConnections();
    ShowStatus();
    resize(760, 380);
}

void frmTraffic::buildControls()
{
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(u"txtFilter"_s);
    txtFilter->setPlaceholderText(u"Show only entries that contain..."_s);
    txtFilter->setClearButtonEnabled(true);
    auto *filterLabel = makeLabel(this, u"&Filter:"_s, QRect(), txtFilter);
    cboTime = new QComboBox(this);
    cboTime->setObjectName(u"cboTime"_s);
    cboTime->addItems({u"Time since start"_s, u"Clock time"_s});
    auto *timeLabel = makeLabel(this, u"&Time:"_s, QRect(), cboTime);
    lstTraffic = new QListView(this);
    lstTraffic->setObjectName(u"lstTraffic"_s);
    lstTraffic->setModel(m_filter);
    lstTraffic->setUniformItemSizes(true); // fast with ten thousand rows
    lstTraffic->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstTraffic->setAccessibleName(u"Traffic"_s);
    lstTraffic->setAccessibleDescription(
        u"Each write to the board, each piece received from it and each event of the port: "
        "the time, direction, bytes in hex, and what they mean"_s);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(u"lblStatus"_s);
    cmdPause = makeButton(this, u"cmdPause"_s, u"Pause"_s, QRect()); // placed by the layout
    cmdClear = makeButton(this, u"cmdClear"_s, u"Clear"_s, QRect());
    cmdSave = makeButton(this, u"cmdSave"_s, u"Save..."_s, QRect());

    auto *choices = new QHBoxLayout;
    choices->addWidget(filterLabel);
    choices->addWidget(txtFilter, 1);
    choices->addWidget(timeLabel);
    choices->addWidget(cboTime);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    for (QPushButton *button : {cmdPause, cmdClear, cmdSave})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(lstTraffic, 1);
    layout->addLayout(buttons);
}

void frmTraffic::initConnections()
{
    connect(txtFilter, &QLineEdit::textChanged, this, &frmTraffic::txtFilter_Change);
    connect(cboTime, &QComboBox::currentIndexChanged, this, &frmTraffic::cboTime_Click);
    connect(cmdPause, &QPushButton::clicked, this, &frmTraffic::cmdPause_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmTraffic::cmdClear_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTraffic::cmdSave_Click);
    connect(&m_model, &TrafficModel::heldCountChanged, this, &frmTraffic::ShowStatus);
    connect(m_filter, &TrafficFilter::rowsAboutToBeInserted, this,
            &frmTraffic::RememberWhetherAtEnd);
    connect(m_filter, &TrafficFilter::rowsInserted, this, &frmTraffic::FollowNewRows);
    for (const auto changed : {&TrafficFilter::rowsInserted, &TrafficFilter::rowsRemoved})
        connect(m_filter, changed, this, &frmTraffic::ShowStatus);
    connect(m_filter, &TrafficFilter::modelReset, this, &frmTraffic::ShowStatus);
}

// The time as last chosen; anything but "clock" is the time since start.
void frmTraffic::Form_Load()
{
    const QString time = ReadIniValue(Ini::TrafficSection, Ini::TimeKey).trimmed();
    cboTime->setCurrentIndex(time.compare(TimeWords[1], Qt::CaseInsensitive) == 0 ? 1 : 0);
    lstTraffic->scrollToBottom();
    m_atEnd = true;
}

void frmTraffic::Form_Unload()
{
    KeepIniValue(Ini::TrafficSection, Ini::TimeKey, TimeWords[cboTime->currentIndex()]);
}

void frmTraffic::txtFilter_Change(const QString &text)
{
    m_filter->setText(text);
    ShowStatus();
}

void frmTraffic::cboTime_Click(int index)
{
    m_model.setTimeStyle(index == 1 ? TrafficModel::TimeStyle::Clock
                                    : TrafficModel::TimeStyle::SinceStart);
    ShowStatus();
}

void frmTraffic::cmdPause_Click()
{
    m_model.setPaused(!m_model.isPaused());
    ShowStatus();
}

void frmTraffic::cmdClear_Click()
{
    m_model.clear();
}

// The lines shown, as they are shown: those the filter passes, in the time
// chosen; what is held while paused is not shown.
void frmTraffic::cmdSave_Click()
{
    const QString path =
        SaveFileName(this, u"Save Traffic"_s, u"traffic.txt"_s, u"Text files (*.txt)"_s);
    if (path.isEmpty())
        return;
    const QStringList lines = m_filter->lines();
    const QByteArray text = lines.isEmpty() ? QByteArray() : (lines.join(u'\n') + u'\n').toUtf8();
    if (const auto problem = SafeFile::replace(path, text))
        MsgBox(this, u"The traffic could not be saved to %1.\nReason: %2"_s.arg(path, *problem),
               QMessageBox::Warning);
}

// The pause button says what it will do; the status says what the times are,
// how much is held back (and dropped) and how many entries the filter passes.
void frmTraffic::ShowStatus()
{
    const QString caption = m_model.isPaused() ? u"Resume"_s : u"Pause"_s;
    cmdPause->setText(caption);
    cmdPause->setAccessibleName(caption);
    QString status = m_model.timeStyle() == TrafficModel::TimeStyle::Clock
                         ? u"Clock times"_s
                         : u"Times in ms since the panel started"_s;
    if (m_model.isPaused()) {
        status = u"Paused, new entries held back: %1"_s.arg(m_model.heldCount());
        if (m_model.droppedCount() > 0)
            status += u", the oldest of them dropped: %1"_s.arg(m_model.droppedCount());
    }
    if (!m_filter->text().isEmpty())
        status += u"; %1 of %2 entries contain \"%3\""_s.arg(m_filter->rowCount())
                      .arg(m_model.rowCount())
                      .arg(m_filter->text());
    lblStatus->setText(status);
}

// Where the list stood when the first of the rows now coming arrived.
void frmTraffic::RememberWhetherAtEnd()
{
    const QScrollBar *bar = lstTraffic->verticalScrollBar();
    if (!m_followPending)
        m_atEnd = bar->value() == bar->maximum();
}

// The rows that come within FollowDelayMs are shown together: the list holds
// its painting meanwhile, then follows them, unless the operator has
// scrolled back to read.
void frmTraffic::FollowNewRows()
{
    if (!isVisible() || m_followPending)
        return;
    m_followPending = true;
    lstTraffic->setUpdatesEnabled(false);
    QTimer::singleShot(FollowDelayMs, this, [this] {
        m_followPending = false;
        if (m_atEnd)
            lstTraffic->scrollToBottom();
        lstTraffic->setUpdatesEnabled(true);
    });
}
