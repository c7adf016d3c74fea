#include "ui/main/linkstatusbar.h"

#include "link/connectionwatch.h"
#include "link/mscomm.h"
#include "link/serialsettings.h"
#include "ui/main/elidedlabel.h"
#include "ui/throttle.h"

#include <QGridLayout>

using namespace Qt::StringLiterals;

LinkStatusBar::LinkStatusBar(const MSComm &port, const ConnectionWatch &watch, QWidget *parent)
    : QStatusBar(parent), m_port(port), m_watch(watch), m_traffic(port),
      m_trafficShown(new Throttle(
          200, [this] { lblTraffic->setText(m_traffic.text()); }, this))
{
    setObjectName(u"statusBar"_s);
    setSizeGripEnabled(false); // the window has a fixed size
    auto *parts = new QWidget(this);
    auto *grid = new QGridLayout(parts);
    grid->setContentsMargins(4, 0, 4, 2);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    grid->setColumnStretch(0, 1);
    // A long device path is cut in the middle, so its end (the port's own name) shows.
    lblPort = new ElidedLabel(Qt::ElideMiddle, parts);
    grid->addWidget(makePart(lblPort, u"lblPort"_s, u"Serial port and its device"_s), 0, 0);
    lblSpeed = new QLabel(parts);
    grid->addWidget(makePart(lblSpeed, u"lblSpeed"_s, u"Serial speed and format"_s), 0, 1);
    lblState = new QLabel(parts);
    grid->addWidget(makePart(lblState, u"lblState"_s, u"State of the link to the board"_s), 0, 2);
    // A note has a row of its own, two lines high, so that it reads whole at
    // the window's fixed width; its tool tip holds it too.
    lblNote = new QLabel(parts);
    lblNote->setWordWrap(true);
    grid->addWidget(makePart(lblNote, u"lblNote"_s, u"Last event on the link"_s), 1, 0, 1, 3);
    lblNote->setFixedHeight(2 * lblNote->fontMetrics().lineSpacing());
    lblClients = new QLabel(parts);
    grid->addWidget(
        makePart(lblClients, u"lblClients"_s, u"Programs that use the port through the panel"_s), 2,
        0);
    lblTraffic = new QLabel(parts);
    grid->addWidget(
        makePart(lblTraffic, u"lblTraffic"_s, u"Bytes sent and received this session"_s), 2, 1, 1,
        2, Qt::AlignRight);
    addWidget(parts, 1);
    // A menu's status tip hides the parts while it shows; the bar keeps its
    // height meanwhile, so the window does not jump.
    setFixedHeight(sizeHint().height());

    connect(&m_watch, &ConnectionWatch::changed, this, &LinkStatusBar::refresh);
    connect(&m_port, &MSComm::settingsChanged, this, &LinkStatusBar::refresh);
    // Each new text lays the bar out anew; a stream of reads (a poll every
    // 0.1 s) would do that sixty times a second.
    connect(&m_traffic, &TrafficCount::changed, m_trafficShown, &Throttle::request);
    m_trafficShown->request();
    refresh();
}

QLabel *LinkStatusBar::makePart(QLabel *label, const QString &name, const QString &description)
{
    label->setObjectName(name);
    label->setAccessibleDescription(description);
    label->setMinimumHeight(label->fontMetrics().height()); // also while it has no text
    return label;
}

void LinkStatusBar::refresh()
{
    lblPort->setText(u"COM %1 \u2014 %2"_s.arg(m_port.CommPort()).arg(m_port.DeviceName()));
    const auto settings = SerialSettings::parse(m_port.Settings());
    lblSpeed->setText(settings ? settings->summary() : m_port.Settings());
    lblState->setText(m_watch.state().text());
    lblState->setToolTip(lblState->text());
}

void LinkStatusBar::showClients(int count)
{
    lblClients->setText(count > 0 ? u"Clients: %1"_s.arg(count) : QString());
    lblClients->setToolTip(count == 1 ? u"1 program uses the port through the panel"_s
                                      : u"%1 programs use the port through the panel"_s.arg(count));
}

void LinkStatusBar::showNote(const QString &note)
{
    lblNote->setText(note);
    lblNote->setToolTip(note);
}
