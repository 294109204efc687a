#include "data/ProjectFiles.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kx4;
using kx4::test::Entries;
using kx4::test::ReadBytes;
using kx4::test::TempDir;
using kx4::test::WriteBytes;

namespace {

std::unique_ptr<modOrvel> Fresh()
{
    auto m = std::make_unique<modOrvel>();
    m->ResetAll();
    return m;
}

int WordAt(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::int16_t>(b[at] | (b[at + 1] << 8));
}

// A project with something on every screen, to tell screens apart.
std::unique_ptr<modOrvel> Populated()
{
    auto m = Fresh();
    for (int s = 0; s < 16; ++s) {
        m->SetScreen(s);
        m->SetBtnType(s % 32, 1 + s);
        m->SetBtnLeft(s % 32, 10 * s + 300);
        m->SetBtnText(s % 32, "Screen " + std::to_string(s));
        m->SetTxtType(1, 1);
        m->SetTxtText(1, "caf\u00E9 " + std::to_string(s));
        m->ScreenBG[s] = "[&H" + std::to_string(100000 + s) + "&";
    }
    m->SetScreen(0);
    m->SetBVAddress(42);
    m->SetScnRes(2);
    return m;
}

} // namespace

TEST(PanelDataFile, FreshProjectHasTheDocumentedLayout)
{
    TempDir dir;
    auto m = Fresh();
    m->DataFile = (dir / "new.KQC").string();
    m->DataChanged = true;
    ASSERT_TRUE(m->SaveData());
    EXPECT_FALSE(m->DataChanged);

    const auto bytes = ReadBytes(dir / "new.KQC");
    ASSERT_EQ(bytes.size(), 98505u);
    // PanelCfg entry 978 (device range 3) and DesignCfg caption of button 0, low byte first.
    EXPECT_EQ(WordAt(bytes, 2 * 978), 3);
    EXPECT_EQ(WordAt(bytes, 32768 + 2 * 1), 0);
    EXPECT_EQ(WordAt(bytes, 32768 + 2 * 2), 96);
    EXPECT_EQ(WordAt(bytes, 32768 + 2 * 11), 'B');
    EXPECT_EQ(WordAt(bytes, 32768 + 2 * 13), '0');
    EXPECT_EQ(WordAt(bytes, 32768 + 2 * 14), '1');
    std::size_t at = 98304;
    EXPECT_EQ(WordAt(bytes, at), 4);
    EXPECT_EQ(std::string(bytes.begin() + at + 2, bytes.begin() + at + 6), "[*L]");
    at += 6;
    for (int s = 1; s < 16; ++s) {
        ASSERT_EQ(WordAt(bytes, at), 11);
        EXPECT_EQ(std::string(bytes.begin() + at + 2, bytes.begin() + at + 13), "[&HEFEFEF&]");
        at += 13;
    }
    EXPECT_EQ(at, bytes.size());
}

TEST(PanelDataFile, SaveAndLoadGiveTheSameProject)
{
    TempDir dir;
    auto m = Populated();
    m->ScreenBG[3] = "/home/u/Bilder/\u00C4rger \u20AC.bmp";
    m->DataFile = (dir / "p.KQC").string();
    ASSERT_TRUE(m->SaveData());

    auto other = Fresh();
    other->SetScreen(6);
    other->SelButton = 3;
    other->DataChanged = true;
    other->DataFile = m->DataFile;
    ASSERT_TRUE(other->LoadData());
    EXPECT_EQ(other->PanelCfg, m->PanelCfg);
    EXPECT_EQ(other->DesignCfg, m->DesignCfg);
    EXPECT_EQ(other->ScreenBG, m->ScreenBG);
    EXPECT_FALSE(other->DataChanged);
    EXPECT_EQ(other->CurScreen, 6) << "loading keeps the current screen";
    EXPECT_EQ(other->SelButton, 3);
}

TEST(PanelDataFile, SavingOverALongerFileLeavesExactlyTheNewLength)
{
    TempDir dir;
    const auto path = dir / "p.KQC";
    WriteBytes(path, std::vector<std::uint8_t>(200000, 0xAB));
    auto m = Fresh();
    m->DataFile = path.string();
    ASSERT_TRUE(m->SaveData());
    EXPECT_EQ(ReadBytes(path).size(), 98505u);
}

TEST(PanelDataFile, ReadersAcceptLongerFiles)
{
    TempDir dir;
    auto m = Populated();
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePanelData(*m, bytes));
    bytes.insert(bytes.end(), 40, 0xEE);
    WriteBytes(dir / "long.KQC", bytes);
    ProjectTables t;
    ASSERT_TRUE(LoadPanelDataFile(dir / "long.KQC", t));
    EXPECT_EQ(t.ScreenBG, m->ScreenBG);
}

TEST(PanelDataFile, DamagedFilesChangeNothing)
{
    TempDir dir;
    auto source = Populated();
    std::vector<std::uint8_t> good;
    ASSERT_TRUE(EncodePanelData(*source, good));

    std::vector<std::vector<std::uint8_t>> damaged;
    damaged.emplace_back(good.begin(), good.begin() + 50000);        // inside the tables
    damaged.emplace_back(good.begin(), good.begin() + 98304);        // no strings at all
    damaged.emplace_back(good.begin(), good.end() - 1);              // last string cut
    auto badLength = good;
    badLength[98304] = 0xFF;                                          // first string runs past the end
    badLength[98305] = 0xFF;
    damaged.push_back(badLength);
    damaged.emplace_back();                                           // empty file

    for (std::size_t i = 0; i < damaged.size(); ++i) {
        const auto path = dir / ("bad" + std::to_string(i) + ".KQC");
        WriteBytes(path, damaged[i]);
        auto m = Fresh();
        m->SetBtnType(0, 4);
        m->DataChanged = true;
        m->DataFile = path.string();
        const auto before = static_cast<ProjectTables>(*m);
        const IoResult r = m->LoadData();
        EXPECT_FALSE(r) << i;
        EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
        EXPECT_EQ(m->PanelCfg, before.PanelCfg) << i;
        EXPECT_EQ(m->DesignCfg, before.DesignCfg) << i;
        EXPECT_EQ(m->ScreenBG, before.ScreenBG) << i;
        EXPECT_TRUE(m->DataChanged) << i;
    }

    auto m = Fresh();
    m->DataFile = (dir / "missing.KQC").string();
    EXPECT_FALSE(m->LoadData());
}

TEST(PanelDataFile, PanelOptionsNoListCanShowMarkTheFileDamaged)
{
    TempDir dir;
    auto source = Populated();
    std::vector<std::uint8_t> good;
    ASSERT_TRUE(EncodePanelData(*source, good));
    const auto path = dir / "odd.KQC";
    const std::string damaged = "\"" + path.string() + "\" is not a panel data file: it is cut short or damaged.";

    // Entry 976 + offset: BVAddress 1, BVRange 2, ScnRes 4, SDFormat 5.
    struct Case { int offset; int value; bool loads; };
    for (const Case c : {Case{4, 3, false}, Case{4, -1, false}, Case{5, 2, false}, Case{5, -1, false},
                         Case{1, 251, false}, Case{1, -1, false}, Case{2, 64, false}, Case{2, -4, false},
                         Case{4, 2, true}, Case{5, 1, true}, Case{1, 250, true}, Case{2, 63, true}, Case{2, 0, true},
                         Case{0, 7, true}, Case{3, 9, true}}) { // Layout and Beep show any value
        auto bytes = good;
        bytes[2 * (976 + c.offset)] = static_cast<std::uint8_t>(c.value & 0xFF);
        bytes[2 * (976 + c.offset) + 1] = static_cast<std::uint8_t>((c.value >> 8) & 0xFF);
        WriteBytes(path, bytes);
        ProjectTables t;
        t.ScreenBG[0] = "kept";
        const IoResult r = LoadPanelDataFile(path, t);
        EXPECT_EQ(bool(r), c.loads) << c.offset << " = " << c.value;
        if (!c.loads) {
            EXPECT_EQ(r.message, damaged);
            EXPECT_EQ(t.ScreenBG[0], "kept");
        }
    }

    // Element records stay as stored, whatever their values.
    auto odd = Fresh();
    odd->SetBtnType(0, 99);
    odd->SetTxtFontSize(3, -5);
    ASSERT_TRUE(SavePanelDataFile(*odd, path));
    ProjectTables t;
    ASSERT_TRUE(LoadPanelDataFile(path, t));
    EXPECT_EQ(t.PanelCfg, odd->PanelCfg);
}

TEST(AtomicWrite, AFailureHalfwayLeavesTheOldFileAndNoTemporaryFile)
{
    TempDir dir;
    const auto path = dir / "p.KQC";
    WriteBytes(path, {1, 2, 3});
    const IoResult r = WriteFileThrough(path, [](int fd, std::uint64_t& size) -> std::string {
        const std::vector<std::uint8_t> half(8192, 0x55);
        size = WriteFullAt(fd, half, 0);
        return "disk gone";
    });
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("p.KQC"), std::string::npos);
    EXPECT_NE(r.message.find("disk gone"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(Entries(dir.path()).size(), 1u);
}

TEST(PanelDataFile, ASaveIntoAMissingFolderFailsAndNamesTheFile)
{
    TempDir dir;
    auto m = Fresh();
    m->DataFile = (dir / "no" / "such" / "p.KQC").string();
    m->DataChanged = true;
    const IoResult r = m->SaveData();
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("p.KQC"), std::string::npos);
    EXPECT_TRUE(m->DataChanged);
}

TEST(ScreenFile, ExportFromHomeImportIntoScreenSeven)
{
    TempDir dir;
    auto a = Populated();
    a->SetScreen(0);
    a->ScreenFile = (dir / "home.KQS").string();
    ASSERT_TRUE(a->ExportScreenData());
    const auto bytes = ReadBytes(dir / "home.KQS");
    ASSERT_EQ(bytes.size(), 6560u);
    EXPECT_EQ(WordAt(bytes, 2 * (256 + 0)), 1) << "button 0's type";
    EXPECT_EQ(WordAt(bytes, 6048), '[');
    EXPECT_EQ(WordAt(bytes, 6048 + 2 * 255), 0);

    auto b = Fresh();
    b->SetScreen(3);
    b->SetBtnType(5, 7);
    b->SetScreen(0);
    b->SetBVAddress(9);
    b->SetScreen(7);
    b->DataChanged = false;
    b->SelPilot = 2;
    const auto before = static_cast<ProjectTables>(*b);
    b->ScreenFile = a->ScreenFile;
    ASSERT_TRUE(b->ImportScreenData());

    EXPECT_EQ(b->GetBtnType(0), 1);
    EXPECT_EQ(b->GetBtnLeft(0), 300);
    EXPECT_EQ(b->GetBtnText(0), "Screen 0");
    EXPECT_EQ(b->GetTxtText(1), "caf\u00E9 0");
    EXPECT_EQ(b->ScreenBG[7], a->ScreenBG[0]);
    EXPECT_FALSE(b->DataChanged);
    EXPECT_EQ(b->SelPilot, 2);
    for (int i = 0; i < kPanelCfgSize; ++i) {
        if (i / 1024 != 7) {
            ASSERT_EQ(b->PanelCfg[i], before.PanelCfg[i]) << "entry " << i;
        }
    }
    for (int i = 0; i < kDesignCfgSize; ++i) {
        if (i / 2048 != 7) {
            ASSERT_EQ(b->DesignCfg[i], before.DesignCfg[i]) << "entry " << i;
        }
    }
    EXPECT_EQ(b->GetBVAddress(), 9);
}

TEST(ScreenFile, ImportIntoHomeKeepsThePanelSettings)
{
    TempDir dir;
    auto a = Populated();
    a->SetScreen(5);
    a->ScreenFile = (dir / "s5.KQS").string();
    ASSERT_TRUE(a->ExportScreenData());
    auto b = Fresh();
    b->SetLayout(1);
    b->SetBVRange(31);
    b->ScreenFile = a->ScreenFile;
    ASSERT_TRUE(b->ImportScreenData());
    EXPECT_EQ(b->GetLayout(), 1);
    EXPECT_EQ(b->GetBVRange(), 31);
    EXPECT_EQ(b->GetBtnType(5), 6);
}

TEST(ScreenFile, BackgroundLengthLimits)
{
    TempDir dir;
    auto m = Fresh();
    m->SetScreen(2);
    m->ScreenBG[2] = std::string(256, 'p');
    m->ScreenFile = (dir / "full.KQS").string();
    ASSERT_TRUE(m->ExportScreenData());
    auto n = Fresh();
    n->ScreenFile = m->ScreenFile;
    ASSERT_TRUE(n->ImportScreenData());
    EXPECT_EQ(n->ScreenBG[0], std::string(256, 'p'));

    m->ScreenBG[2] = "";
    m->ScreenFile = (dir / "empty.KQS").string();
    ASSERT_TRUE(m->ExportScreenData());
    const auto bytes = ReadBytes(dir / "empty.KQS");
    for (std::size_t k = 6048; k < 6560; ++k)
        ASSERT_EQ(bytes[k], 0);
    n->ScreenFile = m->ScreenFile;
    ASSERT_TRUE(n->ImportScreenData());
    EXPECT_EQ(n->ScreenBG[0], "");

    m->ScreenBG[2] = std::string(257, 'q');
    m->ScreenFile = (dir / "long.KQS").string();
    const IoResult r = m->ExportScreenData();
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("long.KQS"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "long.KQS"));
}

TEST(ScreenFile, ShortOrMissingFilesChangeNoScreen)
{
    TempDir dir;
    WriteBytes(dir / "short.KQS", std::vector<std::uint8_t>(6559, 1));
    auto m = Populated();
    m->SetScreen(3);
    const auto before = static_cast<ProjectTables>(*m);
    m->ScreenFile = (dir / "short.KQS").string();
    EXPECT_FALSE(m->ImportScreenData());
    m->ScreenFile = (dir / "missing.KQS").string();
    EXPECT_FALSE(m->ImportScreenData());
    EXPECT_EQ(m->PanelCfg, before.PanelCfg);
    EXPECT_EQ(m->DesignCfg, before.DesignCfg);
    EXPECT_EQ(m->ScreenBG, before.ScreenBG);
}
