#include "boardwindow.h"

#include "boardhost.h"
#include "lcdwidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int InputCount = 8;
// A real board's inputs convert to 10 bits (0 to 1023), but the board answers
// any 16-bit count, and --voltage and --current take the same range, so the
// panel's handling of large counts can be tried.
constexpr int MaxCount = 65535;
constexpr int LogLines = 500;
// The log is written out four times a second, at most 25 lines at a time: a
// steady stream makes far more lines than anyone can read, and laying them
// all out would cost more than running the board. --trace prints every line.
constexpr int LogFlushMs = 250;
constexpr int LogLinesPerFlush = 25;
constexpr int LampSize = 18;
constexpr double VoltsPerCount = 0.0098;
constexpr double MilliampsPerCount = 0.02;

QPixmap lampPicture(const QColor &colour)
{
    QPixmap picture(LampSize, LampSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x30, 0, 0));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(0.5, 0.5, LampSize - 1, LampSize - 1));
    return picture;
}

void paintLamp(QLabel *lamp, bool lit)
{
    static const QPixmap on = lampPicture(QColor(0xff, 0x30, 0x30));
    static const QPixmap off = lampPicture(QColor(0x4a, 0x1c, 0x1c));
    const QVariant was = lamp->property("lit");
    if (was.isValid() && was.toBool() == lit)
        return;
    lamp->setProperty("lit", lit);
    lamp->setPixmap(lit ? on : off);
}

QSpinBox *countBox(const QString &name)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(0, MaxCount);
    return box;
}

} // namespace

BoardWindow::BoardWindow(BoardHost &host, const QString &linkPath, const QString &devicePath,
                         QWidget *parent)
    : QWidget(parent), m_host(host), m_lcd(new LcdWidget(host.model())),
      m_powerCycle(new QPushButton(tr("Power cycle"))), m_status(new QLabel),
      m_mismatch(new QLabel(tr("speed mismatch"))), m_log(new QPlainTextEdit),
      m_logTimer(new QTimer(this))
{
    setWindowTitle(tr("VantorBoard — %1").arg(linkPath));
    setUpStatus();
    setUpLog();
    buildLayout(linkPath + QStringLiteral(" -> ") + devicePath);
    initConnections();
    refresh();
}

void BoardWindow::setUpStatus()
{
    m_powerCycle->setObjectName(QStringLiteral("powerCycle"));
    m_status->setObjectName(QStringLiteral("status"));
    // A fixed size keeps the frequent status changes from relaying the whole window out.
    m_status->setFixedSize(
        m_status->fontMetrics().horizontalAdvance(
            tr("Backlight off, brightness 255, auto-off 255 s | 19200 bit/s | graph mode"))
            + LampSize,
        m_status->fontMetrics().height());
    m_mismatch->setObjectName(QStringLiteral("speedMismatch"));
    m_mismatch->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    // Under the status, as wide as it, its place kept while hidden: showing it
    // changes the window's size in neither direction.
    m_mismatch->setFixedWidth(m_status->width());
    m_mismatch->setWordWrap(true);
    QSizePolicy keepPlace = m_mismatch->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_mismatch->setSizePolicy(keepPlace);
    m_mismatch->hide();
}

void BoardWindow::setUpLog()
{
    m_log->setObjectName(QStringLiteral("log"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(LogLines);
    m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_logTimer->setSingleShot(true);
    m_logTimer->setInterval(LogFlushMs);
}

void BoardWindow::buildLayout(const QString &linkText)
{
    auto *controls = new QHBoxLayout;
    controls->addWidget(buildOutputs());
    controls->addWidget(buildInputs());
    controls->addWidget(buildAnalog());
    auto *statusColumn = new QVBoxLayout;
    statusColumn->addWidget(m_status);
    statusColumn->addWidget(m_mismatch);
    auto *statusRow = new QHBoxLayout;
    statusRow->addLayout(statusColumn);
    statusRow->addStretch();
    statusRow->addWidget(m_powerCycle);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lcd);
    layout->addLayout(statusRow);
    layout->addLayout(controls);
    layout->addWidget(new QLabel(tr("Received (%1)").arg(linkText)));
    layout->addWidget(m_log, 1);
}

QWidget *BoardWindow::buildOutputs()
{
    auto *box = new QGroupBox(tr("Outputs"));
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < 3; ++i) {
        m_lamps[i] = new QLabel;
        m_lamps[i]->setObjectName(QStringLiteral("out%1").arg(i + 1));
        m_lamps[i]->setFixedSize(LampSize, LampSize);
        paintLamp(m_lamps[i], false);
        grid->addWidget(m_lamps[i], 0, i, Qt::AlignHCenter);
        grid->addWidget(new QLabel(tr("Out%1").arg(i + 1)), 1, i, Qt::AlignHCenter);
    }
    return box;
}

// One check box per input bit; the button id is the bit's value.
QWidget *BoardWindow::buildInputs()
{
    auto *box = new QGroupBox(tr("Digital inputs"));
    auto *grid = new QGridLayout(box);
    m_inputs = new QButtonGroup(this);
    m_inputs->setExclusive(false);
    for (int i = 0; i < InputCount; ++i) {
        auto *input = new QCheckBox(tr("In%1").arg(i + 1));
        input->setObjectName(QStringLiteral("in%1").arg(i + 1));
        m_inputs->addButton(input, 1 << i);
        grid->addWidget(input, i / 4, i % 4);
    }
    return box;
}

QWidget *BoardWindow::buildAnalog()
{
    auto *box = new QGroupBox(tr("Analog inputs (counts)"));
    auto *grid = new QGridLayout(box);
    m_voltage = countBox(QStringLiteral("voltageCount"));
    m_current = countBox(QStringLiteral("currentCount"));
    m_voltageText = new QLabel;
    m_voltageText->setObjectName(QStringLiteral("voltageText"));
    m_currentText = new QLabel;
    m_currentText->setObjectName(QStringLiteral("currentText"));
    grid->addWidget(new QLabel(tr("0-10 V")), 0, 0);
    grid->addWidget(m_voltage, 0, 1);
    grid->addWidget(m_voltageText, 0, 2);
    grid->addWidget(new QLabel(tr("0-20 mA")), 1, 0);
    grid->addWidget(m_current, 1, 1);
    grid->addWidget(m_currentText, 1, 2);
    m_voltage->setValue(m_host.model().state().voltageCount);
    m_current->setValue(m_host.model().state().currentCount);
    return box;
}

void BoardWindow::initConnections()
{
    connect(&m_host, &BoardHost::changed, this, &BoardWindow::refresh);
    connect(&m_host, &BoardHost::logLines, this, &BoardWindow::appendLog);
    connect(&m_host, &BoardHost::speedMismatchChanged, this, &BoardWindow::showMismatch);
    connect(m_logTimer, &QTimer::timeout, this, &BoardWindow::flushLog);
    connect(m_powerCycle, &QPushButton::clicked, &m_host, &BoardHost::powerCycle);
    connect(m_inputs, &QButtonGroup::idToggled, this, [this](int bit, bool on) {
        const quint8 bits = m_host.model().state().inputs;
        m_host.setInputs(quint8(on ? bits | bit : bits & ~bit));
    });
    connect(m_voltage, &QSpinBox::valueChanged, this,
            [this](int count) { m_host.setVoltageCount(quint16(count)); });
    connect(m_current, &QSpinBox::valueChanged, this,
            [this](int count) { m_host.setCurrentCount(quint16(count)); });
}

bool BoardWindow::Shown::operator==(const Shown &o) const
{
    return outputs == o.outputs && lit == o.lit && brightness == o.brightness
           && autoOff == o.autoOff && baud == o.baud && graphMode == o.graphMode
           && voltageCount == o.voltageCount && currentCount == o.currentCount;
}

void BoardWindow::refresh()
{
    m_lcd->refresh();
    const BoardModel &model = m_host.model();
    const BoardState &state = model.state();
    const Shown now{state.outputs, model.backlightLit(), state.brightness,   state.autoOff,
                    state.baud,    state.graphMode,      state.voltageCount, state.currentCount};
    if (now == m_shown)
        return;
    m_shown = now;
    updateLamps();
    updateStatus();
    updateAnalogTexts();
}

void BoardWindow::updateLamps()
{
    for (int i = 0; i < 3; ++i)
        paintLamp(m_lamps[i], m_shown.outputs & (1 << i));
}

void BoardWindow::updateStatus()
{
    QString status = tr("Backlight %1, brightness %2, auto-off %3 | %4 bit/s")
                         .arg(m_shown.lit ? tr("on") : tr("off"))
                         .arg(m_shown.brightness)
                         .arg(m_shown.autoOff ? tr("%1 s").arg(m_shown.autoOff) : tr("never"))
                         .arg(m_shown.baud);
    if (m_shown.graphMode)
        status += tr(" | graph mode");
    m_status->setText(status);
}

void BoardWindow::updateAnalogTexts()
{
    m_voltageText->setText(
        tr("%1 V").arg(QString::number(m_shown.voltageCount * VoltsPerCount, 'g', 6)));
    m_currentText->setText(
        tr("%1 mA").arg(QString::number(m_shown.currentCount * MilliampsPerCount, 'g', 6)));
}

void BoardWindow::appendLog(const QStringList &lines)
{
    m_pendingLog += lines;
    if (!m_logTimer->isActive())
        m_logTimer->start();
}

void BoardWindow::flushLog()
{
    if (m_pendingLog.size() > LogLinesPerFlush) {
        const qsizetype skipped = m_pendingLog.size() - (LogLinesPerFlush - 1);
        m_pendingLog.erase(m_pendingLog.begin(), m_pendingLog.begin() + skipped);
        m_pendingLog.prepend(tr("... %1 lines not shown").arg(skipped));
    }
    if (!m_pendingLog.isEmpty())
        m_log->appendPlainText(m_pendingLog.join(QLatin1Char('\n')));
    m_pendingLog.clear();
}

void BoardWindow::showMismatch(bool mismatch)
{
    m_mismatch->setText(tr("speed mismatch: panel %1 bit/s, board %2 bit/s")
                            .arg(m_host.panelBaud())
                            .arg(m_host.model().state().baud));
    m_mismatch->setVisible(mismatch);
}
