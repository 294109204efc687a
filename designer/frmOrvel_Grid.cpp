// The grid of the layout area and the snap of the current screen's elements onto it, with its
// one-level undo. The grid belongs to the window: nothing of it is saved.
#include "designer/frmOrvel.h"

#include "data/modOrvel.h"
#include "designer/GridRules.h"
#include "designer/LayoutArea.h"
#include "platform/DisplaySize.h"

#include <QAction>

#include <span>

namespace kx4 {
namespace {

// The position accessors of one element kind.
struct Positions {
    int (modOrvel::*getLeft)(int) const;
    int (modOrvel::*getTop)(int) const;
    void (modOrvel::*setLeft)(int, int);
    void (modOrvel::*setTop)(int, int);
};
constexpr Positions kButtons{&modOrvel::GetBtnLeft, &modOrvel::GetBtnTop, &modOrvel::SetBtnLeft, &modOrvel::SetBtnTop};
constexpr Positions kPilots{&modOrvel::GetPilotLeft, &modOrvel::GetPilotTop, &modOrvel::SetPilotLeft, &modOrvel::SetPilotTop};
constexpr Positions kSliders{&modOrvel::GetSldLeft, &modOrvel::GetSldTop, &modOrvel::SetSldLeft, &modOrvel::SetSldTop};
constexpr Positions kTexts{&modOrvel::GetTxtLeft, &modOrvel::GetTxtTop, &modOrvel::SetTxtLeft, &modOrvel::SetTxtTop};

// Stores (x, y) as the slot's place; true when that changed it.
bool Place(modOrvel& m, const Positions& p, int slot, int x, int y)
{
    const bool changed = (m.*p.getLeft)(slot) != x || (m.*p.getTop)(slot) != y;
    (m.*p.setLeft)(slot, x);
    (m.*p.setTop)(slot, y);
    return changed;
}

bool Snap(modOrvel& m, const Positions& p, std::span<GridPoint> undo, int g)
{
    bool changed = false;
    for (std::size_t i = 0; i < undo.size(); ++i) {
        const int slot = static_cast<int>(i);
        const int x = (m.*p.getLeft)(slot);
        const int y = (m.*p.getTop)(slot);
        undo[i] = GridPoint{static_cast<i16>(x), static_cast<i16>(y)};
        changed |= Place(m, p, slot, SnapDown(x, g), SnapDown(y, g));
    }
    return changed;
}

bool Restore(modOrvel& m, const Positions& p, std::span<const GridPoint> undo)
{
    bool changed = false;
    for (std::size_t i = 0; i < undo.size(); ++i)
        changed |= Place(m, p, static_cast<int>(i), undo[i].X, undo[i].Y);
    return changed;
}

template <std::size_t N>
int Ticked(const std::array<QAction*, N>& items)
{
    for (std::size_t i = 0; i < N; ++i)
        if (items[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

} // namespace

void frmOrvel::ConnectGridCommands()
{
    // The menu ticks "Show Grid" itself before the handler runs; the size and colour items sit
    // in groups that keep exactly one of them ticked.
    connect(mnuShowGrid, &QAction::triggered, this, &frmOrvel::mnuShowGrid_Click);
    for (std::size_t i = 0; i < mnuGridSize.size(); ++i)
        connect(mnuGridSize[i], &QAction::triggered, this, [this, i] { mnuGridSize_Click(static_cast<int>(i)); });
    for (std::size_t i = 0; i < mnuGridColor.size(); ++i)
        connect(mnuGridColor[i], &QAction::triggered, this, [this, i] { mnuGridColor_Click(static_cast<int>(i)); });
    connect(mnuSnapToGrid, &QAction::triggered, this, &frmOrvel::mnuSnapToGrid_Click);
    connect(mnuUndoSnap, &QAction::triggered, this, &frmOrvel::mnuUndoSnap_Click);
}

int frmOrvel::GridStep() const
{
    const int ticked = Ticked(mnuGridSize);
    return kGridSizes[static_cast<std::size_t>(ticked < 0 ? 0 : ticked)];
}

void frmOrvel::mnuShowGrid_Click() { UpdateGrid(); }

void frmOrvel::mnuGridSize_Click(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(mnuGridSize.size()))
        return;
    mnuGridSize[static_cast<std::size_t>(Index)]->setChecked(true);
    UpdateGrid();
}

void frmOrvel::mnuGridColor_Click(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(mnuGridColor.size()))
        return;
    mnuGridColor[static_cast<std::size_t>(Index)]->setChecked(true);
    // The lines keep their places; lines shown later take the colour too.
    const std::uint32_t rgb = kGridColors[static_cast<std::size_t>(Ticked(mnuGridColor))];
    picLayout->Surface()->SetGridColor(QColor::fromRgb(static_cast<QRgb>(rgb)));
}

void frmOrvel::UpdateGrid()
{
    LayoutSurface* surface = picLayout->Surface();
    if (!mnuShowGrid->isChecked()) {
        surface->SetGridLines({}, {});
        return;
    }
    const int g = GridStep();
    const TwipsSize display = display_.Twips();
    surface->SetGridLines(GridLinePlaces(display.width, g), GridLinePlaces(display.height, g));
}

bool frmOrvel::SnapToGrid()
{
    const int g = GridStep();
    bool changed = Snap(m_, kButtons, m_.SnapUndoButton, g);
    changed |= Snap(m_, kPilots, m_.SnapUndoPilot, g);
    changed |= Snap(m_, kSliders, m_.SnapUndoSlider, g);
    changed |= Snap(m_, kTexts, m_.SnapUndoText, g);
    return changed;
}

bool frmOrvel::UndoSnapToGrid()
{
    bool changed = Restore(m_, kButtons, m_.SnapUndoButton);
    changed |= Restore(m_, kPilots, m_.SnapUndoPilot);
    changed |= Restore(m_, kSliders, m_.SnapUndoSlider);
    changed |= Restore(m_, kTexts, m_.SnapUndoText);
    return changed;
}

void frmOrvel::mnuSnapToGrid_Click()
{
    mnuUndoSnap->setEnabled(true);
    // Unlike a plain redraw, new places are an edit that Exit must not discard unasked.
    if (SnapToGrid())
        MarkModified();
    ShowScreen();
}

void frmOrvel::mnuUndoSnap_Click()
{
    // Nothing to undo before a snap of this screen.
    if (!mnuUndoSnap->isEnabled())
        return;
    mnuUndoSnap->setEnabled(false);
    if (UndoSnapToGrid())
        MarkModified();
    ShowScreen();
}

} // namespace kx4
