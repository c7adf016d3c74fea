#pragma once

#include "ui/toolwindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class TrafficFilter;
class TrafficModel;

// "Traffic": the list of everything that went over the wire and what the port
// did (see TrafficModel), newest at the bottom, followed while the list is
// scrolled to its end. The filter field shows only the entries that contain
// its text, whatever the case; the time picker chooses between ms since the
// panel started and the clock time. "Pause" holds new entries back so the list
// stands still for reading, "Resume" shows them; "Clear" empties the list;
// "Save..." writes the lines shown to a text file. The time choice is kept in
// the settings file.
class frmTraffic : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmTraffic(TrafficModel &model, QWidget *parent = nullptr);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void buildControls();
    void initConnections();

    void txtFilter_Change(const QString &text);
    void cboTime_Click(int index);
    void cmdPause_Click();
    void cmdClear_Click();
    void cmdSave_Click();
    void ShowStatus();
    void RememberWhetherAtEnd();
    void FollowNewRows();

    TrafficModel &m_model;
    TrafficFilter *m_filter;
    QLineEdit *txtFilter = nullptr;
    QComboBox *cboTime = nullptr;
    QListView *lstTraffic = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdSave = nullptr;
    bool m_atEnd = true;
    bool m_followPending = false;
};
