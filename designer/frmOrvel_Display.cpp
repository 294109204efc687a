// The screen display and the panel options of the main window.
#include "designer/frmOrvel.h"

#include "assets/BackgroundPicture.h"
#include "data/Background.h"
#include "data/modOrvel.h"
#include "designer/LayoutArea.h"
#include "designer/PanelOptions.h"
#include "designer/ScreenGeometry.h"
#include "designer/render/Renderer.h"
#include "platform/DisplaySize.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/WindowPlace.h"
#include "platform/WindowText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace kx4 {
namespace {

const QColor kLogoBackColor(0xEF, 0xEF, 0xEF);

// Shows `index` in `list`; a stored value the list cannot show leaves it without a selection and
// runs no handler. Any other change runs the list's handler.
void ShowListIndex(QComboBox* list, int index)
{
    if (index < 0) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(-1);
    } else if (list->currentIndex() != index) {
        list->setCurrentIndex(index);
    }
}

} // namespace

void frmOrvel::ShowScreen()
{
    const int redrawsBefore = redrawsDone_;

    // 1. Every element slot.
    for (int i = 0; i < kButtonCount; ++i)
        UDButton(i);
    for (int i = 0; i < kPilotCount; ++i)
        UDPilot(i);
    for (int i = 0; i < kSliderCount; ++i)
        UDSlider(i);
    for (int i = 0; i < kTextCount; ++i)
        UDTitle(i);

    // 2. The option controls; each that changes runs its handler, which may redraw again.
    optLayout[m_.GetLayout() == 0 ? 0 : 1]->setChecked(true);
    ShowListIndex(cboScnRes, ListIndexFor(m_.GetScnRes(), cboScnRes->count()));
    if (m_.GetBeep() == 0 && chkBeep->isChecked())
        chkBeep->setChecked(false);
    else if (m_.GetBeep() != 0 && !chkBeep->isChecked())
        chkBeep->setChecked(true);
    // A Raw project keeps the list so that it can go back to SFC without the standard pictures.
    cboCmdSet->setVisible(rawImagesPresent_ || m_.GetSDFormat() != 0);
    ShowListIndex(cboCmdSet, ListIndexFor(m_.GetSDFormat(), cboCmdSet->count()));
    ShowListIndex(cboBVAddress, ListIndexFor(m_.GetBVAddress(), cboBVAddress->count()));
    ShowListIndex(cboBVRange, BVRangeListIndex(m_.GetBVRange()));

    // 3. The background. A redraw nested in step 2 has already shown it for the same project.
    if (redrawsDone_ == redrawsBefore)
        ShowBackground();

    // 4. The caption.
    const std::string caption = m_.AppTitle + (m_.DataFile == kNoDataFile ? "   (None)" : "   " + m_.DataFile);
    setWindowTitle(QString::fromStdString(caption));

    // 5.
    picLayout->raise();
    picLayout->update();

    ++redrawsDone_;
}

void frmOrvel::ShowBackground()
{
    LayoutSurface* surface = picLayout->Surface();
    const std::string& text = m_.ScreenBG[static_cast<std::size_t>(m_.CurScreen)];
    switch (ClassifyBackground(text)) {
    case BackgroundKind::Color: {
        surface->ClearPicture();
        const std::uint32_t rgb = ColorValueToRgb(ParseBackgroundColor(text));
        surface->SetBackColor(QColor::fromRgb(static_cast<QRgb>(rgb)));
        SetElidedText(*lblBGFile, "Solid Color");
        break;
    }
    case BackgroundKind::Logo:
        surface->ClearPicture();
        surface->SetBackColor(kLogoBackColor);
        SetElidedText(*lblBGFile, "QVR Logo");
        LoadQVRBG();
        break;
    case BackgroundKind::File: {
        const std::filesystem::path file = paths_.Map(text);
        QImage picture;
        if (!PathExists(file)) {
            ShowFileNotFound(commandPrompts_, text);
            ShowNoPicture("BMP File Missing");
        } else if (const IoResult r = LoadPicture(file, picture); !r) {
            ShowPictureNotReadable(commandPrompts_, r);
            ShowNoPicture("BMP File Not Readable");
        } else {
            surface->SetPicture(std::move(picture));
            // A long path keeps its start and its file name in view.
            SetElidedText(*lblBGFile, QString::fromStdString(text));
        }
        break;
    }
    }
}

IoResult frmOrvel::LoadPicture(const std::filesystem::path& file, QImage& picture)
{
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(file, ec);
    const auto size = ec ? 0 : std::filesystem::file_size(file, ec);
    if (ec || file != lastPicture_.file || time != lastPicture_.time || size != lastPicture_.size) {
        QImage read;
        if (IoResult r = ReadBackgroundPicture(file, read); !r)
            return r;
        lastPicture_ = {file, time, size, std::move(read)};
    }
    picture = lastPicture_.image;
    return IoResult::Ok();
}

void frmOrvel::ShowNoPicture(const char* label)
{
    LayoutSurface* surface = picLayout->Surface();
    surface->ClearPicture();
    surface->SetBackColor(Qt::white);
    SetElidedText(*lblBGFile, label);
}

void frmOrvel::LoadQVRBG()
{
    LayoutSurface* surface = picLayout->Surface();
    const std::filesystem::path file = paths_.LogoFile(m_.GetScnRes(), m_.GetLayout());
    QImage picture;
    if (!file.empty() && PathExists(file) && LoadPicture(file, picture)) {
        surface->SetPicture(std::move(picture));
        return;
    }
    surface->ClearPicture();
    surface->SetBackColor(kLogoBackColor);
}

void frmOrvel::ScreenRes()
{
    const TwipsSize display = display_.Twips();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const WindowGeometry g = ScreenResGeometry(m_.GetScnRes(), m_.GetLayout(), display.height);
    if (g.resize)
        SetOuterSize(g.width, g.height);
    const auto placeFrame = [&](QGroupBox* frame, int left) { frame->move(TwipsToPixels(left + g.frameOffset), frame->y()); };
    placeFrame(frmButtons, kButtonsFrameLeft);
    placeFrame(frmPilots, kPilotsFrameLeft);
    placeFrame(frmSliders, kSlidersFrameLeft);
    placeFrame(frmTitlesLarge, kTextsFrameLeft);
    PlaceCentred();
}

void frmOrvel::PlaceCentred()
{
    const TwipsSize display = display_.Twips();
    PlaceWindow(*this, {TwipsToPixels((display.width - outerWidthTwips_) / 2), TwipsToPixels((display.height - outerHeightTwips_) / 2)},
                display_);
}

void frmOrvel::ScreenShape()
{
    const LayoutGeometry g = ScreenShapeGeometry(m_.GetScnRes(), m_.GetLayout(), display_.Twips().height);
    PanOn = g.panOn;
    vsPan->setVisible(PanOn);
    picLayout->resize(TwipsToPixels(g.layoutWidth), TwipsToPixels(g.layoutHeight));
    picPan->resize(TwipsToPixels(g.panWidth), TwipsToPixels(g.panHeight));
    picPan->update();
}

void frmOrvel::vsPan_Change() { picLayout->move(0, -TwipsToPixels(vsPan->value())); }

// ------------------------------------------------------------------ option handlers

void frmOrvel::cboBVAddress_Click()
{
    const int address = cboBVAddress->currentIndex();
    if (address < 0)
        return;
    if (AddressRangeValid(address, cboBVRange->currentIndex()))
        m_.SetBVAddress(address);
    else
        prompts_.Message(MsgIcon::Critical, "Error", "Base Address + Count Invalid", MsgButtons::Ok);
    MarkModified();
    ShowScreen();
}

void frmOrvel::cboBVRange_Click()
{
    const int range = cboBVRange->currentIndex();
    if (range < 0)
        return;
    if (AddressRangeValid(cboBVAddress->currentIndex(), range))
        m_.SetBVRange(BVRangeFromListIndex(range));
    else
        prompts_.Message(MsgIcon::Critical, "Error", "Base Address + Count Invalid", MsgButtons::Ok);
    MarkModified();
    ShowScreen();
}

void frmOrvel::cboScnRes_Click()
{
    const int res = cboScnRes->currentIndex();
    if (res < 0)
        return;
    picLayout->move(0, 0);
    vsPan->setValue(0);
    m_.SetScnRes(res);
    ScreenRes();
    ScreenShape();
    MarkModified();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::optLayout_Click(int index)
{
    picLayout->move(0, 0);
    vsPan->setValue(0);
    m_.SetLayout(index == 0 ? 0 : 1);
    ClearHL();
    ScreenRes();
    ScreenShape();
    MarkModified();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::chkBeep_Click()
{
    m_.SetBeep(chkBeep->isChecked() ? 1 : 0);
    MarkModified();
    ClearHL();
}

void frmOrvel::cboCmdSet_Click()
{
    const int format = cboCmdSet->currentIndex();
    if (format < 0)
        return;
    m_.SetSDFormat(format);
    MarkModified();
    ShowScreen();
}

void frmOrvel::cboScreenNumber_Click()
{
    const int screen = cboScreenNumber->currentIndex();
    if (screen < 0)
        return;
    ClearHL();
    m_.SetScreen(screen);
    ShowScreen();
    m_.SelButton = m_.SelPilot = m_.SelSlider = m_.SelText = -1;
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::chkHideTitleBG_Click() { ShowScreen(); }

} // namespace kx4
