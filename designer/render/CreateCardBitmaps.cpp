#include "designer/render/CreateCardBitmaps.h"

#include "data/modOrvel.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kx4 {

CreateCardResult CreateCardBitmaps(modOrvel& m, const Paths& paths, const MessageFn& showMessage)
{
    // Any format but SFC writes the standard pictures from the RawImages folder.
    if (m.GetSDFormat() != 0 && !PathExists(paths.RawImagesDir())) {
        if (showMessage)
            showMessage({MessageIcon::Information, "Raw Format Error",
                         "Raw image folder missing.\r\nUse SFC mode or Contact QVR"});
        return CreateCardResult::Refused;
    }

    const int current = m.CurScreen;
    RenderTarget target;
    ScreenRenderer renderer(m, paths, target, showMessage);
    CreateCardResult result = CreateCardResult::Done;
    for (int iRes = 0; iRes < 3; ++iRes) {
        IoResult r = renderer.RenderDLImages(iRes);
        if (r)
            r = renderer.RenderIPImages(iRes);
        if (!r) {
            if (showMessage)
                showMessage({MessageIcon::Critical, "Create SD Card", r.message});
            result = CreateCardResult::Failed;
            break;
        }
    }
    m.SetScreen(current);
    return result;
}

} // namespace kx4
