#pragma once

#include <QWidget>

// A tool window of the main window: created once, shown modeless beside it,
// kept with its variables after closing until the program ends. Each showing
// runs Form_Load anew and each closing runs Form_Unload once, however the
// window is closed, also when it closes itself while loading. Escape closes
// it as its title bar's close button does.
class ToolWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ToolWindow(QWidget *parent = nullptr);

    // Loads and shows the window, or brings it to the front when it is shown.
    void open();
    // True from the start of Form_Load until the window closes.
    bool isLoaded() const { return m_loaded; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dropClosedWindowHandle();

    bool m_loaded = false;
};
