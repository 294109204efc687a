#include "data/modOrvel.h"

#include "data/Ansi.h"
#include "data/PanelSizes.h"
#include "data/ProjectFiles.h"

#include <cmath>
#include <cstdio>

namespace kx4 {
namespace {

// A record family inside one screen of a table: first entry, record size, slot count.
struct Family {
    int start;
    int size;
    int count;
};

constexpr Family kPilotRec{0, 8, kPilotCount};
constexpr Family kButtonRec{256, 16, kButtonCount};
constexpr Family kSliderRec{768, 10, kSliderCount};
constexpr Family kTextRec{848, 8, kTextCount};
constexpr Family kButtonDsn{0, 35, kButtonCount};
constexpr Family kSliderDsn{1120, 4, kSliderCount};
constexpr Family kTextDsn{1152, 56, kTextCount};

constexpr int kSettings = 976; // PanelSettings.Layout; the others follow

// The first entry of a field of slot `slot` in the screen whose table part starts at `base`,
// or null when the slot lies outside its family.
template <class Table>
auto Entry(Table& table, int base, const Family& f, int slot, int field) -> decltype(&table[0])
{
    if (slot < 0 || slot >= f.count || field < 0 || field >= f.size)
        return nullptr;
    if (base < 0 || static_cast<std::size_t>(base + f.start + f.count * f.size) > table.size())
        return nullptr;
    return &table[static_cast<std::size_t>(base + f.start + slot * f.size + field)];
}

template <class Project>
auto CfgAt(Project& m, const Family& f, int slot, int field) { return Entry(m.PanelCfg, m.ScrBase, f, slot, field); }

template <class Project>
auto DsnAt(Project& m, const Family& f, int slot, int field) { return Entry(m.DesignCfg, m.DsnBase, f, slot, field); }

int Get1(const i16* e) { return e ? *e : 0; }
void Set1(i16* e, int v)
{
    if (e)
        *e = static_cast<i16>(v);
}

// Two entries, high byte first; Mod keeps the sign of v as the stored files expect.
int Get2(const i16* e) { return e ? static_cast<i16>(e[0] * 256 + e[1]) : 0; }
void Set2(i16* e, int v)
{
    if (!e)
        return;
    e[0] = static_cast<i16>(static_cast<int>(std::floor(v / 256.0)));
    e[1] = static_cast<i16>(v % 256);
}

void SetCodes(i16* e, int length, std::string_view utf8)
{
    if (!e)
        return;
    const std::string ansi = Utf8ToAnsi(utf8);
    for (int k = 0; k < length; ++k)
        e[k] = k < static_cast<int>(ansi.size()) ? static_cast<i16>(static_cast<std::uint8_t>(ansi[k])) : 0;
}

std::string GetCodes(const i16* e, int length)
{
    std::string out;
    if (!e)
        return out;
    for (int k = 0; k < length; ++k)
        if (e[k] > 0)
            AppendAnsiChar(out, e[k] <= 255 ? static_cast<std::uint8_t>(e[k]) : std::uint8_t{'?'});
    return out;
}

} // namespace

std::string TwoDigits(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::string DefaultButtonCaption(int slot) { return "B " + TwoDigits(slot + 1); }

std::string Hex1(int v)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string(1, kDigits[static_cast<unsigned>(v) & 0xF]);
}

std::string Hex2(int v)
{
    return Hex1(static_cast<int>((static_cast<unsigned>(v) >> 4) & 0xF)) + Hex1(v);
}

bool PanelSettingsShowable(const ProjectTables& tables)
{
    const auto within = [&](int entry, int highest) {
        const int v = tables.PanelCfg[static_cast<std::size_t>(kSettings + entry)];
        return v >= 0 && v <= highest;
    };
    return within(1, kMaxBVAddress) && within(2, kMaxBVRange) && within(4, kPanelSizeCount - 1) &&
           within(5, kMaxSDFormat);
}

void modOrvel::SetScreen(int s)
{
    CurScreen = static_cast<i16>(s);
    ScrBase = static_cast<i16>(s * kScreenCfgEntries);
    DsnBase = static_cast<i16>(s * kScreenDsnEntries);
}

// ---------------------------------------------------------------- reset and clear

void modOrvel::ResetAll()
{
    DataFile = std::string(kNoDataFile);
    PanelCfg.fill(0);
    DesignCfg.fill(0);
    for (int s = 0; s < kScreenCount; ++s) {
        SetScreen(s);
        ScreenBG[s] = "[&HEFEFEF&]";
        if (s == 0)
            ScreenBG[s] = "[*L]";
        for (int i = 0; i < kButtonCount; ++i) {
            SetBtnWidth(i, 96);
            SetBtnHeight(i, 32);
            SetBtnText(i, DefaultButtonCaption(i));
        }
        for (int i = 0; i < kTextCount; ++i) {
            SetTxtWidth(i, 128);
            SetTxtHeight(i, 64);
        }
    }
    SetBVRange(3);
    SetSDFormat(0);
    SetScreen(0);
    DataChanged = false;
    SelButton = SelPilot = SelSlider = SelText = -1;
}

void modOrvel::ClearScreenData()
{
    // Clearing the Home screen must not reset the panel-wide settings that share its entries.
    std::array<i16, 7> settings{};
    std::copy_n(PanelCfg.begin() + kSettings, settings.size(), settings.begin());

    std::fill_n(PanelCfg.begin() + ScrBase, kScreenCfgEntries, i16{0});
    std::fill_n(DesignCfg.begin() + DsnBase, kScreenDsnEntries, i16{0});
    ScreenBG[CurScreen] = "[&HFFFFFF&]";
    for (int i = 0; i < kButtonCount; ++i) {
        SetBtnWidth(i, 96);
        SetBtnHeight(i, 32);
        SetBtnText(i, DefaultButtonCaption(i));
    }
    for (int i = 0; i < 8; ++i) {
        SetTxtWidth(i, 128);
        SetTxtHeight(i, 64);
    }
    std::copy(settings.begin(), settings.end(), PanelCfg.begin() + kSettings);
    SelButton = SelPilot = SelSlider = SelText = -1;
}

// ---------------------------------------------------------------- files

IoResult modOrvel::LoadData()
{
    ProjectTables loaded;
    IoResult r = LoadPanelDataFile(DataFile, loaded);
    if (!r)
        return r;
    static_cast<ProjectTables&>(*this) = std::move(loaded);
    DataChanged = false;
    return r;
}

IoResult modOrvel::SaveData()
{
    IoResult r = SavePanelDataFile(*this, DataFile);
    if (r)
        DataChanged = false;
    return r;
}

IoResult modOrvel::ImportScreenData()
{
    ScreenData screen;
    IoResult r = ImportScreenFile(ScreenFile, screen);
    if (!r)
        return r;
    ExpCfg = screen.cfg;
    ExpDsn = screen.dsn;
    std::copy(ExpCfg.begin(), ExpCfg.end(), PanelCfg.begin() + ScrBase);
    std::copy(ExpDsn.begin(), ExpDsn.end(), DesignCfg.begin() + DsnBase);
    ScreenBG[CurScreen] = screen.background;
    return r;
}

IoResult modOrvel::ExportScreenData()
{
    std::copy_n(PanelCfg.begin() + ScrBase, ExpCfg.size(), ExpCfg.begin());
    std::copy_n(DesignCfg.begin() + DsnBase, ExpDsn.size(), ExpDsn.begin());
    return ExportScreenFile(ScreenData{ExpCfg, ExpDsn, ScreenBG[CurScreen]}, ScreenFile);
}

// ---------------------------------------------------------------- panel settings

void modOrvel::SetLayout(int v) { PanelCfg[kSettings + 0] = static_cast<i16>(v); }
int modOrvel::GetLayout() const { return PanelCfg[kSettings + 0]; }
void modOrvel::SetBVAddress(int v) { PanelCfg[kSettings + 1] = static_cast<i16>(v); }
int modOrvel::GetBVAddress() const { return PanelCfg[kSettings + 1]; }
void modOrvel::SetBVRange(int v) { PanelCfg[kSettings + 2] = static_cast<i16>(v); }
int modOrvel::GetBVRange() const { return PanelCfg[kSettings + 2]; }
int modOrvel::GetDevRange() const { return GetBVRange(); }
void modOrvel::SetBeep(int v) { PanelCfg[kSettings + 3] = static_cast<i16>(v); }
int modOrvel::GetBeep() const { return PanelCfg[kSettings + 3]; }
void modOrvel::SetScnRes(int v) { PanelCfg[kSettings + 4] = static_cast<i16>(v); }
int modOrvel::GetScnRes() const { return PanelCfg[kSettings + 4]; }
void modOrvel::SetSDFormat(int v) { PanelCfg[kSettings + 5] = static_cast<i16>(v); }
int modOrvel::GetSDFormat() const { return PanelCfg[kSettings + 5]; }
void modOrvel::SetMPFlag(int v) { PanelCfg[kSettings + 6] = static_cast<i16>(v); }

// ---------------------------------------------------------------- element accessors

void modOrvel::SetPilotEnabled(int slot, int v) { Set1(CfgAt(*this, kPilotRec, slot, 0), v); }
int modOrvel::GetPilotEnabled(int slot) const { return Get1(CfgAt(*this, kPilotRec, slot, 0)); }
void modOrvel::SetPilotIcon(int slot, int v) { Set1(CfgAt(*this, kPilotRec, slot, 1), v); }
int modOrvel::GetPilotIcon(int slot) const { return Get1(CfgAt(*this, kPilotRec, slot, 1)); }
void modOrvel::SetPilotLeft(int slot, int v) { Set2(CfgAt(*this, kPilotRec, slot, 2), v); }
int modOrvel::GetPilotLeft(int slot) const { return Get2(CfgAt(*this, kPilotRec, slot, 2)); }
void modOrvel::SetPilotTop(int slot, int v) { Set2(CfgAt(*this, kPilotRec, slot, 4), v); }
int modOrvel::GetPilotTop(int slot) const { return Get2(CfgAt(*this, kPilotRec, slot, 4)); }
void modOrvel::SetPilotDevice(int slot, int v) { Set1(CfgAt(*this, kPilotRec, slot, 6), v); }
int modOrvel::GetPilotDevice(int slot) const { return Get1(CfgAt(*this, kPilotRec, slot, 6)); }
void modOrvel::SetPilotNum(int slot, int v) { Set1(CfgAt(*this, kPilotRec, slot, 7), v); }
int modOrvel::GetPilotNum(int slot) const { return Get1(CfgAt(*this, kPilotRec, slot, 7)); }

void modOrvel::SetBtnType(int slot, int v) { Set1(CfgAt(*this, kButtonRec, slot, 0), v); }
int modOrvel::GetBtnType(int slot) const { return Get1(CfgAt(*this, kButtonRec, slot, 0)); }
void modOrvel::SetBtnLeft(int slot, int v) { Set2(CfgAt(*this, kButtonRec, slot, 1), v); }
int modOrvel::GetBtnLeft(int slot) const { return Get2(CfgAt(*this, kButtonRec, slot, 1)); }
void modOrvel::SetBtnRight(int slot, int v) { Set2(CfgAt(*this, kButtonRec, slot, 3), v); }
void modOrvel::SetBtnTop(int slot, int v) { Set2(CfgAt(*this, kButtonRec, slot, 5), v); }
int modOrvel::GetBtnTop(int slot) const { return Get2(CfgAt(*this, kButtonRec, slot, 5)); }
void modOrvel::SetBtnBottom(int slot, int v) { Set2(CfgAt(*this, kButtonRec, slot, 7), v); }
void modOrvel::SetBtnDevice(int slot, int v) { Set1(CfgAt(*this, kButtonRec, slot, 9), v); }
int modOrvel::GetBtnDevice(int slot) const { return Get1(CfgAt(*this, kButtonRec, slot, 9)); }

void modOrvel::SetBtnPassword(int slot, std::int32_t v)
{
    i16* e = CfgAt(*this, kButtonRec, slot, 10);
    if (!e)
        return;
    std::int64_t rest = v;
    for (int k = 5; k >= 0; --k) {
        e[k] = static_cast<i16>(rest % 10);
        rest = static_cast<std::int64_t>(std::floor(static_cast<double>(rest) / 10.0));
    }
}

std::int32_t modOrvel::GetBtnPassword(int slot) const
{
    const i16* e = CfgAt(*this, kButtonRec, slot, 10);
    if (!e)
        return 0;
    // Damaged entries may hold any 16-bit value: the sum wraps to 32 bits instead of overflowing.
    std::uint32_t v = 0;
    for (int k = 0; k < 6; ++k)
        v = v * 10u + static_cast<std::uint32_t>(e[k]);
    return static_cast<std::int32_t>(v);
}

void modOrvel::SetBtnImage(int slot, int v) { Set1(DsnAt(*this, kButtonDsn, slot, 0), v); }
int modOrvel::GetBtnImage(int slot) const { return Get1(DsnAt(*this, kButtonDsn, slot, 0)); }
void modOrvel::SetBtnWidth(int slot, int v) { Set2(DsnAt(*this, kButtonDsn, slot, 1), v); }
int modOrvel::GetBtnWidth(int slot) const { return Get2(DsnAt(*this, kButtonDsn, slot, 1)); }
void modOrvel::SetBtnHeight(int slot, int v) { Set2(DsnAt(*this, kButtonDsn, slot, 3), v); }
int modOrvel::GetBtnHeight(int slot) const { return Get2(DsnAt(*this, kButtonDsn, slot, 3)); }
void modOrvel::SetBtnTxtX(int slot, int v) { Set2(DsnAt(*this, kButtonDsn, slot, 5), v); }
int modOrvel::GetBtnTxtX(int slot) const { return Get2(DsnAt(*this, kButtonDsn, slot, 5)); }
void modOrvel::SetBtnTxtY(int slot, int v) { Set2(DsnAt(*this, kButtonDsn, slot, 7), v); }
int modOrvel::GetBtnTxtY(int slot) const { return Get2(DsnAt(*this, kButtonDsn, slot, 7)); }
void modOrvel::SetBtnTextColor(int slot, int v) { Set1(DsnAt(*this, kButtonDsn, slot, 9), v); }
int modOrvel::GetBtnTextColor(int slot) const { return Get1(DsnAt(*this, kButtonDsn, slot, 9)); }

void modOrvel::SetBtnSize(int slot, int v)
{
    if (i16* e = DsnAt(*this, kButtonDsn, slot, 10))
        *e = static_cast<i16>((*e & 0xFF0) + v);
}
int modOrvel::GetBtnSize(int slot) const { return Get1(DsnAt(*this, kButtonDsn, slot, 10)) & 15; }

void modOrvel::SetBtnLinked(int slot, int v)
{
    if (i16* e = DsnAt(*this, kButtonDsn, slot, 10))
        *e = static_cast<i16>(v != 0 ? (*e | 16) : (*e & 0xFEF));
}
int modOrvel::GetBtnLinked(int slot) const { return (Get1(DsnAt(*this, kButtonDsn, slot, 10)) & 16) / 16; }

void modOrvel::SetBtnText(int slot, std::string_view utf8) { SetCodes(DsnAt(*this, kButtonDsn, slot, 11), kCaptionLength, utf8); }
std::string modOrvel::GetBtnText(int slot) const { return GetCodes(DsnAt(*this, kButtonDsn, slot, 11), kCaptionLength); }

void modOrvel::SetSldImage(int slot, int v)
{
    if (i16* e = CfgAt(*this, kSliderRec, slot, 0))
        *e = static_cast<i16>((*e & 128) + v);
}
int modOrvel::GetSldImage(int slot) const { return Get1(CfgAt(*this, kSliderRec, slot, 0)) & 127; }

void modOrvel::SetSldTrack(int slot, int v)
{
    if (i16* e = CfgAt(*this, kSliderRec, slot, 0))
        *e = static_cast<i16>(v != 0 ? (*e | 128) : (*e & 127));
}
int modOrvel::GetSldTrack(int slot) const { return (Get1(CfgAt(*this, kSliderRec, slot, 0)) & 128) / 128; }

void modOrvel::SetSldDevice(int slot, int v) { Set1(CfgAt(*this, kSliderRec, slot, 1), v); }
int modOrvel::GetSldDevice(int slot) const { return Get1(CfgAt(*this, kSliderRec, slot, 1)); }
void modOrvel::SetSldLeft(int slot, int v) { Set2(CfgAt(*this, kSliderRec, slot, 2), v); }
int modOrvel::GetSldLeft(int slot) const { return Get2(CfgAt(*this, kSliderRec, slot, 2)); }
void modOrvel::SetSldRight(int slot, int v) { Set2(CfgAt(*this, kSliderRec, slot, 4), v); }
void modOrvel::SetSldTop(int slot, int v) { Set2(CfgAt(*this, kSliderRec, slot, 6), v); }
int modOrvel::GetSldTop(int slot) const { return Get2(CfgAt(*this, kSliderRec, slot, 6)); }
void modOrvel::SetSldBottom(int slot, int v) { Set2(CfgAt(*this, kSliderRec, slot, 8), v); }
void modOrvel::SetSldWidth(int slot, int v) { Set2(DsnAt(*this, kSliderDsn, slot, 0), v); }
int modOrvel::GetSldWidth(int slot) const { return Get2(DsnAt(*this, kSliderDsn, slot, 0)); }
void modOrvel::SetSldHeight(int slot, int v) { Set2(DsnAt(*this, kSliderDsn, slot, 2), v); }
int modOrvel::GetSldHeight(int slot) const { return Get2(DsnAt(*this, kSliderDsn, slot, 2)); }

void modOrvel::SetTxtType(int slot, int v) { Set1(CfgAt(*this, kTextRec, slot, 0), v); }
int modOrvel::GetTxtType(int slot) const { return Get1(CfgAt(*this, kTextRec, slot, 0)); }
void modOrvel::SetTxtLeft(int slot, int v) { Set2(CfgAt(*this, kTextRec, slot, 1), v); }
int modOrvel::GetTxtLeft(int slot) const { return Get2(CfgAt(*this, kTextRec, slot, 1)); }
void modOrvel::SetTxtTop(int slot, int v) { Set2(CfgAt(*this, kTextRec, slot, 3), v); }
int modOrvel::GetTxtTop(int slot) const { return Get2(CfgAt(*this, kTextRec, slot, 3)); }
void modOrvel::SetTxtSldDev(int slot, int v) { Set1(CfgAt(*this, kTextRec, slot, 5), v); }
int modOrvel::GetTxtSldDev(int slot) const { return Get1(CfgAt(*this, kTextRec, slot, 5)); }
void modOrvel::SetTxtPanelFont(int slot, int v) { Set1(CfgAt(*this, kTextRec, slot, 6), v); }
void modOrvel::SetTxtPanelColor(int slot, int v) { Set1(CfgAt(*this, kTextRec, slot, 7), v); }
void modOrvel::SetTxtColor(int slot, int v) { Set1(DsnAt(*this, kTextDsn, slot, 0), v); }
int modOrvel::GetTxtColor(int slot) const { return Get1(DsnAt(*this, kTextDsn, slot, 0)); }
void modOrvel::SetTxtFontSize(int slot, int v) { Set1(DsnAt(*this, kTextDsn, slot, 1), v); }
int modOrvel::GetTxtFontSize(int slot) const { return Get1(DsnAt(*this, kTextDsn, slot, 1)); }
void modOrvel::SetTxtWidth(int slot, int v) { Set2(DsnAt(*this, kTextDsn, slot, 2), v); }
int modOrvel::GetTxtWidth(int slot) const { return Get2(DsnAt(*this, kTextDsn, slot, 2)); }
void modOrvel::SetTxtHeight(int slot, int v) { Set2(DsnAt(*this, kTextDsn, slot, 4), v); }
int modOrvel::GetTxtHeight(int slot) const { return Get2(DsnAt(*this, kTextDsn, slot, 4)); }
void modOrvel::SetTxtText(int slot, std::string_view utf8) { SetCodes(DsnAt(*this, kTextDsn, slot, 6), kTextLength, utf8); }
std::string modOrvel::GetTxtText(int slot) const { return GetCodes(DsnAt(*this, kTextDsn, slot, 6), kTextLength); }

} // namespace kx4
