// The backlight panel.

#include "ui/main/frmmain.h"

#include "link/modvariables.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"

#include <QCheckBox>
#include <QSlider>

using namespace Qt::StringLiterals;

void frmMain::optBLON_Click()
{
    merrowfunc::BuildCommand(Selector::BacklightOn);
    SendCommand();
    BacklightLevel->setEnabled(true);
}

void frmMain::optBLOFF_Click()
{
    merrowfunc::BuildCommand(Selector::BacklightOff);
    SendCommand();
    BacklightLevel->setEnabled(true); // brightness stays adjustable while off
}

// The slider runs from 50 to 250, so its value is the brightness byte itself.
void frmMain::BacklightLevel_Change()
{
    merrowfunc::BuildBrightness(quint8(BacklightLevel->value()));
    SendCommand();
}

// Checked: no automatic switch-off (0). Unchecked: the interval read at start-up.
void frmMain::Check1_Click()
{
    const auto interval = TextToByte(strAutoOff);
    if (!interval) {
        TellNothingSent(
            u"The stored Auto Off interval \"%1\" is not a number from 0 to 255. Nothing was sent."_s
                .arg(strAutoOff));
        return;
    }
    merrowfunc::BuildAutoOff(Check1->isChecked() ? 0 : *interval);
    SendCommand();
}
