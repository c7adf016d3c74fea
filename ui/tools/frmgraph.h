#pragma once

#include "ui/toolwindow.h"

#include <optional>

class MSComm;
class QComboBox;
class QPushButton;
class QRadioButton;

// "Draw Horizontal Graph": draws one horizontal bar from a start position
// (row, column) with a length and a direction. The board is in graph mode
// while the window is open: switched on at opening, off at closing.
class frmGraph : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmGraph(MSComm &port, QWidget *parent = nullptr);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void buildControls();
    void buildStartPosition();
    void buildGraphFrame();
    void initConnections();
    void fillLists();

    void cmdDraw_Click();
    // The picker's text as a parameter byte; tells the operator when it is none.
    std::optional<quint8> FieldByte(QComboBox *field, const QString &fieldName);
    void SendCommand();

    MSComm &MSComm1;
    QComboBox *cboRow = nullptr;
    QComboBox *cboColumn = nullptr;
    QComboBox *cboLength = nullptr;
    QRadioButton *optLeft = nullptr;
    QRadioButton *optRight = nullptr;
    QPushButton *cmdDraw = nullptr;
};
