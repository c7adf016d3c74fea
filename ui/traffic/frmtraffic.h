#pragma once

#include "ui/toolwindow.h"

class QLabel;
class QListView;
class QPushButton;
class TrafficModel;

// "Traffic": the list of everything that went over the wire (see
// TrafficModel), newest at the bottom, followed while the list is scrolled to
// its end. "Pause" holds new entries back so the list stands still for
// reading, "Resume" shows them; "Clear" empties the list; "Save..." writes the
// lines shown to a text file.
class frmTraffic : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmTraffic(TrafficModel &model, QWidget *parent = nullptr);

protected:
    void Form_Load() override;

private:
    void buildControls();
    void initConnections();

    void cmdPause_Click();
    void cmdClear_Click();
    void cmdSave_Click();
    void ShowHeld();
    void RememberWhetherAtEnd();
    void FollowNewRows();

    TrafficModel &m_model;
    QListView *lstTraffic = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdSave = nullptr;
    bool m_atEnd = true;
    bool m_followPending = false;
};
