#include "lcdwidget.h"

#include "boardmodel.h"

#include <QPainter>

namespace {

// Layout in logical pixels; the painter scales it to the widget.
constexpr int Dot = 4;
constexpr int DotPitch = 5;
constexpr int CellWidth = LcdFont::Columns * DotPitch - 1;
constexpr int CellHeight = LcdFont::Rows * DotPitch - 1;
constexpr int CellGapX = 6;
constexpr int CellGapY = 8;
constexpr int GlassMargin = 16;
constexpr int Bezel = 14;
constexpr int GlassWidth =
    2 * GlassMargin + BoardModel::Columns * CellWidth + (BoardModel::Columns - 1) * CellGapX;
constexpr int GlassHeight =
    2 * GlassMargin + BoardModel::Rows * CellHeight + (BoardModel::Rows - 1) * CellGapY;
constexpr int TotalWidth = GlassWidth + 2 * Bezel;
constexpr int TotalHeight = GlassHeight + 2 * Bezel;
constexpr int BlinkMs = 500;
constexpr int FrameMs = 80;
constexpr int CursorLine = LcdFont::Rows - 1;

const QColor BoardGreen(22, 90, 48);
const QColor GlassDark(62, 74, 52);
const QColor GlassLit(158, 206, 46);

QColor mix(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

} // namespace

LcdWidget::LcdWidget(const BoardModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("lcd"));
    setMinimumSize(TotalWidth / 2, TotalHeight / 2);
    setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent covers every pixel
    m_blinkTimer.setInterval(BlinkMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &LcdWidget::blink);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(FrameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &LcdWidget::frameDue);
}

QSize LcdWidget::sizeHint() const
{
    return QSize(TotalWidth, TotalHeight);
}

bool LcdWidget::Look::operator==(const Look &o) const
{
    return display == o.display && row == o.row && column == o.column && cursor == o.cursor
           && blinkOn == o.blinkOn && lit == o.lit && brightness == o.brightness
           && graphMode == o.graphMode && customChars == o.customChars;
}

LcdWidget::Look LcdWidget::look() const
{
    const BoardState &state = m_model.state();
    return Look{state.display,    state.row,       state.column,
                state.cursor,     m_blinkOn,       m_model.backlightLit(),
                state.brightness, state.graphMode, state.customChars};
}

void LcdWidget::refresh()
{
    const bool blinking = m_model.state().cursor == CursorStyle::BlockBlink;
    if (blinking && !m_blinkTimer.isActive())
        m_blinkTimer.start();
    else if (!blinking)
        m_blinkTimer.stop();
    if (look() == m_painted)
        return;
    if (m_frameTimer.isActive()) {
        m_frameDirty = true;
        return;
    }
    update();
    m_frameTimer.start();
}

void LcdWidget::frameDue()
{
    if (!m_frameDirty)
        return;
    m_frameDirty = false;
    update();
    m_frameTimer.start();
}

void LcdWidget::blink()
{
    m_blinkOn = !m_blinkOn;
    update();
}

LcdWidget::Palette LcdWidget::colours() const
{
    const BoardState &state = m_model.state();
    const double light = m_model.backlightLit() ? state.brightness / 255.0 : 0.0;
    Palette colours;
    colours.glass = mix(GlassDark, GlassLit, light);
    colours.dotOff = colours.glass.darker(112);
    colours.dotOn = mix(QColor(16, 24, 10), QColor(28, 44, 60), light);
    return colours;
}

void LcdWidget::paintEvent(QPaintEvent *)
{
    const Look now = look();
    if (m_frame.isNull() || !(now == m_painted)) {
        renderFrame();
        m_painted = now;
    }
    QPainter painter(this);
    const double scale = std::min(width() / double(TotalWidth), height() / double(TotalHeight));
    const QSize size(qRound(TotalWidth * scale), qRound(TotalHeight * scale));
    // Whole pixels, so that at the natural size the frame is copied, not scaled.
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    const QRegion around = QRegion(rect()) - target;
    for (const QRect &part : around)
        painter.fillRect(part, palette().window());
    painter.drawImage(target, m_frame);
}

void LcdWidget::renderFrame()
{
    const Palette colours = this->colours();
    // The cells cover their dots; the glass around them only changes with the light.
    if (m_frame.isNull() || colours.glass != m_glass) {
        m_frame = QImage(TotalWidth, TotalHeight, QImage::Format_RGB32);
        renderGlass(colours);
        m_glass = colours.glass;
    }
    for (int row = 0; row < BoardModel::Rows; ++row)
        for (int column = 0; column < BoardModel::Columns; ++column)
            renderCell(row, column, colours);
}

void LcdWidget::fill(const QRect &rect, QRgb colour)
{
    auto *pixels = reinterpret_cast<QRgb *>(m_frame.bits());
    const qsizetype stride = m_frame.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        QRgb *line = pixels + y * stride;
        std::fill(line + rect.left(), line + rect.right() + 1, colour);
    }
}

void LcdWidget::renderGlass(const Palette &colours)
{
    fill(QRect(0, 0, TotalWidth, TotalHeight), BoardGreen.rgb());
    fill(QRect(Bezel - 4, Bezel - 4, GlassWidth + 8, GlassHeight + 8), qRgb(0, 0, 0));
    fill(QRect(Bezel, Bezel, GlassWidth, GlassHeight), colours.glass.rgb());
}

// The character's dots with the cursor laid over them.
Glyph LcdWidget::cellDots(int row, int column) const
{
    const BoardState &state = m_model.state();
    Glyph dots = m_model.glyph(state.display.at(row, column));
    if (row != state.row || column != state.column)
        return dots;
    if (state.cursor == CursorStyle::Underline)
        dots[CursorLine] = 0x1F;
    else if (state.cursor == CursorStyle::BlockBlink && m_blinkOn)
        dots.fill(0x1F);
    return dots;
}

void LcdWidget::renderCell(int row, int column, const Palette &colours)
{
    const Glyph dots = cellDots(row, column);
    const int left = Bezel + GlassMargin + column * (CellWidth + CellGapX);
    const int top = Bezel + GlassMargin + row * (CellHeight + CellGapY);
    for (int y = 0; y < LcdFont::Rows; ++y) {
        for (int x = 0; x < LcdFont::Columns; ++x) {
            const bool on = dots[size_t(y)] & (0x10 >> x);
            fill(QRect(left + x * DotPitch, top + y * DotPitch, Dot, Dot),
                 on ? colours.dotOn.rgb() : colours.dotOff.rgb());
        }
    }
}
