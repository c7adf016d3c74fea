#pragma once

#include "ui/custom/customchar.h"
#include "ui/toolwindow.h"

class CharGrid;
class CharPreview;
class MSComm;
class QButtonGroup;
class QGroupBox;
class QPushButton;

// "User's Defined Characters": the operator draws a 5 x 8 character on the
// grid, stores it as one of the eight custom characters, loads all eight into
// the board and writes any of them to the display. The drawing and the eight
// stores belong to this object and outlive closing the window.
class frmCustom : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmCustom(MSComm &port, QWidget *parent = nullptr);

    // The pattern on the grid, row 1 (top) first.
    const CharRows &pattern() const { return bytPattern; }
    // Stored custom character n, 1 to 8 (the board's character code n - 1).
    const CharRows &storedChar(int n) const { return store(n - 1); }

protected:
    void Form_Load() override;

private:
    void buildCharacterFrame();
    void buildSendControls();
    QButtonGroup *addCharButtons(QGroupBox *frame, const QString &groupName,
                                 const QString &buttonName);
    void wireControls();

    void UDC_Click(int row, qint16 Index);
    void cmdClr_Click();
    void cmdSetAll_Click();
    void cmdSet_Click(int Index);
    void cmdLoadCustom_Click();
    void cmdShowC_Click(qint16 Index);
    void SendCommand();

    void showPattern();
    CustomCharSet storedChars() const;
    CharRows &store(int index);
    const CharRows &store(int index) const;

    MSComm &MSComm1;
    CharRows bytPattern{};
    CharRows bytChar1{}, bytChar2{}, bytChar3{}, bytChar4{};
    CharRows bytChar5{}, bytChar6{}, bytChar7{}, bytChar8{};

    CharGrid *m_grid = nullptr;
    CharPreview *m_preview = nullptr;
    QPushButton *cmdClr = nullptr;
    QPushButton *cmdSetAll = nullptr;
    QButtonGroup *cmdSet = nullptr;
    QPushButton *cmdLoadCustom = nullptr;
    QButtonGroup *cmdShowC = nullptr;
};
