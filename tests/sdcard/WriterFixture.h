#pragma once
// The SD card writer window over a temporary "C:\", a fake drive tree whose cards are image files
// and whose mount points are temporary folders, and scripted answers to its questions; a fake
// UDisks2 on a private bus where a test asks for one.
#include "data/modOrvel.h"
#include "platform/DisplaySize.h"
#include "platform/ScriptedPrompts.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/PictureTable.h"
#include "sdcard/frmOrvelSDWrite.h"
#include "tools/make-installation/Installation.h"

#include "FakeSystem.h"
#include "FakeUDisks2.h"
#include "FindChild.h"
#include "SdTestSupport.h"
#include "TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

namespace kx4::test {

// The mount point of the card sdb1 in the fake mount table.
inline const std::string kCardMount = "/media/u/QVR";

class Writer {
public:
    // A system disk (0), the card sdb with its volume sdb1 mounted (D:, drive 1), the unmounted,
    // unpartitioned card sdc (E:, drive 2); the installation's folders; the design 480 x 272
    // landscape in SFC mode.
    Writer() : paths(root.path()), sys(sysDir.path())
    {
        prompts.OnUnscripted = [](const std::string& what) { ADD_FAILURE() << "unscripted " << what; };
        sys.Disk("nvme0n1", "259:0", 1000215216, false, "SSD");
        sys.Mount("259:0", "/", "/dev/nvme0n1", "ext4");
        sys.Disk("sdb", "8:16", 15523840, true, "SD/MMC");
        sys.Partition("sdb", "sdb1", "8:17", 15521792);
        sys.Mount(DevOf(sysDir.path()), kCardMount, "/dev/sdb1");
        sys.Disk("sdc", "8:32", 7744512, true, "Card Reader");
        std::filesystem::create_directories(Card());
        for (const auto& dir : {paths.SDImageDir(), paths.BMPImagesDir(), paths.PreviewDir()})
            std::filesystem::create_directories(dir);
        m.ResetAll();
        m.AppTitle = "QVR Brivane KX4 Pro";
        m.IncludeStdFlag = true;
    }

    ~Writer() { window.reset(); }

    CardSystem System() const { return {sys.Tables(), sys.Nodes(service), sysDir / "root"}; }
    // The folder that stands for the card's mount point.
    std::filesystem::path Card() const { return sysDir / "root" / std::filesystem::path(kCardMount).relative_path(); }

    // The 96 screen bitmaps as the renderer leaves them, the design's 16 marked by screen number.
    void WriteScreens()
    {
        ASSERT_TRUE(WriteScreenFillers(paths));
        const PicSize size = DispCodeScreenSize(DispCodeOf(m));
        for (int s = 0; s < 16; ++s)
            WriteBmp(paths.BMPImagesDir() / ImgName(ScreenRow(DispCodeOf(m), s)), PatternPicture(size.width, size.height, s));
    }
    int ScreenBitmaps() const
    {
        int n = 0;
        for (int code = 1; code <= 6; ++code)
            for (int s = 0; s < 16; ++s)
                n += std::filesystem::exists(paths.BMPImagesDir() / ImgName(ScreenRow(code, s)));
        return n;
    }

    frmOrvelSDWrite& Open()
    {
        window = std::make_unique<frmOrvelSDWrite>(m, paths, prompts, display, System());
        window->show();
        QApplication::processEvents();
        return *window;
    }

    template <class T = QWidget>
    T* Find(const QString& name) const { return Child<T>(*window, name); }
    QRadioButton* Option(int i) const { return Find<QRadioButton>(QString("optDrive_%1").arg(i)); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QCheckBox* Check(const char* name) const { return Find<QCheckBox>(name); }
    QString Text(const char* name) const { return Find<QLabel>(name)->text(); }

    // Chooses drive option `i` and presses the write button; the answers are scripted before.
    void WriteTo(int i)
    {
        Option(i)->click();
        Button("cmdCompileAll")->click();
    }

    // The message boxes shown so far, as icon, title, text.
    struct Box {
        MsgIcon icon;
        std::string title;
        std::string text;
        bool operator==(const Box&) const = default;
    };
    std::vector<Box> Boxes() const
    {
        std::vector<Box> boxes;
        for (const auto& a : prompts.Log())
            boxes.push_back({a.icon, a.title, a.text});
        return boxes;
    }

    // The window as it is after a write, unlocked.
    void ExpectUnlocked() const
    {
        EXPECT_TRUE(Button("cmdCompileAll")->isEnabled());
        EXPECT_TRUE(Button("cmdClose")->isEnabled());
        EXPECT_TRUE(Button("cmdCancel")->isHidden());
        EXPECT_TRUE(Option(0)->isEnabled());
        EXPECT_TRUE(Option(1)->isEnabled());
        EXPECT_FALSE(Option(11)->isEnabled()) << "no drive at O:";
    }

    TempDir root;
    TempDir sysDir;
    Paths paths;
    FakeSystem sys;
    std::shared_ptr<DiskService> service; // the desktop's disk service; none unless a test sets one
    modOrvel m;
    ScriptedPrompts prompts;
    FixedDisplaySize display{{1600 * 15, 1000 * 15}};
    std::unique_ptr<frmOrvelSDWrite> window;
};

// The fake UDisks2 of a Writer on its own bus, serving the two cards and sdb1's file system, which
// is mounted; the window is given the program's disk service on that bus.
struct WriterUDisks2 {
    explicit WriterUDisks2(Writer& t) : bus(t.sysDir.path()), udisks(bus, t.sys, t.sysDir / "root")
    {
        udisks.Block("sdb", "8:16", t.sys.Image("sdb", "8:16", 64));
        udisks.Block("sdb1", "8:17", t.sys.Image("sdb1", "8:17", 64));
        udisks.Block("sdc", "8:32", t.sys.Image("sdc", "8:32", 256));
        udisks.Filesystem("sdb1", kCardMount, true);
        t.service = bus.Service();
    }
    PrivateBus bus;
    FakeUDisks2 udisks;
};

inline std::ostream& operator<<(std::ostream& os, const Writer::Box& b)
{
    return os << "{" << static_cast<int>(b.icon) << ", \"" << b.title << "\", \"" << b.text << "\"}";
}

inline const std::string kSfcConfirm = "This action will permanently alter data on drive D:\n"
                                       "and logical drives on physical drive: 1\nDo you want to continue?";
inline const std::string kRawConfirmE = "This action will permanently erase data on drive E:\n"
                                        "and all logical drives on physical drive: 2\nDo you want to continue?";

} // namespace kx4::test
