// "Create SD Card": the card screen pictures and previews of every screen. "Multi-Profile": the
// multi-profile builder.
#include "designer/frmOrvel.h"

#include "data/modOrvel.h"
#include "designer/render/CreateCardBitmaps.h"
#include "multiprofile/frmOrvelCompileMP.h"

#include <QCheckBox>

namespace kx4 {

void frmOrvel::mnuProgram_Click()
{
    const CreateCardResult result = CreateCardBitmaps(m_, paths_, prompts_);
    if (result == CreateCardResult::Refused)
        return;
    // Card pictures never show the editing boxes of plain texts; its handler redraws when it changes.
    chkHideTitleBG->setChecked(false);
    ScreenShape();
    ShowScreen();
    // The SD card writer opens here once it exists, and only over a complete set of pictures.
}

void frmOrvel::mnuMultiProfile_Click()
{
    frmOrvelCompileMP builder(m_, paths_, prompts_, OpenInFileManager, this);
    builder.exec();
    // A build leaves its last profile in the project: the fresh project is drawn, never that one.
    ResetAfterMultiProfile();
}

} // namespace kx4
