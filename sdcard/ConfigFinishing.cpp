#include "sdcard/ConfigFinishing.h"

#include "assets/ArtworkSizes.h"
#include "sdcard/PictureTable.h"

#include <vector>

namespace kx4 {
namespace {

constexpr int kColorControl = 57;
constexpr int kColorControlTracking = 58;
constexpr int kFirstTurnOn = 9;   // Turn ON Input 1; 17-24 are Turn OFF Input 1-8
constexpr int kLastTurnOff = 24;
constexpr int kMapDevices = 64;   // DeviceMap.Used; DeviceMap.Inputs follows

void Claim(modOrvel& m, int d)
{
    m.DeviceMap[static_cast<std::size_t>(d)] = 255;
    m.DeviceMap[static_cast<std::size_t>(d + kMapDevices)] = 255;
}

// Steps over the slots of the current screen with CurObj, as the element accessors expect.
template <class F>
void ForEachSlot(modOrvel& m, int count, F f)
{
    for (m.CurObj = 0; m.CurObj < count; ++m.CurObj)
        f(m.CurObj);
}

void FinishScreen(modOrvel& m)
{
    ForEachSlot(m, kButtonCount, [&](int i) {
        m.SetBtnRight(i, ClampEdge(m.GetBtnWidth(i) + m.GetBtnLeft(i) - 1));
        m.SetBtnBottom(i, ClampEdge(m.GetBtnHeight(i) + m.GetBtnTop(i) - 1));
    });
    ForEachSlot(m, kSliderCount, [&](int i) {
        // A picture number beyond the ten pictures keeps the size the design holds.
        if (m.GetSldImage(i) > 0) {
            if (const auto size = SliderPicSize(m.GetSldImage(i))) {
                m.SetSldWidth(i, size->width);
                m.SetSldHeight(i, size->height);
            }
        }
        m.SetSldRight(i, ClampEdge(m.GetSldWidth(i) + m.GetSldLeft(i) - 1));
        m.SetSldBottom(i, ClampEdge(m.GetSldTop(i) + m.GetSldHeight(i) - 1));
    });
    ForEachSlot(m, kTextCount, [&](int i) { m.SetTxtPanelFont(i, m.GetTxtFontSize(i)); });
    ForEachSlot(m, kTextCount, [&](int i) { m.SetTxtPanelColor(i, m.GetTxtColor(i)); });

    for (int i = 0; i < kSliderCount; ++i) {
        const int d = m.GetSldDevice(i);
        if (m.GetSldImage(i) > 0 && d >= 0 && d < kMapDevices)
            Claim(m, d);
    }
    for (int i = 0; i < kButtonCount; ++i) {
        const int type = m.GetBtnType(i);
        const int d = m.GetBtnDevice(i);
        if ((type == kColorControl || type == kColorControlTracking) && d >= 0 && d < kMapDevices - 3)
            for (int k = 0; k < 4; ++k)
                Claim(m, d + k);
    }
    for (int i = 0; i < kButtonCount; ++i) {
        const int type = m.GetBtnType(i);
        const int d = m.GetBtnDevice(i);
        if (type >= kFirstTurnOn && type <= kLastTurnOff && d >= 0 && d < kMapDevices) {
            i16& inputs = m.DeviceMap[static_cast<std::size_t>(d + kMapDevices)];
            inputs = static_cast<i16>(inputs | (1 << ((type - kFirstTurnOn) % 8)));
        }
    }
}

} // namespace

void QVRBuild(modOrvel& m)
{
    m.DeviceMap.fill(0);
    const int saved = m.CurScreen;
    for (int s = 0; s < kScreenCount; ++s) {
        m.SetScreen(s);
        FinishScreen(m);
    }
    m.SetScreen(saved);
    m.CurObj = kTextCount;
}

void ConfigSector(const modOrvel& m, int s, Sector& out)
{
    const std::size_t first = static_cast<std::size_t>(s) * kSectorSize;
    for (std::size_t j = 0; j < kSectorSize; ++j)
        out[j] = static_cast<std::uint8_t>(m.PanelCfg[first + j]);
}

void DeviceMapSector(const modOrvel& m, Sector& out)
{
    out.fill(0);
    for (std::size_t j = 0; j < m.DeviceMap.size(); ++j)
        out[j] = static_cast<std::uint8_t>(m.DeviceMap[j]);
}

IoResult WriteDat(const modOrvel& m, SectorSink& sink, std::uint32_t base)
{
    std::vector<std::uint8_t> config(kConfigSectors * kSectorSize);
    Sector sector;
    for (std::uint32_t s = 0; s < kConfigSectors; ++s) {
        ConfigSector(m, static_cast<int>(s), sector);
        std::copy(sector.begin(), sector.end(), config.begin() + static_cast<std::ptrdiff_t>(s * kSectorSize));
    }
    if (IoResult r = sink.WriteSectors(base + kConfigOffset, config); !r)
        return r;
    DeviceMapSector(m, sector);
    return sink.WriteSector(base + kDeviceMapOffset, sector);
}

} // namespace kx4
