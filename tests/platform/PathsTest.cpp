#include "platform/Paths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kx4;
namespace fs = std::filesystem;

TEST(Paths, TheFixedFoldersLieUnderTheRoot)
{
    const Paths p("/r");
    EXPECT_EQ(p.ProgramDir(), fs::path("/r/QVR Brivane KX4 Pro"));
    EXPECT_EQ(p.SDImageFile(), fs::path("/r/QVR Brivane KX4 Pro/SDImage/QVRTOUCH.DAT"));
    EXPECT_EQ(p.PreviewDir(), fs::path("/r/QVR Brivane KX4 Pro/Screen Preview"));
    EXPECT_EQ(p.BMPImagesDir(), fs::path("/r/QVR Brivane KX4 Pro/SDCardGraphics/BMPImages"));
    EXPECT_EQ(p.RawImagesDir(), fs::path("/r/QVR Brivane KX4 Pro/SDCardGraphics/RawImages"));
    EXPECT_EQ(p.CoreImageFile(), fs::path("/r/QVR Brivane KX4 Pro/SDCardGraphics/QVR_KX4_CoreIMG.DAT"));
    EXPECT_EQ(p.BMPLibraryDir(), fs::path("/r/QVR Brivane KX4 Pro Screen/BMP Library"));
}

TEST(Paths, WindowsPathsOnCMapIntoTheRootWithoutRegardToCase)
{
    test::TempDir dir;
    const Paths p(dir.path());
    fs::create_directories(p.BMPLibraryDir());
    { std::ofstream(p.BMPLibraryDir() / "Sunset.bmp") << "x"; }

    EXPECT_EQ(p.Map("C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\SUNSET.BMP"), p.BMPLibraryDir() / "Sunset.bmp");
    EXPECT_EQ(p.Map("c:\\qvr brivane kx4 pro screen\\bmp library\\sunset.bmp"), p.BMPLibraryDir() / "Sunset.bmp");
    EXPECT_EQ(p.Map("C:/QVR Brivane KX4 Pro Screen/BMP Library/Sunset.bmp"), p.BMPLibraryDir() / "Sunset.bmp");
    // A name that is not there keeps its spelling, so the message shows what was asked for.
    EXPECT_EQ(p.Map("C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Gone.BMP"), p.BMPLibraryDir() / "Gone.BMP");
    // Native paths and other drives are taken as they are.
    EXPECT_EQ(p.Map("/tmp/x.bmp"), fs::path("/tmp/x.bmp"));
    EXPECT_EQ(p.Map("D:\\x.bmp"), fs::path("D:\\x.bmp"));
}

TEST(Paths, LogoFilesByPanelSizeAndLayout)
{
    test::TempDir dir;
    const Paths p(dir.path());
    fs::create_directories(p.BMPImagesDir());
    { std::ofstream(p.BMPImagesDir() / "qvrs1_l.bmp") << "x"; }
    EXPECT_EQ(p.LogoFile(0, 0), p.BMPImagesDir() / "QVRS0_L.BMP");
    EXPECT_EQ(p.LogoFile(0, 1), p.BMPImagesDir() / "QVRS0_P.BMP");
    EXPECT_EQ(p.LogoFile(1, 0), p.BMPImagesDir() / "qvrs1_l.bmp") << "found without regard to case";
    EXPECT_EQ(p.LogoFile(2, 1), p.BMPImagesDir() / "QVRS2_P.BMP");
    EXPECT_EQ(p.LogoFile(0, 2), p.LogoFile(1, 0)) << "index ScnRes x 2 + Layout";
    EXPECT_EQ(p.LogoFile(3, 0), fs::path());
    EXPECT_EQ(p.LogoFile(0, -1), fs::path());
}

TEST(Paths, AFolderReadOnceFindsWhatALookUpOnTheDiskFinds)
{
    test::TempDir dir;
    for (const char* name : {"DIGIT0.BMP", "digit1.bmp", "Pb00.Bmp", "pb00.BMP", "Chr0S0B.BMP"})
        std::ofstream(dir / name) << "x";
    const FolderNames names(dir.path());
    for (const char* name : {"DIGIT0.BMP", "DIGIT1.BMP", "PB00.BMP", "pb00.BMP", "Pb00.Bmp", "CHR0S0B.BMP", "Gone.BMP"})
        EXPECT_EQ(names.Find(name), FindNoCase(dir.path(), name)) << name;
    EXPECT_EQ(names.Find("DIGIT1.BMP"), dir / "digit1.bmp");
    EXPECT_EQ(names.Find("Gone.BMP"), dir / "Gone.BMP");
}
