#include "ui/custom/frmcustom.h"

#include "link/mscomm.h"
#include "protocol/commandbuffer.h"
#include "ui/custom/chargrid.h"
#include "ui/custom/charpreview.h"
#include "ui/custom/pixelcell.h"
#include "ui/custom/wrapbutton.h"
#include "ui/fixedform.h"
#include "ui/sendcommand.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <utility>

namespace {

// Where "Char n" sits in its frame: two rows of four.
QRect charButtonRect(int index)
{
    static constexpr int Lefts[] = {16, 72, 128, 184};
    return QRect(Lefts[index % 4], index < 4 ? 24 : 56, 49, 25);
}

} // namespace

frmCustom::frmCustom(MSComm &port, QWidget *parent) : ToolWindow(parent), MSComm1(port)
{
    setObjectName(QStringLiteral("frmCustom"));
    setWindowTitle(tr("User's Defined Characters"));
    setFixedSize(530, 259);
    buildCharacterFrame();
    buildSendControls();
    wireControls();
}

void frmCustom::buildCharacterFrame()
{
    auto *FrameC =
        makeFrame(this, QStringLiteral("FrameC"), tr("Custom Character"), {16, 16, 225, 225});
    m_grid = new CharGrid(FrameC);
    cmdClr =
        place(new WrapButton(tr("Clear All"), FrameC), QStringLiteral("cmdClr"), {160, 24, 41, 41});
    cmdSetAll = place(new WrapButton(tr("Set All"), FrameC), QStringLiteral("cmdSetAll"),
                      {160, 80, 41, 41});
    // The free corner under "Set All", level with the bottom of the grid.
    m_preview = place(new CharPreview(FrameC), QStringLiteral("picPreview"), {160, 136, 41, 73});
}

void frmCustom::buildSendControls()
{
    auto *frameSet = makeFrame(this, QStringLiteral("FrameSet"), tr("Set Custom Characters"),
                               {256, 16, 249, 97});
    cmdSet = addCharButtons(frameSet, QStringLiteral("cmdSet"), QStringLiteral("cmdSet%1"));
    cmdLoadCustom = makeButton(this, QStringLiteral("cmdLoadCustom"),
                               tr("Load Custom Characters Onto LCD"), {256, 120, 249, 17});
    auto *frameShow = makeFrame(this, QStringLiteral("FrameShow"), tr("Display Custom Character"),
                                {256, 144, 249, 97});
    cmdShowC = addCharButtons(frameShow, QStringLiteral("cmdShowC"), QStringLiteral("cmdShowC_%1"));
}

// Eight buttons "Char 1" to "Char 8" in a group whose ids are 0 to 7.
QButtonGroup *frmCustom::addCharButtons(QGroupBox *frame, const QString &groupName,
                                        const QString &buttonName)
{
    auto *group = new QButtonGroup(this);
    group->setObjectName(groupName);
    for (int index = 0; index < Cmd::CustomCharCount; ++index) {
        group->addButton(makeButton(frame, buttonName.arg(index), tr("Char %1").arg(index + 1),
                                    charButtonRect(index)),
                         index);
    }
    return group;
}

void frmCustom::wireControls()
{
    connect(m_grid, &CharGrid::cellClicked, this,
            [this](int row, int index) { UDC_Click(row, qint16(index)); });
    connect(cmdClr, &QPushButton::clicked, this, &frmCustom::cmdClr_Click);
    connect(cmdSetAll, &QPushButton::clicked, this, &frmCustom::cmdSetAll_Click);
    connect(cmdSet, &QButtonGroup::idClicked, this, &frmCustom::cmdSet_Click);
    connect(cmdLoadCustom, &QPushButton::clicked, this, &frmCustom::cmdLoadCustom_Click);
    connect(cmdShowC, &QButtonGroup::idClicked, this,
            [this](int index) { cmdShowC_Click(qint16(index)); });
}

// A new showing paints the grid from the pattern kept since the last one, so
// the cells match the bits and the drawing is not lost.
void frmCustom::Form_Load()
{
    showPattern();
}

void frmCustom::showPattern()
{
    m_grid->paint(bytPattern);
    m_preview->setPattern(bytPattern);
}

// A cell turns from light green to black or back; its bit flips with it.
void frmCustom::UDC_Click(int row, qint16 Index)
{
    PixelCell *cell = m_grid->cell(row, Index);
    if (cell->BackColor() == CustomChar::PixelOff)
        cell->setBackColor(CustomChar::PixelOn);
    else if (cell->BackColor() == CustomChar::PixelOn)
        cell->setBackColor(CustomChar::PixelOff);
    bytPattern[row] ^= quint8(Index);
    m_preview->setPattern(bytPattern);
}

void frmCustom::cmdClr_Click()
{
    bytPattern.fill(0);
    showPattern();
}

void frmCustom::cmdSetAll_Click()
{
    bytPattern.fill(CustomChar::FullRow);
    showPattern();
}

// "Char n" of "Set Custom Characters" keeps the drawing as character n.
void frmCustom::cmdSet_Click(int Index)
{
    store(Index) = bytPattern;
}

// The board gets the definition of all eight characters, then the same bytes
// again followed by GraphModeOff: two writes, 66 and 68 bytes.
void frmCustom::cmdLoadCustom_Click()
{
    if (!BoardTakesCommand(MSComm1, this))
        return;
    strCommand = CustomCharsCommand(storedChars());
    SendCommand();
    strCommand += Cmd::command(Cmd::GraphModeOff);
    SendCommand();
}

// "Char n" of "Display Custom Character" writes character code n - 1 as text.
void frmCustom::cmdShowC_Click(qint16 Index)
{
    strCommand = ShowCustomCharCommand(Index);
    SendCommand();
}

void frmCustom::SendCommand()
{
    ::SendCommand(MSComm1, this, QMessageBox::Information, AfterRefusal::CloseWindow);
}

// The eight stores in character order, as the definition command takes them.
CustomCharSet frmCustom::storedChars() const
{
    CustomCharSet chars;
    for (int index = 0; index < Cmd::CustomCharCount; ++index)
        chars[index] = store(index);
    return chars;
}

CharRows &frmCustom::store(int index)
{
    return const_cast<CharRows &>(std::as_const(*this).store(index));
}

// Store index 0 is bytChar1 ... index 7 is bytChar8.
const CharRows &frmCustom::store(int index) const
{
    static constexpr CharRows frmCustom::*Stores[Cmd::CustomCharCount] = {
        &frmCustom::bytChar1, &frmCustom::bytChar2, &frmCustom::bytChar3, &frmCustom::bytChar4,
        &frmCustom::bytChar5, &frmCustom::bytChar6, &frmCustom::bytChar7, &frmCustom::bytChar8};
    return this->*Stores[index];
}
