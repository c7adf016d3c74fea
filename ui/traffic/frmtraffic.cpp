#include "ui/traffic/frmtraffic.h"

#include "link/safefile.h"
#include "ui/filedialog.h"
#include "ui/fixedform.h"
#include "ui/msgbox.h"
#include "ui/traffic/trafficmodel.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::StringLiterals;

frmTraffic::frmTraffic(TrafficModel &model, QWidget *parent) : ToolWindow(parent), m_model(model)
{
    setObjectName(u"frmTraffic"_s);
    setWindowTitle(u"Traffic"_s);
    buildControls();
    initConnections();
    ShowHeld();
    resize(760, 380);
}

void frmTraffic::buildControls()
{
    lstTraffic = new QListView(this);
    lstTraffic->setObjectName(u"lstTraffic"_s);
    lstTraffic->setModel(&m_model);
    lstTraffic->setUniformItemSizes(true); // fast with ten thousand rows
    lstTraffic->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstTraffic->setAccessibleName(u"Traffic"_s);
    lstTraffic->setAccessibleDescription(
        u"Each write to the board and each piece received from it: time in ms since the "
        "panel started, direction, bytes in hex, and what they mean"_s);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(u"lblStatus"_s);
    cmdPause = makeButton(this, u"cmdPause"_s, u"Pause"_s, QRect()); // placed by the layout
    cmdClear = makeButton(this, u"cmdClear"_s, u"Clear"_s, QRect());
    cmdSave = makeButton(this, u"cmdSave"_s, u"Save..."_s, QRect());

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    for (QPushButton *button : {cmdPause, cmdClear, cmdSave})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstTraffic, 1);
    layout->addLayout(buttons);
}

void frmTraffic::initConnections()
{
    connect(cmdPause, &QPushButton::clicked, this, &frmTraffic::cmdPause_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmTraffic::cmdClear_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTraffic::cmdSave_Click);
    connect(&m_model, &TrafficModel::heldCountChanged, this, &frmTraffic::ShowHeld);
    connect(&m_model, &TrafficModel::rowsAboutToBeInserted, this,
            &frmTraffic::RememberWhetherAtEnd);
    connect(&m_model, &TrafficModel::rowsInserted, this, &frmTraffic::FollowNewRows);
}

void frmTraffic::Form_Load()
{
    lstTraffic->scrollToBottom();
    m_atEnd = true;
}

void frmTraffic::cmdPause_Click()
{
    m_model.setPaused(!m_model.isPaused());
    ShowHeld();
}

void frmTraffic::cmdClear_Click()
{
    m_model.clear();
}

// The lines shown, as they are shown; what is held while paused is not shown.
void frmTraffic::cmdSave_Click()
{
    const QString path =
        SaveFileName(this, u"Save Traffic"_s, u"traffic.txt"_s, u"Text files (*.txt)"_s);
    if (path.isEmpty())
        return;
    const QStringList lines = m_model.lines();
    const QByteArray text = lines.isEmpty() ? QByteArray() : (lines.join(u'\n') + u'\n').toUtf8();
    if (const auto problem = SafeFile::replace(path, text))
        MsgBox(this, u"The traffic could not be saved to %1.\nReason: %2"_s.arg(path, *problem),
               QMessageBox::Warning);
}

// The pause button says what it will do; the status says what the times are,
// or how much is held back.
void frmTraffic::ShowHeld()
{
    const QString caption = m_model.isPaused() ? u"Resume"_s : u"Pause"_s;
    cmdPause->setText(caption);
    cmdPause->setAccessibleName(caption);
    lblStatus->setText(m_model.isPaused()
                           ? u"Paused, new entries held back: %1"_s.arg(m_model.heldCount())
                           : u"Times in ms since the panel started"_s);
}

void frmTraffic::RememberWhetherAtEnd()
{
    const QScrollBar *bar = lstTraffic->verticalScrollBar();
    m_atEnd = m_followPending || bar->value() == bar->maximum();
}

// New rows are followed only when the operator has not scrolled back to read;
// once for all the rows that come before the window next has time.
void frmTraffic::FollowNewRows()
{
    if (!m_atEnd || !isVisible() || m_followPending)
        return;
    m_followPending = true;
    QTimer::singleShot(0, this, [this] {
        m_followPending = false;
        lstTraffic->scrollToBottom();
    });
}
