// make-installation ROOT: makes a synthetic installation under ROOT, the folder that stands for "C:\".
#include "tools/make-installation/Installation.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ROOT\n  makes RawImages, the screen bitmaps and the core image under "
                             "ROOT/QVR Brivane KX4 Pro\n", argv[0]);
        return 2;
    }
    const kx4::Paths paths{std::filesystem::path(argv[1])};
    const auto start = std::chrono::steady_clock::now();
    if (kx4::IoResult r = kx4::MakeInstallation(paths); !r) {
        std::fprintf(stderr, "%s\n", r.message.c_str());
        return 1;
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("Installation made under %s in %.2f s; core image %s\n", paths.ProgramDir().c_str(), s,
                paths.CoreImageFile().c_str());
    return 0;
}
