#include "designer/frmOrvel.h"

#include "assets/Artwork.h"
#include "data/modOrvel.h"
#include "designer/LayoutArea.h"
#include "designer/PanelOptions.h"
#include "designer/PreviewWidgets.h"
#include "designer/ScreenGeometry.h"
#include "editors/DialogWindow.h" // TwipsRect
#include "platform/DisplaySize.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/WindowText.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <filesystem>
#include <system_error>

namespace kx4 {
namespace {

constexpr const char* kAppTitle = "QVR Brivane KX4 Pro";

// Design positions of the controls, twips.
constexpr int kPanLeft = 120;
constexpr int kPanTop = 1320;
constexpr int kFrameTop = 60;

bool IsUnder(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto p = path.begin();
    for (const auto& part : folder) {
        if (p == path.end() || *p != part)
            return false;
        ++p;
    }
    return true;
}

void Fill(QComboBox* list, const std::vector<std::string>& items)
{
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& item : items)
        list->addItem(QString::fromStdString(item));
    // Nothing chosen yet, so that choosing the first entry runs the list's handler.
    list->setCurrentIndex(-1);
}

} // namespace

frmOrvel::frmOrvel(modOrvel& project, Paths paths, Prompts& prompts, const DisplaySize& display, QWidget* parent)
    : QMainWindow(parent), m_(project), paths_(std::move(paths)), prompts_(prompts), display_(display)
{
    setObjectName("frmOrvel");
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIcon())));
    setFont(WindowFont());

    CreateMenus();
    CreateControls();
    SetOuterSize(14535, 9765);
    Form_Load();
}

frmOrvel::~frmOrvel() = default;

void frmOrvel::CreateMenus()
{
    const auto item = [this](QMenu* menu, const char* name, const char* caption, const char* keys = nullptr) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        if (keys)
            a->setShortcut(QKeySequence(keys));
        return a;
    };

    QMenu* mnuFile = menuBar()->addMenu("File");
    mnuFile->setObjectName("mnuFile");
    mnuFileNew = item(mnuFile, "mnuFileNew", "New");
    mnuFileOpen = item(mnuFile, "mnuFileOpen", "Open");
    mnuFileSave = item(mnuFile, "mnuFileSave", "Save");
    mnuFileSaveAs = item(mnuFile, "mnuFileSaveAs", "Save As");
    mnuFile->addSeparator();
    mnuExport = item(mnuFile, "mnuExport", "Export Screen");
    mnuImportScreen = item(mnuFile, "mnuImportScreen", "Import Screen");
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, "mnuExit", "Exit");

    QMenu* mnuEdit = menuBar()->addMenu("Edit");
    mnuEdit->setObjectName("mnuEdit");
    mnuNewButton = item(mnuEdit, "mnuNewButton", "New Button", "Ctrl+B");
    mnuNewPilot = item(mnuEdit, "mnuNewPilot", "New Pilot", "Ctrl+P");
    mnuNewSlider = item(mnuEdit, "mnuNewSlider", "New Slider", "Ctrl+S");
    mnuNewText = item(mnuEdit, "mnuNewText", "New Text", "Ctrl+T");
    mnuEdit->addSeparator();
    mnuClearScreen = item(mnuEdit, "mnuClearScreen", "Clear Screen", "Ctrl+X");
    mnuEdit->addSeparator();
    mnuShowGrid = item(mnuEdit, "mnuShowGrid", "Show Grid");
    mnuShowGrid->setCheckable(true);

    QMenu* gridSize = mnuEdit->addMenu("Grid Size");
    auto* sizes = new QActionGroup(this);
    const char* sizeCaptions[] = {"8 x 8", "16 x 16", "32 x 32", "64 x 64"};
    for (std::size_t i = 0; i < mnuGridSize.size(); ++i) {
        mnuGridSize[i] = item(gridSize, ("mnuGridSize_" + std::to_string(i)).c_str(), sizeCaptions[i]);
        mnuGridSize[i]->setCheckable(true);
        sizes->addAction(mnuGridSize[i]);
    }
    mnuGridSize[0]->setChecked(true);

    QMenu* gridColor = mnuEdit->addMenu("Grid Color");
    auto* colors = new QActionGroup(this);
    const char* colorCaptions[] = {"Black", "Gray", "White"};
    for (std::size_t i = 0; i < mnuGridColor.size(); ++i) {
        mnuGridColor[i] = item(gridColor, ("mnuGridColor_" + std::to_string(i)).c_str(), colorCaptions[i]);
        mnuGridColor[i]->setCheckable(true);
        colors->addAction(mnuGridColor[i]);
    }
    mnuGridColor[1]->setChecked(true);

    mnuEdit->addSeparator();
    mnuSnapToGrid = item(mnuEdit, "mnuSnapToGrid", "Snap To Grid");
    mnuUndoSnap = item(mnuEdit, "mnuUndoSnap", "Undo Snap");
    mnuUndoSnap->setEnabled(false);

    // Commands on the menu bar itself.
    mnuProgram = menuBar()->addAction("Create SD Card");
    mnuProgram->setObjectName("mnuProgram");
    mnuMultiProfile = menuBar()->addAction("Multi-Profile");
    mnuMultiProfile->setObjectName("mnuMultiProfile");
    mnuAbout = menuBar()->addAction("About");
    mnuAbout->setObjectName("mnuAbout");

    // A menu is a window of its own, which takes no font from its parent.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->setFont(font());

    connect(mnuExit, &QAction::triggered, this, &frmOrvel::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmOrvel::mnuAbout_Click);
    connect(mnuProgram, &QAction::triggered, this, &frmOrvel::mnuProgram_Click);
    connect(mnuMultiProfile, &QAction::triggered, this, &frmOrvel::mnuMultiProfile_Click);
    ConnectFileAndElementCommands();
    ConnectGridCommands();
}

void frmOrvel::CreateControls()
{
    auto* central = new QWidget(this);
    central->setObjectName("frmOrvelClient");
    setCentralWidget(central);

    // Device options and the screen choice, above the layout area.
    frmSettings = new QGroupBox("Device Options", central);
    frmSettings->setObjectName("frmSettings");
    CaptionOnLine(*frmSettings);
    frmSettings->setGeometry(4, 0, 334, 84);
    cboScnRes = new QComboBox(frmSettings);
    cboScnRes->setObjectName("cboScnRes");
    cboScnRes->setGeometry(8, 20, 112, 22);
    optLayout[0] = new QRadioButton("Landscape", frmSettings);
    optLayout[1] = new QRadioButton("Portrait", frmSettings);
    optLayout[0]->setObjectName("optLayout_0");
    optLayout[1]->setObjectName("optLayout_1");
    optLayout[0]->setGeometry(130, 21, 90, 20);
    optLayout[1]->setGeometry(226, 21, 90, 20);
    optLayout[0]->setChecked(true);
    cboBVAddress = new QComboBox(frmSettings);
    cboBVAddress->setObjectName("cboBVAddress");
    cboBVAddress->setGeometry(8, 52, 140, 22);
    cboBVRange = new QComboBox(frmSettings);
    cboBVRange->setObjectName("cboBVRange");
    cboBVRange->setGeometry(154, 52, 172, 22);

    cboScreenNumber = new QComboBox(central);
    cboScreenNumber->setObjectName("cboScreenNumber");
    cboScreenNumber->setGeometry(346, 8, 100, 22);
    chkBeep = new QCheckBox("Audio", central);
    chkBeep->setObjectName("chkBeep");
    chkBeep->setGeometry(454, 9, 60, 20);
    cboCmdSet = new QComboBox(central);
    cboCmdSet->setObjectName("cboCmdSet");
    cboCmdSet->setGeometry(346, 34, 130, 22);
    cmdBGSel = new QPushButton("Select", central);
    cmdBGSel->setObjectName("cmdBGSel");
    cmdBGSel->setGeometry(346, 60, 56, 24);
    lblBGFile = new QLabel(central);
    lblBGFile->setObjectName("lblBGFile");
    lblBGFile->setTextFormat(Qt::PlainText);
    lblBGFile->setGeometry(408, 60, 108, 24);

    // The layout area inside its viewport, and the pan bar beside it.
    picPan = new QWidget(central);
    picPan->setObjectName("picPan");
    picPan->move(TwipsToPixels(kPanLeft), TwipsToPixels(kPanTop));
    picLayout = new LayoutArea(picPan);
    vsPan = new QScrollBar(Qt::Vertical, central);
    vsPan->setObjectName("vsPan");
    vsPan->setRange(0, 4890);
    vsPan->setSingleStep(15);
    vsPan->setPageStep(480);
    vsPan->hide();

    CreateElementControls();
    CreateSettingsLists();
    ConnectRowClicks();

    connect(cboBVAddress, &QComboBox::currentIndexChanged, this, &frmOrvel::cboBVAddress_Click);
    connect(cboBVRange, &QComboBox::currentIndexChanged, this, &frmOrvel::cboBVRange_Click);
    connect(cboScnRes, &QComboBox::currentIndexChanged, this, &frmOrvel::cboScnRes_Click);
    connect(cboCmdSet, &QComboBox::currentIndexChanged, this, &frmOrvel::cboCmdSet_Click);
    connect(cboScreenNumber, &QComboBox::currentIndexChanged, this, &frmOrvel::cboScreenNumber_Click);
    connect(chkBeep, &QCheckBox::toggled, this, &frmOrvel::chkBeep_Click);
    connect(chkHideTitleBG, &QCheckBox::toggled, this, &frmOrvel::chkHideTitleBG_Click);
    connect(cmdBGSel, &QPushButton::clicked, this, &frmOrvel::cmdBGSel_Click);
    for (int i = 0; i < 2; ++i)
        connect(optLayout[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optLayout_Click(i);
        });
    connect(vsPan, &QScrollBar::valueChanged, this, &frmOrvel::vsPan_Change);
}

void frmOrvel::CreateElementControls()
{
    QWidget* surface = picLayout->Surface();
    const auto name = [](const char* base, std::size_t i) { return QString("%1_%2").arg(base).arg(i); };
    // Creation order is stacking order: sliders lowest, then texts; buttons and pilots bring
    // themselves to the front at every redraw.
    for (std::size_t i = 0; i < imgSlider.size(); ++i)
        imgSlider[i] = new ElementView(surface, name("imgSlider", i));
    for (std::size_t i = 0; i < lblTextBox.size(); ++i) {
        lblTextBox[i] = new ElementView(surface, name("lblTextBox", i));
        lblTextBox[i]->setWordWrap(true);
        imgClkCal[i] = new ElementView(surface, name("imgClkCal", i));
    }
    for (std::size_t i = 0; i < imgPB.size(); ++i) {
        imgPB[i] = new ElementView(surface, name("imgPB", i));
        lblButton[i] = new ElementView(surface, name("lblButton", i));
        lblButton[i]->setWordWrap(true);
        lblButton[i]->setFont(QFont("Calibri"));
    }
    for (std::size_t i = 0; i < imgPilot.size(); ++i)
        imgPilot[i] = new ElementView(surface, name("imgPilot", i));
    for (ElementView* label : lblTextBox)
        label->setFont(QFont("Calibri"));
    ConnectDragHandlers();
}

void frmOrvel::CreateSettingsLists()
{
    QWidget* central = centralWidget();
    const auto frame = [central](const char* name, const char* caption) {
        auto* f = new QGroupBox(caption, central);
        f->setObjectName(name);
        CaptionOnLine(*f);
        return f;
    };
    const auto rows = [](QGroupBox* f, auto& list, const char* base, int width) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            list[i] = new SettingsRow(f, QString("%1_%2").arg(base).arg(i));
            list[i]->setGeometry(TwipsRect(120, 240 * static_cast<int>(i + 1), width, 255));
        }
    };
    // Each frame reaches one row below its last row.
    frmButtons = frame("frmButtons", "Buttons");
    rows(frmButtons, lblBSettings, "lblBSettings", 2295);
    frmButtons->setGeometry(TwipsRect(kButtonsFrameLeft, kFrameTop, 2535, 240 * 33 + 120));
    frmPilots = frame("frmPilots", "Pilots");
    rows(frmPilots, lblPSettings, "lblPSettings", 1815);
    frmPilots->setGeometry(TwipsRect(kPilotsFrameLeft, kFrameTop, 2055, 240 * 33 + 120));
    frmSliders = frame("frmSliders", "Sliders");
    rows(frmSliders, lblSSettings, "lblSSettings", 1335);
    frmSliders->setGeometry(TwipsRect(kSlidersFrameLeft, kFrameTop, 1695, 240 * 9 + 120));
    frmTitlesLarge = frame("frmTitlesLarge", "Text / Bar Graph");
    rows(frmTitlesLarge, lblTSettings, "lblTSettings", 1335);
    chkHideTitleBG = new WrappingCheckBox("Show Boxes (Edit Only)", frmTitlesLarge);
    chkHideTitleBG->setObjectName("chkHideTitleBG");
    // Its caption wraps onto a second line, clear of the frame's right edge.
    chkHideTitleBG->setGeometry(TwipsRect(120, 240 * 17 + 60, 1455, 480));
    frmTitlesLarge->setGeometry(TwipsRect(kTextsFrameLeft, kFrameTop + 240 * 9 + 180, 1695, 240 * 17 + 660));
}

void frmOrvel::SetOuterSize(int widthTwips, int heightTwips)
{
    outerWidthTwips_ = widthTwips;
    outerHeightTwips_ = heightTwips;
    // The outer sizes include the border and caption, which Qt keeps apart from the window's own size.
    setFixedSize(TwipsToPixels(widthTwips) - kFrameWidth, TwipsToPixels(heightTwips) - kFrameHeight);
}

void frmOrvel::Form_Load()
{
    // 1. Centre the window on the display.
    PlaceCentred();
    // 2. The caption at design is the first part of every caption.
    m_.AppTitle = windowTitle().toStdString();
    // 3. The pan bar's place; ScreenShape shows it when needed.
    vsPan->setGeometry(TwipsRect(7440, kPanTop, 255, 7200));
    // 4-5. The folder tree; the SD format list only where the standard pictures are installed.
    MakeFolders();
    rawImagesPresent_ = PathExists(paths_.RawImagesDir());
    cboCmdSet->setVisible(rawImagesPresent_);
    // 6. A fresh project.
    m_.DataFile = std::string(kNoDataFile);
    m_.IncludeStdFlag = true;
    m_.ResetAll();
    // 7. The element controls exist from construction, hidden.
    // 8. The option lists.
    Fill(cboBVAddress, BVAddressItems());
    Fill(cboBVRange, BVRangeItems());
    Fill(cboScnRes, ScnResItems());
    Fill(cboCmdSet, CmdSetItems());
    // 9. Choosing the first entries runs the handlers, which store the options.
    cboScnRes->setCurrentIndex(0);
    cboCmdSet->setCurrentIndex(0);
    cboBVRange->setCurrentIndex(0);
    cboBVAddress->setCurrentIndex(0);
    // 10. The screen list; "Home" becomes current.
    Fill(cboScreenNumber, ScreenNumberItems());
    cboScreenNumber->setCurrentIndex(0);
    // 11-12. The handlers' stores undone; nothing is modified yet.
    m_.ResetAll();
    m_.DataChanged = false;
    mnuMultiProfile->setEnabled(true);
}

void frmOrvel::MakeFolders()
{
    const std::filesystem::path folders[] = {
        paths_.ProgramDir(), paths_.SDImageDir(), paths_.PreviewDir(), paths_.SDCardGraphicsDir(), paths_.BMPImagesDir(),
    };
    std::filesystem::path failed;
    for (const auto& folder : folders) {
        // A file of the folder's name is in the way, not a folder.
        std::error_code ec;
        if (std::filesystem::is_directory(folder, ec))
            continue;
        // A folder under one that could not be made cannot be made either: one message is enough.
        if (!failed.empty() && IsUnder(folder, failed))
            continue;
        if (std::filesystem::create_directory(folder, ec) || std::filesystem::is_directory(folder))
            continue;
        failed = folder;
        prompts_.Message(MsgIcon::Critical, kAppTitle,
                         "The folder \"" + folder.string() + "\" could not be created: " + ec.message(), MsgButtons::Ok);
    }
}

void frmOrvel::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // After the window is up, so that a message of the redraw stands over it.
        QMetaObject::invokeMethod(this, &frmOrvel::Form_Activate, Qt::QueuedConnection);
    }
}

void frmOrvel::Form_Activate()
{
    ShowScreen();
    ScreenShape();
}

int frmOrvel::RunModal(QDialog& dialog)
{
    const int result = dialog.exec();
    Form_Activate();
    return result;
}

void frmOrvel::MarkModified()
{
    m_.DataChanged = true;
    mnuMultiProfile->setEnabled(false);
}

bool frmOrvel::AskDiscard()
{
    return prompts_.Message(MsgIcon::Question, kAppTitle, "Discard Any Changes?", MsgButtons::YesNo) == MsgAnswer::Yes;
}

void frmOrvel::SelectHome() { cboScreenNumber->setCurrentIndex(0); }

void frmOrvel::ResetAfterMultiProfile()
{
    m_.DataChanged = false;
    m_.ResetAll();
    SelectHome();
    ScreenRes();
    ShowScreen();
    ScreenShape();
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::mnuExit_Click()
{
    if (m_.DataChanged && !AskDiscard())
        return;
    ExitConfirmed = true;
    close();
}

void frmOrvel::closeEvent(QCloseEvent* event)
{
    if (!ExitConfirmed && m_.DataChanged && !AskDiscard()) {
        event->ignore();
        return;
    }
    // The element and background dialogs are made afresh for each opening and are gone by now.
    event->accept();
}

void frmOrvel::mnuAbout_Click()
{
    prompts_.Message(MsgIcon::None, kAppTitle, "Software Rev 3.07", MsgButtons::Ok);
}

} // namespace kx4
