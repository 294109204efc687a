#include "sdcard/PictureTable.h"

#include <cstdio>

namespace kx4 {
namespace {

std::string Num(int v, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, v);
    return buf;
}

// One family of rows: the slots lie end to end; `name` and `size` take the index within the family.
struct Family {
    int count;
    std::string (*name)(int k);
    std::uint32_t (*size)(int k);
};

template <std::uint32_t Bytes>
std::uint32_t Fixed(int) { return Bytes; }

constexpr std::array<std::uint32_t, 3> kScreenBytes = {261120, 153600, 768000};
std::uint32_t ByScreenPair(int k) { return kScreenBytes[static_cast<std::size_t>(k / 2)]; }
const char kOrient[] = "LP";
const char kShade[] = "BGW";

// BV{f}_000 … BV{f}_100, then BV{f}_LBLK.
template <int F>
std::string BarValue(int k) { return "BV" + Num(F, 1) + "_" + (k < 101 ? Num(k, 3) : "LBLK") + ".BMP"; }

// S{z}C0{c}_{vvv}, the value fastest.
template <int Z>
std::string SliderLevel(int k) { return "S" + Num(Z, 1) + "C0" + Num(k / 101, 1) + "_" + Num(k % 101, 3) + ".BMP"; }

// SR{r}{o}00 … SR{r}{o}15, then SR{r}{o}AD and SR{r}{o}PW.
template <int R, int O>
std::string ScreenSet(int k)
{
    const std::string tail = k < 16 ? Num(k, 2) : (k == 16 ? "AD" : "PW");
    return "SR" + Num(R, 1) + kOrient[O] + tail + ".BMP";
}
template <int R>
std::uint32_t ScreenSetSize(int) { return kScreenBytes[R]; }

// B{t}A{shade}_{vvv}, the value fastest.
template <char T>
std::string BarGraph(int k) { return std::string("B") + T + "A" + kShade[k / 101] + "_" + Num(k % 101, 3) + ".BMP"; }

// I{a}{b}_{vvv} for vvv = 000, 004, … 100.
template <char A, char B>
std::string LevelIcon(int k) { return std::string("I") + A + B + "_" + Num(4 * k, 3) + ".BMP"; }

const char* const kGlyphs[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Bl", "Co", "Sl", "Am", "Pm"};
constexpr int kGlyphCount = 15;

// Chr{g}S{s}{k}: k = B, W slowest, s = 0-3, g fastest.
std::string Glyph(int k)
{
    return std::string("Chr") + kGlyphs[k % kGlyphCount] + "S" + Num(k / kGlyphCount % 4, 1) + "BW"[k / 60] + ".BMP";
}
std::uint32_t GlyphSize(int k)
{
    constexpr std::uint32_t narrow[] = {512, 512, 1024, 1536};
    constexpr std::uint32_t wide[] = {1024, 1536, 2048, 3584}; // Am, Pm
    const int s = k / kGlyphCount % 4;
    return k % kGlyphCount < 13 ? narrow[s] : wide[s];
}

const Family kFamilies[] = {
    {8, [](int k) { return "B0_S" + Num(k / 2, 1) + "_C" + Num(k % 2, 1) + ".BMP"; },
        [](int k) { constexpr std::uint32_t s[] = {3584, 6656, 15872, 29184}; return s[k / 2]; }},
    {6, [](int k) { return "NQT0" + Num(k / 2, 1) + "S" + Num(k % 2, 1) + ".BMP"; },
        [](int k) { constexpr std::uint32_t s[] = {1536, 4608, 9728}; return s[k / 2]; }},
    {7, [](int k) { return "PWS" + Num(k, 1) + ".BMP"; }, Fixed<8704>},
    {7, [](int k) { return "PWL" + Num(k, 1) + ".BMP"; }, Fixed<26624>},
    {102, BarValue<0>, Fixed<1536>},
    {102, BarValue<1>, Fixed<2560>},
    {102, BarValue<2>, Fixed<4096>},
    {102, BarValue<3>, Fixed<6656>},
    {505, SliderLevel<0>, Fixed<15360>},
    {505, SliderLevel<1>, Fixed<35840>},
    {6, [](int k) { return "QVRS" + Num(k / 2, 1) + "_" + kOrient[k % 2] + ".BMP"; }, ByScreenPair},
    {18, ScreenSet<0, 0>, ScreenSetSize<0>},
    {18, ScreenSet<1, 0>, ScreenSetSize<1>},
    {18, ScreenSet<2, 0>, ScreenSetSize<2>},
    {18, ScreenSet<0, 1>, ScreenSetSize<0>},
    {18, ScreenSet<1, 1>, ScreenSetSize<1>},
    {18, ScreenSet<2, 1>, ScreenSetSize<2>},
    {6, [](int k) { return "CW_SR" + Num(k / 2, 1) + "_" + kOrient[k % 2] + ".BMP"; }, ByScreenPair},
    {1, [](int) { return std::string("CS_3636.BMP"); }, Fixed<3072>},
    {1, [](int) { return std::string("CS_7272.BMP"); }, Fixed<10752>},
    {303, BarGraph<'L'>, Fixed<7168>},
    {303, BarGraph<'P'>, Fixed<16896>},
    {34, [](int k) { return "PB" + Num(k, 2) + ".BMP"; }, Fixed<3072>},
    {10, [](int k) { return "DIGIT" + Num(k, 1) + ".BMP"; }, Fixed<512>},
    {1, [](int) { return std::string("CALCUR.BMP"); }, Fixed<1024>},
    {26, LevelIcon<'S', 'P'>, Fixed<10240>},
    {26, LevelIcon<'S', 'L'>, Fixed<10240>},
    {26, LevelIcon<'L', 'P'>, Fixed<18944>},
    {26, LevelIcon<'L', 'L'>, Fixed<18944>},
    {1, [](int) { return std::string("MP_ENB.BMP"); }, Fixed<3584>},
    {120, Glyph, GlyphSize},
};

// Rows of the screen pictures of display code 1; each further code follows 18 rows on.
constexpr int kFirstScreenRow = 1452;
constexpr int kScreenSetRows = 18;

} // namespace

void InitImageTable(PictureTable& table)
{
    int row = 0;
    std::uint32_t offset = kPicturesOffset;
    for (const Family& f : kFamilies) {
        for (int k = 0; k < f.count; ++k, ++row) {
            table.ImgName[static_cast<std::size_t>(row)] = f.name(k);
            table.ImgOffset[static_cast<std::size_t>(row)] = static_cast<std::int32_t>(offset);
            offset += f.size(k);
        }
    }
}

const PictureTable& ImageTable()
{
    static const PictureTable table = [] {
        PictureTable t;
        InitImageTable(t);
        return t;
    }();
    return table;
}

const std::string& ImgName(int row) { return ImageTable().ImgName.at(static_cast<std::size_t>(row)); }

std::uint32_t ImgOffset(int row) { return static_cast<std::uint32_t>(ImageTable().ImgOffset.at(static_cast<std::size_t>(row))); }

std::uint32_t SlotSize(int row)
{
    const std::uint32_t end = row + 1 < kImgCount ? ImgOffset(row + 1) : kCardImageSize;
    return end - ImgOffset(row);
}

bool HasHeader(int row) { return row < kFirstHeaderlessRow || row > kLastHeaderlessRow; }

int PicFamilyOf(int row)
{
    const int k = row - kFirstScreenRow;
    if (k < 0 || k >= kScreenSetRows * kDispCodeCount || k % kScreenSetRows >= 16)
        return 0;
    return k / kScreenSetRows + 1;
}

int ScreenRow(int dispCode, int screen) { return kFirstScreenRow + (dispCode - 1) * kScreenSetRows + screen; }

PicSize DispCodeScreenSize(int dispCode)
{
    if (dispCode < 1 || dispCode > kDispCodeCount)
        return {};
    return PanelDisplaySize((dispCode - 1) % 3, dispCode > 3);
}

} // namespace kx4
