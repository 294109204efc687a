#include "designer/render/CreateCardBitmaps.h"

#include "data/modOrvel.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

namespace kx4 {

CreateCardResult CreateCardBitmaps(modOrvel& m, const Paths& paths, Prompts& prompts)
{
    // Any format but SFC writes the standard pictures from the RawImages folder.
    if (m.GetSDFormat() != 0 && !PathExists(paths.RawImagesDir())) {
        prompts.Message(MsgIcon::Information, "Raw Format Error",
                        "Raw image folder missing.\nUse SFC mode or Contact QVR", MsgButtons::Ok);
        return CreateCardResult::Refused;
    }

    const int current = m.CurScreen;
    RenderTarget target;
    ScreenRenderer renderer(m, paths, target, prompts);
    CreateCardResult result = CreateCardResult::Done;
    for (int iRes = 0; iRes < 3; ++iRes) {
        IoResult r = renderer.RenderDLImages(iRes);
        if (r)
            r = renderer.RenderIPImages(iRes);
        if (!r) {
            prompts.Message(MsgIcon::Critical, "Create SD Card", r.message, MsgButtons::Ok);
            result = CreateCardResult::Failed;
            break;
        }
    }
    m.SetScreen(current);
    return result;
}

} // namespace kx4
