#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Every message box of the panel goes through MsgBox, titled with the
// application's name. A handler can take the place of the real dialog, so
// tests read the messages and give the answers.
inline const QString AppTitle = QStringLiteral("VantorApp");

struct MsgBoxRequest
{
    QWidget *parent = nullptr;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString informativeText; // shown below the text: details, what to do
};

using MsgBoxHandler = std::function<QMessageBox::StandardButton(const MsgBoxRequest &)>;

// Shows the message and returns the button the operator chose.
QMessageBox::StandardButton
MsgBox(QWidget *parent, const QString &text, QMessageBox::Icon icon,
       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Shows the box the request describes, informative text included.
QMessageBox::StandardButton MsgBox(const MsgBoxRequest &request);

// Replaces the real dialog; an empty handler brings it back.
void SetMsgBoxHandler(MsgBoxHandler handler);
