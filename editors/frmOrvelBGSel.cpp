#include "editors/frmOrvelBGSel.h"

#include "assets/BackgroundPicture.h"
#include "data/Background.h"
#include "data/modOrvel.h"
#include "editors/BackgroundChoice.h"
#include "editors/ElementDialog.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/WindowText.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kx4 {
namespace {

constexpr int kRowHeight = 255; // twips: labels, swatches, bars, option buttons
constexpr int kSwatchSide = 255;
constexpr std::array<int, 7> kSwatchLeft = {4080, 4320, 4560, 4800, 5040, 5280, 5520};
constexpr std::array<int, 5> kSwatchTop = {480, 720, 960, 1200, 1440};
constexpr int kSelected = 35;
constexpr int kCaption = 36;
constexpr std::uint32_t kQVRDefault = 239;

const char* const kFilter = "BMP Images (*.BMP)|*.BMP|All Files (*.*)|*.*";

QColor FromValue(std::uint32_t value) { return QColor::fromRgb(static_cast<QRgb>(ColorValueToRgb(value))); }

} // namespace

frmOrvelBGSel::frmOrvelBGSel(modOrvel& project, ElementHost& host, Prompts& prompts, const Paths& paths, QWidget* parent)
    : DialogWindow(parent), m_(project), host_(host), prompts_(prompts), paths_(paths)
{
    setObjectName("frmOrvelBGSel");
    setWindowTitle("Select Background");
    SetClientSize(6255, 3975);

    const auto makeOption = [this](int index, const QString& caption, int top) {
        auto* option = Placed(new QRadioButton(caption, this), QString("optBG_%1").arg(index).toUtf8().constData(),
                              TwipsRect(120, top, 1695, kRowHeight));
        optBG[static_cast<std::size_t>(index)] = option;
    };
    makeOption(0, "Solid Color", 120);
    makeOption(1, "BMP Image", 2520);
    makeOption(2, "QVR Logo", 3360);
    optBG[0]->setChecked(true);

    frmStd = MakeFrame("frmStd", QString(), 120, 360, 6015, 1935);
    // Captions above the swatches and bars, clear of them.
    const auto makeCaption = [this](const char* name, const QString& caption, int left, int width) {
        QLabel* label = MakeLabel(frmStd, name, caption, left, 240, width, 240);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    };
    makeCaption("lblSelCol", "Selected Color", 240, 1215);
    makeCaption("lblCustom", "Custom Color", 2160, 1455);
    const auto makeBar = [this](const char* labelName, const QString& caption, const char* barName, int top, QColor back,
                                QColor text, QLabel*& label, QScrollBar*& bar) {
        label = MakeLabel(frmStd, labelName, caption, 1800, top, 480, kRowHeight);
        label->setAlignment(Qt::AlignCenter);
        FillBackground(*label, back, text);
        bar = Placed(new QScrollBar(Qt::Horizontal, frmStd), barName, TwipsRect(2280, top, 1215, kRowHeight));
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(16);
    };
    makeBar("lblCCRed", "Red", "hsRed", 600, QColor(255, 0, 0), Qt::white, lblCCRed, hsRed);
    makeBar("lblCCGrn", "Green", "hsGrn", 960, QColor(0, 255, 0), Qt::black, lblCCGrn, hsGrn);
    makeBar("lblCCBlu", "Blue", "hsBlu", 1320, QColor(0, 0, 255), Qt::white, lblCCBlu, hsBlu);
    // valueChanged follows the thumb while it is dragged too.
    connect(hsRed, &QScrollBar::valueChanged, this, &frmOrvelBGSel::hsRed_Change);
    connect(hsGrn, &QScrollBar::valueChanged, this, &frmOrvelBGSel::hsGrn_Change);
    connect(hsBlu, &QScrollBar::valueChanged, this, &frmOrvelBGSel::hsBlu_Change);

    for (int i = 0; i <= kSelected; ++i) {
        auto* swatch = new ClickLabel(frmStd);
        swatch->setObjectName(QString("lblStdCol_%1").arg(i));
        if (i == kSelected) {
            swatch->setGeometry(TwipsRect(240, 480, 1095, 495));
            swatch->setFrameShape(QFrame::Box);
        } else {
            swatch->setGeometry(TwipsRect(kSwatchLeft[static_cast<std::size_t>(StdColorColumn(i))],
                                          kSwatchTop[static_cast<std::size_t>(i / 7)], kSwatchSide, kSwatchSide));
            FillBackground(*swatch, FromValue(StdColor(i)), Qt::black);
        }
        connect(swatch, &ClickLabel::clicked, this, [this, i] { lblStdCol_Click(i); });
        lblStdCol[static_cast<std::size_t>(i)] = swatch;
    }
    // The caption above the grid belongs to the swatches' array but chooses nothing.
    lblStdCol[kCaption] = makeCaption("lblStdCol_36", "Standard Colors", 4200, 1695);
    ShowSelected(0);

    cmdQVRDefault = MakeButton(frmStd, "cmdQVRDefault", "QVR Default", 240, 1440, 1095, 255);
    connect(cmdQVRDefault, &QPushButton::clicked, this, &frmOrvelBGSel::cmdQVRDefault_Click);

    cmdBrowse = MakeButton(this, "cmdBrowse", "Browse", 5040, 2520, 1095, 315);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmOrvelBGSel::cmdBrowse_Click);
    lblBMP = MakeLabel(this, "lblBMP", QString(), 120, 2880, 6015, kRowHeight);
    lblBMP->setFrameShape(QFrame::Box);
    FillBackground(*lblBMP, Qt::white, Qt::black);

    auto* cmdCancel = MakeButton(this, "cmdCancel", "Cancel", 4080, 3480, 975);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOrvelBGSel::cmdCancel_Click);
    auto* cmdClose = MakeButton(this, "cmdClose", "Save", 5160, 3480, 975);
    connect(cmdClose, &QPushButton::clicked, this, &frmOrvelBGSel::cmdClose_Click);

    for (int i = 0; i < 3; ++i)
        connect(optBG[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optBG_Click(i);
        });
    optBG_Click(0);
}

void frmOrvelBGSel::Form_Activate()
{
    const std::string& s = m_.ScreenBG[static_cast<std::size_t>(m_.CurScreen)];
    switch (ClassifyBackground(s)) {
    case BackgroundKind::Color:
        optBG[0]->setChecked(true);
        ShowSelected(ParseBackgroundColor(s));
        break;
    case BackgroundKind::Logo:
        optBG[2]->setChecked(true);
        break;
    case BackgroundKind::File:
        optBG[1]->setChecked(true);
        ShowPath(s);
        break;
    }
    SyncBars(selectedColor_);
    ShowCC();
    ShowRGB();
}

void frmOrvelBGSel::optBG_Click(int Index)
{
    frmStd->setEnabled(Index == 0);
    cmdBrowse->setEnabled(Index == 1);
    lblBMP->setEnabled(Index == 1);
}

void frmOrvelBGSel::lblStdCol_Click(int Index)
{
    if (Index == kCaption)
        return;
    // The selected-colour swatch copies itself.
    if (Index < kSelected)
        ShowSelected(StdColor(Index));
    SyncBars(selectedColor_);
    ShowRGB();
}

void frmOrvelBGSel::hsRed_Change() { ColourBarChanged(); }
void frmOrvelBGSel::hsGrn_Change() { ColourBarChanged(); }
void frmOrvelBGSel::hsBlu_Change() { ColourBarChanged(); }

void frmOrvelBGSel::ColourBarChanged()
{
    if (SyncingRGB)
        return;
    ShowCC();
    ShowRGB();
}

void frmOrvelBGSel::cmdQVRDefault_Click()
{
    hsRed->setValue(kQVRDefault);
    hsGrn->setValue(kQVRDefault);
    hsBlu->setValue(kQVRDefault);
    ShowCC();
    ShowRGB();
}

void frmOrvelBGSel::cmdBrowse_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.filter = kFilter;
    // The library folder as the user's disk spells it.
    const std::filesystem::path preset = paths_.Map("C:\\QVR Brivane KX4 Pro Screen\\BMP Library") / "*.BMP";
    // The library, or where this dialog last found a file; on a fresh installation the library
    // does not exist yet.
    request.folder = paths_.NearestExistingFolder(browseFolder_.empty() ? preset.parent_path() : browseFolder_);
    if (!BrowseInit) {
        BrowseInit = true;
        request.fileName = preset.filename().string();
    }
    const std::optional<std::filesystem::path> chosen = prompts_.FileDialog(request);
    if (!chosen || chosen->empty() || *chosen == preset)
        return;
    browseFolder_ = chosen->parent_path();

    const std::string path = chosen->string();
    if (const std::optional<std::string> refusal = BackgroundPathRefusal(path)) {
        prompts_.Message(MsgIcon::Information, "Error", *refusal, MsgButtons::Ok);
        return;
    }
    // Checked here, so that no screen is given a background that cannot be drawn.
    QImage picture;
    if (const IoResult read = ReadBackgroundPicture(*chosen, picture); !read) {
        ShowPictureNotReadable(prompts_, read);
        return;
    }
    ShowPath(path);
}

void frmOrvelBGSel::cmdClose_Click()
{
    std::string background;
    if (optBG[0]->isChecked()) {
        background = ColorBackgroundText(selectedColor_);
    } else if (optBG[1]->isChecked()) {
        if (bmpPath_.empty()) {
            prompts_.Message(MsgIcon::Information, "Error", "Invalid File Name", MsgButtons::Ok);
            return;
        }
        background = bmpPath_;
    } else {
        background = "[*L]";
    }
    m_.ScreenBG[static_cast<std::size_t>(m_.CurScreen)] = background;
    host_.MarkModified();
    accept();
}

void frmOrvelBGSel::cmdCancel_Click() { reject(); }

void frmOrvelBGSel::ShowRGB()
{
    lblCCRed->setText(QString::number(hsRed->value()));
    lblCCGrn->setText(QString::number(hsGrn->value()));
    lblCCBlu->setText(QString::number(hsBlu->value()));
}

void frmOrvelBGSel::ShowCC()
{
    ShowSelected(static_cast<std::uint32_t>(hsRed->value()) + 256u * static_cast<std::uint32_t>(hsGrn->value())
                 + 65536u * static_cast<std::uint32_t>(hsBlu->value()));
}

void frmOrvelBGSel::SyncBars(std::uint32_t color)
{
    SyncingRGB = true;
    hsRed->setValue(static_cast<int>(color % 256));
    hsGrn->setValue(static_cast<int>(color / 256 % 256));
    hsBlu->setValue(static_cast<int>(color / 65536 % 256));
    SyncingRGB = false;
}

void frmOrvelBGSel::ShowSelected(std::uint32_t color)
{
    selectedColor_ = color & 0xFFFFFFu;
    FillBackground(*lblStdCol[kSelected], FromValue(selectedColor_), Qt::black);
}

void frmOrvelBGSel::ShowPath(const std::string& path)
{
    bmpPath_ = path;
    // A long path keeps its start and its file name in view.
    SetElidedText(*lblBMP, QString::fromStdString(path));
}

} // namespace kx4
