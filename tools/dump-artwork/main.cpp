// Writes every built-in picture into a folder as a 24-bit BMP file named after its table entry.
#include "assets/Artwork.h"
#include "assets/Bmp.h"
#include "assets/DesignFonts.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kx4-dump-artwork <folder>\n");
        return 2;
    }
    // Drawing needs no screen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    kx4::SubstituteDesignFonts();

    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "Cannot create the folder \"%s\": %s\n", folder.string().c_str(), ec.message().c_str());
        return 1;
    }
    int written = 0;
    for (const kx4::ArtworkPicture& picture : kx4::AllArtwork()) {
        const std::filesystem::path file = folder / (picture.name + ".bmp");
        if (const kx4::IoResult r = kx4::WriteBmpFile(file, *picture.image); !r) {
            std::fprintf(stderr, "%s\n", r.message.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("%d pictures written to \"%s\"\n", written, folder.string().c_str());
    return 0;
}
