#include "designer/ElementDefaults.h"

#include "assets/ArtworkSizes.h"
#include "data/modOrvel.h"

namespace kx4 {
namespace {

void PlaceButton(modOrvel& m, int slot, int chosen)
{
    if (chosen < 0) {
        m.SetBtnType(slot, 1);
        m.SetBtnLeft(slot, 0);
        m.SetBtnTop(slot, 0);
        m.SetBtnDevice(slot, 0);
        m.SetBtnPassword(slot, 0);
        m.SetBtnImage(slot, 1);
        m.SetBtnWidth(slot, 96);
        m.SetBtnHeight(slot, 32);
        m.SetBtnTextColor(slot, 0);
        m.SetBtnSize(slot, 0);
        m.SetBtnText(slot, DefaultButtonCaption(slot));
        return;
    }
    // Linked, the caption insets and the right and bottom edges stay as the slot held them.
    m.SetBtnType(slot, m.GetBtnType(chosen));
    m.SetBtnLeft(slot, 0);
    m.SetBtnTop(slot, 0);
    m.SetBtnDevice(slot, m.GetBtnDevice(chosen));
    m.SetBtnPassword(slot, m.GetBtnPassword(chosen));
    m.SetBtnImage(slot, m.GetBtnImage(chosen));
    m.SetBtnWidth(slot, m.GetBtnWidth(chosen));
    m.SetBtnHeight(slot, m.GetBtnHeight(chosen));
    m.SetBtnTextColor(slot, m.GetBtnTextColor(chosen));
    m.SetBtnSize(slot, m.GetBtnSize(chosen));
    m.SetBtnText(slot, m.GetBtnText(chosen));
}

void PlacePilot(modOrvel& m, int slot, int chosen)
{
    const bool copy = chosen >= 0;
    m.SetPilotEnabled(slot, copy ? m.GetPilotEnabled(chosen) : 1);
    m.SetPilotIcon(slot, copy ? m.GetPilotIcon(chosen) : 0);
    m.SetPilotLeft(slot, 0);
    m.SetPilotTop(slot, 0);
    m.SetPilotDevice(slot, copy ? m.GetPilotDevice(chosen) : 0);
    m.SetPilotNum(slot, copy ? m.GetPilotNum(chosen) : 0);
}

void PlaceSlider(modOrvel& m, int slot, int chosen)
{
    const bool copy = chosen >= 0;
    // Track and the right and bottom edges stay as the slot held them.
    m.SetSldImage(slot, copy ? m.GetSldImage(chosen) : 1);
    m.SetSldDevice(slot, copy ? m.GetSldDevice(chosen) : 0);
    m.SetSldLeft(slot, 0);
    m.SetSldTop(slot, 0);
    // A picture number no slider picture has (from a damaged file) leaves the stored size alone.
    if (const auto size = SliderPicSize(m.GetSldImage(slot))) {
        m.SetSldWidth(slot, size->width);
        m.SetSldHeight(slot, size->height);
    }
}

void PlaceText(modOrvel& m, int slot, int chosen)
{
    const bool copy = chosen >= 0;
    // The device and the panel copies of font and colour stay as the slot held them.
    m.SetTxtType(slot, copy ? m.GetTxtType(chosen) : 1);
    m.SetTxtLeft(slot, 0);
    m.SetTxtTop(slot, 0);
    m.SetTxtColor(slot, copy ? m.GetTxtColor(chosen) : 0);
    m.SetTxtFontSize(slot, copy ? m.GetTxtFontSize(chosen) : 0);
    m.SetTxtWidth(slot, copy ? m.GetTxtWidth(chosen) : 128);
    m.SetTxtHeight(slot, copy ? m.GetTxtHeight(chosen) : 64);
    m.SetTxtText(slot, copy ? m.GetTxtText(chosen) : "");
}

} // namespace

int SlotCount(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Button: return kButtonCount;
    case ElementKind::Pilot: return kPilotCount;
    case ElementKind::Slider: return kSliderCount;
    case ElementKind::Text: return kTextCount;
    }
    return 0;
}

bool SlotInUse(const modOrvel& m, ElementKind kind, int slot)
{
    if (slot < 0 || slot >= SlotCount(kind))
        return false;
    switch (kind) {
    case ElementKind::Button: return m.GetBtnType(slot) != 0;
    case ElementKind::Pilot: return m.GetPilotEnabled(slot) != 0;
    case ElementKind::Slider: return m.GetSldImage(slot) != 0;
    case ElementKind::Text: return m.GetTxtType(slot) != 0;
    }
    return false;
}

int FindFreeSlot(const modOrvel& m, ElementKind kind)
{
    for (int slot = 0; slot < SlotCount(kind); ++slot)
        if (!SlotInUse(m, kind, slot))
            return slot;
    return -1;
}

int ChosenSlot(const modOrvel& m, ElementKind kind)
{
    switch (kind) {
    case ElementKind::Button: return m.SelButton;
    case ElementKind::Pilot: return m.SelPilot;
    case ElementKind::Slider: return m.SelSlider;
    case ElementKind::Text: return m.SelText;
    }
    return -1;
}

void PlaceNewElement(modOrvel& m, ElementKind kind, int slot, int chosen)
{
    if (slot < 0 || slot >= SlotCount(kind))
        return;
    // A chosen slot that has been emptied since is no template.
    if (!SlotInUse(m, kind, chosen))
        chosen = -1;
    switch (kind) {
    case ElementKind::Button: PlaceButton(m, slot, chosen); break;
    case ElementKind::Pilot: PlacePilot(m, slot, chosen); break;
    case ElementKind::Slider: PlaceSlider(m, slot, chosen); break;
    case ElementKind::Text: PlaceText(m, slot, chosen); break;
    }
}

std::string AllUsedMessage(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Button: return "All Buttons Used.";
    case ElementKind::Pilot: return "All Pilots Used.";
    case ElementKind::Slider: return "All Sliders Used.";
    case ElementKind::Text: return "All Text Objects Used.";
    }
    return {};
}

std::string NewCommandTitle(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Button: return "New Button";
    case ElementKind::Pilot: return "New Pilot";
    case ElementKind::Slider: return "New Slider";
    case ElementKind::Text: return "New Text";
    }
    return {};
}

std::string ScreenName(int screen) { return screen == 0 ? "Home" : TwoDigits(screen); }

} // namespace kx4
