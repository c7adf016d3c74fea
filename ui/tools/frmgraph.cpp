#include "ui/tools/frmgraph.h"

#include "link/mscomm.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"
#include "ui/fixedform.h"
#include "ui/msgbox.h"
#include "ui/sendcommand.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmGraph::frmGraph(MSComm &port, QWidget *parent) : ToolWindow(parent), MSComm1(port)
{
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(QStringLiteral("Draw Horizontal Graph"));
    buildControls();
    initConnections();
}

void frmGraph::buildControls()
{
    buildStartPosition();
    buildGraphFrame();
    cmdDraw =
        makeButton(this, QStringLiteral("cmdDraw"), QStringLiteral("Draw"), {104, 176, 96, 30});
    setFixedSize(304, 216);
}

void frmGraph::buildStartPosition()
{
    auto *frame = makeFrame(this, QStringLiteral("fraStart"), QStringLiteral("Start Position"),
                            {8, 8, 288, 62});
    cboRow = makePicker(frame, QStringLiteral("cboRow"), QStringLiteral("Row"), {62, 26, 64, 24});
    makeLabel(frame, QStringLiteral("Row"), {12, 26, 48, 24}, cboRow);
    cboColumn =
        makePicker(frame, QStringLiteral("cboColumn"), QStringLiteral("Column"), {200, 26, 64, 24});
    makeLabel(frame, QStringLiteral("Column"), {150, 26, 48, 24}, cboColumn);
}

void frmGraph::buildGraphFrame()
{
    auto *frame =
        makeFrame(this, QStringLiteral("fraGraph"), QStringLiteral("Graph"), {8, 78, 288, 88});
    cboLength =
        makePicker(frame, QStringLiteral("cboLength"), QStringLiteral("Length"), {62, 40, 64, 24});
    makeLabel(frame, QStringLiteral("Length"), {12, 40, 48, 24}, cboLength);
    optLeft = makeOption(frame, QStringLiteral("optLeft"), QStringLiteral("Left to Right "),
                         {150, 24, 124, 24});
    optRight = makeOption(frame, QStringLiteral("optRight"), QStringLiteral("Right to Left"),
                          {150, 54, 124, 24});
    optLeft->setChecked(true);
}

void frmGraph::initConnections()
{
    connect(cmdDraw, &QPushButton::clicked, this, &frmGraph::cmdDraw_Click);
}

void frmGraph::Form_Load()
{
    fillLists();
    optLeft->setChecked(true);
    merrowfunc::BuildCommand(Selector::GraphModeOn);
    SendCommand();
}

// Rebuilds the lists from scratch, so each opening starts from the same defaults.
void frmGraph::fillLists()
{
    for (QComboBox *picker : {cboColumn, cboLength, cboRow})
        picker->clear();
    fillNumbers(cboColumn, 0, 15);
    fillNumbers(cboLength, 1, 80);
    fillNumbers(cboRow, 0, 1);
    for (QComboBox *picker : {cboRow, cboColumn, cboLength})
        picker->setCurrentIndex(0);
}

void frmGraph::Form_Unload()
{
    merrowfunc::BuildCommand(Selector::GraphModeOff);
    SendCommand();
}

void frmGraph::cmdDraw_Click()
{
    // All three texts are converted before the first write, so bad text sends nothing.
    const auto length = FieldByte(cboLength, QStringLiteral("Length"));
    if (!length)
        return;
    const auto row = FieldByte(cboRow, QStringLiteral("Row"));
    if (!row)
        return;
    const auto column = FieldByte(cboColumn, QStringLiteral("Column"));
    if (!column)
        return;
    // Read now: a refused first write closes the window, and the bar still
    // goes with the direction the window held.
    const bool leftToRight = optLeft->isChecked();
    if (!BoardTakesCommand(MSComm1, this))
        return;

    merrowfunc::BuildCursorPosition(*row, *column);
    SendCommand();
    if (leftToRight)
        merrowfunc::BuildGraphLeftToRight(*length);
    else
        merrowfunc::BuildGraphRightToLeft(*length);
    SendCommand();
}

std::optional<quint8> frmGraph::FieldByte(QComboBox *field, const QString &fieldName)
{
    const auto value = TextToByte(field->currentText());
    if (!value) {
        MsgBox(this, QStringLiteral("%1 must be a whole number from 0 to 255.").arg(fieldName),
               QMessageBox::Warning);
        field->setFocus();
        field->lineEdit()->selectAll();
    }
    return value;
}

void frmGraph::SendCommand()
{
    ::SendCommand(MSComm1, this, QMessageBox::Information, AfterRefusal::CloseWindow);
}
