#pragma once

#include <QWidget>

class BoardHost;
class LcdWidget;
class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;

// The board on the screen: its display, the three output lamps, controls for
// the digital and analog inputs, a power switch and a log of what arrives.
class BoardWindow : public QWidget
{
    Q_OBJECT

public:
    // The title names the link the panel opens ("VantorBoard — /tmp/vantorboard"),
    // so that boards side by side tell apart; the log's heading adds its device.
    BoardWindow(BoardHost &host, const QString &linkPath, const QString &devicePath,
                QWidget *parent = nullptr);

private:
    void setUpStatus();
    void setUpLog();
    void buildLayout(const QString &linkText);
    QWidget *buildOutputs();
    QWidget *buildInputs();
    QWidget *buildAnalog();
    void initConnections();
    void refresh();
    void updateLamps();
    void updateStatus();
    void updateAnalogTexts();
    void appendLog(const QStringList &lines);
    void flushLog();
    void showMismatch(bool mismatch);

    // What the controls below the display show; they are redone only when it changes.
    struct Shown
    {
        int outputs = -1;
        bool lit = false;
        int brightness = 0;
        int autoOff = 0;
        int baud = 0;
        bool graphMode = false;
        int voltageCount = 0;
        int currentCount = 0;
        bool operator==(const Shown &other) const;
    };

    BoardHost &m_host;
    Shown m_shown;
    LcdWidget *m_lcd;
    QLabel *m_lamps[3] = {};
    QButtonGroup *m_inputs = nullptr;
    QSpinBox *m_voltage = nullptr;
    QSpinBox *m_current = nullptr;
    QLabel *m_voltageText = nullptr;
    QLabel *m_currentText = nullptr;
    QPushButton *m_powerCycle;
    QLabel *m_status;
    QLabel *m_mismatch;
    QPlainTextEdit *m_log;
    QStringList m_pendingLog; // written out a few times a second, not per arrival
    QTimer *m_logTimer;
};
