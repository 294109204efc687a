#pragma once
// The project in memory: the configuration image, the design data, the screen backgrounds,
// the current screen and the state that goes with them, and one accessor per record field.
#include "data/FileIO.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kx4 {

using i16 = std::int16_t;

constexpr int kScreenCount = 16;
constexpr int kPilotCount = 32;
constexpr int kButtonCount = 32;
constexpr int kSliderCount = 8;
constexpr int kTextCount = 16;

constexpr int kPanelCfgSize = 16384;   // entries, 1,024 per screen
constexpr int kDesignCfgSize = 32768;  // entries, 2,048 per screen
constexpr int kScreenCfgEntries = 1024;
constexpr int kScreenDsnEntries = 2048;
constexpr int kScreenRecordEntries = 976; // a screen's records; the rest of its 1,024 entries hold no record

constexpr int kCaptionLength = 24; // ButtonDsn.Caption, character codes
constexpr int kTextLength = 50;    // TextDsn.Text, character codes

// "None": the value of DataFile while the project has no file.
inline constexpr std::string_view kNoDataFile = "None";

// The three tables a panel data file holds.
struct ProjectTables {
    std::array<i16, kPanelCfgSize> PanelCfg{};
    std::array<i16, kDesignCfgSize> DesignCfg{};
    std::array<std::string, kScreenCount> ScreenBG{}; // UTF-8 text
};

// The largest stored value of a panel-wide option that its list can show; the smallest is 0.
constexpr int kMaxBVAddress = 250; // node index: "Brivane Node: 01" to "Brivane Node: FB"
constexpr int kMaxBVRange = 63;    // highest device offset: 16 counts of 4 devices
constexpr int kMaxSDFormat = 1;    // SFC, Raw

// True when ScnRes, SDFormat, BVAddress and BVRange of `tables` lie within their option lists;
// other values come only from damaged files.
bool PanelSettingsShowable(const ProjectTables& tables);

// A position saved by Snap To Grid, panel pixels.
struct GridPoint {
    i16 X = 0;
    i16 Y = 0;
};

// n in decimal with at least two digits ("00" to "99" for 0 to 99).
std::string TwoDigits(int n);
// The caption of a new or reset button in slot `slot`: "B 01" for slot 0 to "B 32" for slot 31.
std::string DefaultButtonCaption(int slot);

// One hexadecimal digit, the lowest of v ("0" to "F").
std::string Hex1(int v);
// Two hexadecimal digits, the two lowest of v ("00" to "FF").
std::string Hex2(int v);

class modOrvel : public ProjectTables {
public:
    // --- current screen: whoever changes it sets all three, best through SetScreen
    i16 CurScreen = 0;
    i16 ScrBase = 0;
    i16 DsnBase = 0;
    // Makes screen s (0-15) current: CurScreen, ScrBase and DsnBase together.
    void SetScreen(int s);

    // --- other project state
    std::string DataFile;   // path of the panel data file, "None" while there is none
    std::string ScreenFile; // path of the screen file being imported or exported
    bool DataChanged = false;
    i16 CurObj = 0;
    i16 SelButton = 0;
    i16 SelPilot = 0;
    i16 SelSlider = 0;
    i16 SelText = 0;
    bool InputTypeWarned = false;
    bool IncludeStdFlag = false;
    std::string AppTitle;
    i16 GrabX = 0; // twips
    i16 GrabY = 0; // twips
    std::array<GridPoint, kButtonCount> SnapUndoButton{};
    std::array<GridPoint, kPilotCount> SnapUndoPilot{};
    std::array<GridPoint, kSliderCount> SnapUndoSlider{};
    std::array<GridPoint, kTextCount> SnapUndoText{};
    std::array<i16, kScreenRecordEntries> ExpCfg{};
    std::array<i16, kScreenDsnEntries> ExpDsn{};
    std::array<i16, 128> DeviceMap{};

    // --- reset and clear
    // A new, empty project of 16 screens, screen 0 current, nothing chosen, not modified.
    void ResetAll();
    // Empties the current screen, keeping the panel settings; clears the selection words.
    void ClearScreenData();

    // --- files; each reports a failure naming the file and then leaves the project as it was
    // Reads the panel data file named by DataFile into the three tables and clears DataChanged.
    IoResult LoadData();
    // Writes the three tables to the panel data file named by DataFile and clears DataChanged.
    IoResult SaveData();
    // Reads the screen file named by ScreenFile into the current screen.
    IoResult ImportScreenData();
    // Writes the current screen to the screen file named by ScreenFile.
    IoResult ExportScreenData();

    // --- panel settings (absolute entries 976 to 982, whatever screen is current)
    void SetLayout(int v);
    int GetLayout() const;
    void SetBVAddress(int v);
    int GetBVAddress() const;
    void SetBVRange(int v);
    int GetBVRange() const;
    int GetDevRange() const;
    void SetBeep(int v);
    int GetBeep() const;
    void SetScnRes(int v);
    int GetScnRes() const;
    void SetSDFormat(int v);
    int GetSDFormat() const;
    void SetMPFlag(int v);

    // --- element accessors: slot of the current screen; a slot outside its family's range is
    // ignored by setters and read as 0 (or "") by getters. Positions and sizes in panel pixels.
    void SetPilotEnabled(int slot, int v);
    int GetPilotEnabled(int slot) const;
    void SetPilotIcon(int slot, int v);
    int GetPilotIcon(int slot) const;
    void SetPilotLeft(int slot, int v);
    int GetPilotLeft(int slot) const;
    void SetPilotTop(int slot, int v);
    int GetPilotTop(int slot) const;
    void SetPilotDevice(int slot, int v);
    int GetPilotDevice(int slot) const;
    void SetPilotNum(int slot, int v);
    int GetPilotNum(int slot) const;

    void SetBtnType(int slot, int v);
    int GetBtnType(int slot) const;
    void SetBtnLeft(int slot, int v);
    int GetBtnLeft(int slot) const;
    void SetBtnRight(int slot, int v);
    void SetBtnTop(int slot, int v);
    int GetBtnTop(int slot) const;
    void SetBtnBottom(int slot, int v);
    void SetBtnDevice(int slot, int v);
    int GetBtnDevice(int slot) const;
    void SetBtnPassword(int slot, std::int32_t v);
    std::int32_t GetBtnPassword(int slot) const;

    void SetBtnImage(int slot, int v);
    int GetBtnImage(int slot) const;
    void SetBtnWidth(int slot, int v);
    int GetBtnWidth(int slot) const;
    void SetBtnHeight(int slot, int v);
    int GetBtnHeight(int slot) const;
    void SetBtnTxtX(int slot, int v); // twips
    int GetBtnTxtX(int slot) const;   // twips
    void SetBtnTxtY(int slot, int v); // twips
    int GetBtnTxtY(int slot) const;   // twips
    void SetBtnTextColor(int slot, int v);
    int GetBtnTextColor(int slot) const;
    void SetBtnSize(int slot, int v);
    int GetBtnSize(int slot) const;
    void SetBtnLinked(int slot, int v);
    int GetBtnLinked(int slot) const;
    void SetBtnText(int slot, std::string_view utf8);
    std::string GetBtnText(int slot) const;

    void SetSldImage(int slot, int v);
    int GetSldImage(int slot) const;
    void SetSldTrack(int slot, int v);
    int GetSldTrack(int slot) const;
    void SetSldDevice(int slot, int v);
    int GetSldDevice(int slot) const;
    void SetSldLeft(int slot, int v);
    int GetSldLeft(int slot) const;
    void SetSldRight(int slot, int v);
    void SetSldTop(int slot, int v);
    int GetSldTop(int slot) const;
    void SetSldBottom(int slot, int v);
    void SetSldWidth(int slot, int v);
    int GetSldWidth(int slot) const;
    void SetSldHeight(int slot, int v);
    int GetSldHeight(int slot) const;

    void SetTxtType(int slot, int v);
    int GetTxtType(int slot) const;
    void SetTxtLeft(int slot, int v);
    int GetTxtLeft(int slot) const;
    void SetTxtTop(int slot, int v);
    int GetTxtTop(int slot) const;
    void SetTxtSldDev(int slot, int v);
    int GetTxtSldDev(int slot) const;
    void SetTxtPanelFont(int slot, int v);
    void SetTxtPanelColor(int slot, int v);
    void SetTxtColor(int slot, int v);
    int GetTxtColor(int slot) const;
    void SetTxtFontSize(int slot, int v);
    int GetTxtFontSize(int slot) const;
    void SetTxtWidth(int slot, int v);
    int GetTxtWidth(int slot) const;
    void SetTxtHeight(int slot, int v);
    int GetTxtHeight(int slot) const;
    void SetTxtText(int slot, std::string_view utf8);
    std::string GetTxtText(int slot) const;
};

} // namespace kx4
