#include "ui/tools/frmgraph.h"

#include "link/mscomm.h"
#include "link/msgbox.h"
#include "link/sendcommand.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// An editable picker with its label to the left; what is typed is not added to the list.
QComboBox *LabelledPicker(QWidget *frame, const QString &name, const QString &label, int x, int y)
{
    auto *caption = new QLabel(label, frame);
    caption->setGeometry(x, y, 48, 24);
    auto *picker = new QComboBox(frame);
    picker->setObjectName(name);
    picker->setEditable(true);
    picker->setInsertPolicy(QComboBox::NoInsert);
    picker->setGeometry(x + 50, y, 64, 24);
    caption->setBuddy(picker);
    return picker;
}

QRadioButton *Option(QWidget *frame, const QString &name, const QString &caption, int y)
{
    auto *option = new QRadioButton(caption, frame);
    option->setObjectName(name);
    option->setGeometry(150, y, 124, 24);
    return option;
}

void FillNumbers(QComboBox *picker, int first, int last)
{
    for (int n = first; n <= last; ++n)
        picker->addItem(QString::number(n));
}

} // namespace

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
    cmdDraw = new QPushButton(QStringLiteral("Draw"), this);
    cmdDraw->setObjectName(QStringLiteral("cmdDraw"));
    cmdDraw->setGeometry(104, 176, 96, 30);
    setFixedSize(304, 216);
}

void frmGraph::buildStartPosition()
{
    auto *frame = new QGroupBox(QStringLiteral("Start Position"), this);
    frame->setGeometry(8, 8, 288, 62);
    cboRow = LabelledPicker(frame, QStringLiteral("cboRow"), QStringLiteral("Row"), 12, 26);
    cboColumn =
        LabelledPicker(frame, QStringLiteral("cboColumn"), QStringLiteral("Column"), 150, 26);
}

void frmGraph::buildGraphFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Graph"), this);
    frame->setGeometry(8, 78, 288, 88);
    cboLength =
        LabelledPicker(frame, QStringLiteral("cboLength"), QStringLiteral("Length"), 12, 40);
    optLeft = Option(frame, QStringLiteral("optLeft"), QStringLiteral("Left to Right "), 24);
    optRight = Option(frame, QStringLiteral("optRight"), QStringLiteral("Right to Left"), 54);
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
    FillNumbers(cboColumn, 0, 15);
    FillNumbers(cboLength, 1, 80);
    FillNumbers(cboRow, 0, 1);
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
