#include "bench/support/CardWork.h"

#include "bench/support/PairedBench.h"
#include "designer/render/CreateCardBitmaps.h"
#include "sdcard/SfcImage.h"

namespace kx4::bench {

void RenderCard(modOrvel& m, const Paths& paths, Prompts& prompts)
{
    if (CreateCardBitmaps(m, paths, prompts) != CreateCardResult::Done)
        Die("rendering failed");
}

void WriteImage(modOrvel& m, const Paths& paths, const CompileOptions& opt, PicBuffers& buf)
{
    const CompileResult r = WriteSfcImage(m, paths, opt, buf);
    Check(r.write);
    if (!r.Complete())
        Die("the write skipped " + (r.skipped.empty() ? std::string("nothing") : r.skipped.front().message));
}

} // namespace kx4::bench
