// "Create SD Card": the card screen pictures and previews of every screen, then the SD card writer.
// "Multi-Profile": the multi-profile builder.
#include "designer/frmOrvel.h"

#include "data/modOrvel.h"
#include "designer/render/CreateCardBitmaps.h"
#include "multiprofile/frmOrvelCompileMP.h"
#include "sdcard/frmOrvelSDWrite.h"

#include <QCheckBox>

namespace kx4 {

void frmOrvel::mnuProgram_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    const CreateCardResult result = CreateCardBitmaps(m_, paths_, commandPrompts_);
    if (result == CreateCardResult::Refused)
        return;
    // Card pictures never show the editing boxes of plain texts; its handler redraws when it changes.
    chkHideTitleBG->setChecked(false);
    ScreenShape();
    ShowScreen();
    // The writer converts the pictures just written: never over a missing or stale set.
    if (result != CreateCardResult::Done)
        return;
    frmOrvelSDWrite writer(m_, paths_, prompts_, display_, cardSystem_, this);
    RunModal(writer);
}

void frmOrvel::mnuMultiProfile_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    frmOrvelCompileMP builder(m_, paths_, prompts_, display_, OpenInFileManager, this);
    builder.exec();
    // A build leaves its last profile in the project: the fresh project is drawn, never that one.
    ResetAfterMultiProfile();
}

} // namespace kx4
