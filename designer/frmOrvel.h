#pragma once
// The main designer window: the current screen at panel scale, the panel options, the settings
// lists of the four element kinds, and the menus. Its code is split by concern:
//   frmOrvel.cpp          construction, menus, load, activation, close, About
//   frmOrvel_Display.cpp  ShowScreen, ScreenRes, ScreenShape, LoadQVRBG, the option handlers
//   frmOrvel_Previews.cpp UDButton, UDPilot, UDSlider, UDTitle, ClearHL
//   frmOrvel_File.cpp     the File commands
//   frmOrvel_Elements.cpp New Button, New Pilot, New Slider, New Text, Clear Screen
//   frmOrvel_Editors.cpp  the settings-list rows that open the element dialogs, the background dialog
//   frmOrvel_Drag.cpp     pointer moves, dragging elements, DropObj
//   frmOrvel_Grid.cpp     grid lines, Snap To Grid, Undo Snap
//   frmOrvel_Program.cpp  "Create SD Card", "Multi-Profile"
#include "data/FileIO.h"
#include "designer/CommandPrompts.h"
#include "editors/ElementDialog.h"
#include "platform/Paths.h"
#include "sdcard/WriteFlow.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kx4 {

class DisplaySize;
class DragOutline;
enum class ElementKind;
class ElementView;
class LayoutArea;
class Prompts;
class SettingsRow;
class modOrvel;

class frmOrvel : public QMainWindow, public ElementHost {
    Q_OBJECT
public:
    // Runs the load step: folders, option lists, a fresh project on "Home".
    frmOrvel(modOrvel& project, Paths paths, Prompts& prompts, const DisplaySize& display,
             QWidget* parent = nullptr);
    ~frmOrvel() override;

    // --- the display (frmOrvel_Display.cpp)
    // The full redraw: every element slot, the option controls, the background and the caption.
    void ShowScreen();
    // Sizes, places and centres the window and moves the element-list frames for the panel size.
    void ScreenRes();
    // Sizes the layout area and its viewport and shows the pan bar when needed.
    void ScreenShape();
    // The logo picture of the panel's size and orientation as the background, else plain &HEFEFEF.
    void LoadQVRBG();

    // --- element previews (frmOrvel_Previews.cpp); slot numbers of the current screen
    void UDButton(int iBNum) override;
    void UDPilot(int iPNum) override;
    void UDSlider(int iSNum) override;
    void UDTitle(int iTNum) override;
    // Returns every settings-list row to white.
    void ClearHL();

    // Marks the project modified: DataChanged set and "Multi-Profile" withdrawn.
    void MarkModified() override;
    // Shows `dialog` modally, then runs the activation step.
    int RunModal(QDialog& dialog);
    // What follows the multi-profile builder's close and File > New: a fresh, unmodified project
    // on "Home", the window sized for it.
    void ResetAfterMultiProfile();
    // The drives and devices the SD card writer lists and writes to (the real system by default).
    void SetCardSystem(CardSystem system) { cardSystem_ = std::move(system); }

public slots:
    // --- option handlers (frmOrvel_Display.cpp)
    void cboBVAddress_Click();
    void cboBVRange_Click();
    void cboScnRes_Click();
    void cboCmdSet_Click();
    void cboScreenNumber_Click();
    void chkBeep_Click();
    void chkHideTitleBG_Click();
    // Opens the background dialog (frmOrvel_Editors.cpp).
    void cmdBGSel_Click();
    void optLayout_Click(int index);
    void vsPan_Change();

    // --- File commands (frmOrvel_File.cpp)
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuExport_Click();
    void mnuImportScreen_Click();

    // --- element commands (frmOrvel_Elements.cpp)
    void mnuNewButton_Click();
    void mnuNewPilot_Click();
    void mnuNewSlider_Click();
    void mnuNewText_Click();
    void mnuClearScreen_Click();

    // --- settings-list rows (frmOrvel_Editors.cpp): Index is the row, the slot it opens
    void lblBSettings_Click(int Index);
    void lblPSettings_Click(int Index);
    void lblSSettings_Click(int Index);
    void lblTSettings_Click(int Index);

    // --- commands (frmOrvel.cpp)
    void mnuExit_Click();
    void mnuAbout_Click();
    void mnuProgram_Click();
    void mnuMultiProfile_Click();
    void Form_Activate();

    // --- pointer moves over the layout (frmOrvel_Drag.cpp); X, Y in twips inside the control
    void imgPB_MouseMove(int Index, double X, double Y);
    void lblButton_MouseMove(int Index, double X, double Y);
    void imgPilot_MouseMove(int Index, double X, double Y);
    void imgSlider_MouseMove(int Index, double X, double Y);
    void lblTextBox_MouseMove(int Index, double X, double Y);
    void imgClkCal_MouseMove(int Index, double X, double Y);
    void picLayout_MouseMove(double X, double Y);

    // --- grid and snap (frmOrvel_Grid.cpp)
    void mnuShowGrid_Click();
    void mnuGridSize_Click(int Index);
    void mnuGridColor_Click(int Index);
    void mnuSnapToGrid_Click();
    void mnuUndoSnap_Click();

public:
    // Places the dragged element control `Source` at the pointer (`iXBase` + X, `iYBase` + Y
    // twips on the layout area) less the grab offset; refuses a place above or left of the origin.
    void DropObj(QWidget* Source, int iXBase, int iYBase, double X, double Y);
    // Shows or removes the grid lines by the ticks of the grid menus.
    void UpdateGrid();
    // Moves every element slot of the current screen down onto the grid, saving the old places;
    // true when a stored position changed.
    bool SnapToGrid();
    // Puts back the places saved by the last snap; true when a stored position changed.
    bool UndoSnapToGrid();

protected:
    // Form_QueryUnload: asks before discarding a modified project.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void CreateMenus();
    void CreateControls();
    void CreateElementControls();
    void CreateSettingsLists();
    void MakeFolders();
    bool AskDiscard();
    void SelectHome();
    void SetOuterSize(int widthTwips, int heightTwips);
    // Centred on the display by its outer size, kept inside the available area.
    void PlaceCentred();
    void ShowBackground();
    // A white layout area without picture, `label` in lblBGFile.
    void ShowNoPicture(const char* label);
    // Reads a background or logo picture; the last one read is kept while its file is unchanged,
    // so that redraws do not read it again.
    IoResult LoadPicture(const std::filesystem::path& file, QImage& picture);

    // --- File and element commands (frmOrvel_File.cpp, frmOrvel_Elements.cpp)
    void ConnectFileAndElementCommands();
    void FileOpen();
    void FileSave();
    bool FileSaveAs(); // true when the project was saved
    void ImportFile();
    void ExportFile();
    // The chosen file, or an empty path when the dialog was cancelled or still holds `preset`.
    std::filesystem::path ShowFileDialog(bool save, const std::string& filter, const std::filesystem::path& preset);
    void NewElement(ElementKind kind);
    void ConnectRowClicks();
    // A row click: the kind's selection word and CurObj become slot Index, and the kind's
    // Dialog shows at its place, modally; the screen is redrawn when it has closed.
    template <class Dialog>
    void OpenElementDialog(i16& selection, int Index);
    // The window's one file dialog: the name it holds carries over from one use to the next; an
    // empty name starts where it last looked.
    std::filesystem::path cdFileName_;
    std::filesystem::path cdFolder_;

    modOrvel& m_;
    const Paths paths_;
    Prompts& prompts_;
    // Where the screen's problems are reported: once per command, however often it draws.
    CommandPrompts commandPrompts_{prompts_};
    const DisplaySize& display_;
    CardSystem cardSystem_;

    // Form-level flags.
    bool ExitConfirmed = false;
    bool DlgPathSet = false;
    bool PanOn = false;

    bool rawImagesPresent_ = false;
    bool shownOnce_ = false;
    int outerWidthTwips_ = 0;
    int outerHeightTwips_ = 0;
    int redrawsDone_ = 0; // completed ShowScreen calls
    struct LoadedPicture {
        std::filesystem::path file;
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        QImage image;
    } lastPicture_;
    bool PlacementHintShown = false;
    DragOutline* dragOutline_ = nullptr;
    void ConnectDragHandlers();
    void ConnectGridCommands();
    void StartDrag(QWidget* source, QPointF grab);
    void DragReleased(QWidget* source, QPointF globalPos);
    int GridStep() const;

    // Menus.
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuImportScreen = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuNewButton = nullptr;
    QAction* mnuNewPilot = nullptr;
    QAction* mnuNewSlider = nullptr;
    QAction* mnuNewText = nullptr;
    QAction* mnuClearScreen = nullptr;
    QAction* mnuShowGrid = nullptr;
    std::array<QAction*, 4> mnuGridSize{};
    std::array<QAction*, 3> mnuGridColor{};
    QAction* mnuSnapToGrid = nullptr;
    QAction* mnuUndoSnap = nullptr;
    QAction* mnuProgram = nullptr;
    QAction* mnuMultiProfile = nullptr;
    QAction* mnuAbout = nullptr;

    // Option controls.
    QGroupBox* frmSettings = nullptr;
    QComboBox* cboScnRes = nullptr;
    QComboBox* cboBVAddress = nullptr;
    QComboBox* cboBVRange = nullptr;
    std::array<QRadioButton*, 2> optLayout{};
    QComboBox* cboScreenNumber = nullptr;
    QCheckBox* chkBeep = nullptr;
    QComboBox* cboCmdSet = nullptr;
    QPushButton* cmdBGSel = nullptr;
    QLabel* lblBGFile = nullptr;

    // The layout area in its viewport, and the pan bar.
    QWidget* picPan = nullptr;
    LayoutArea* picLayout = nullptr;
    QScrollBar* vsPan = nullptr;

    // Element controls on the layout area, one per slot.
    std::array<ElementView*, 32> imgPB{};
    std::array<ElementView*, 32> lblButton{};
    std::array<ElementView*, 32> imgPilot{};
    std::array<ElementView*, 8> imgSlider{};
    std::array<ElementView*, 16> lblTextBox{};
    std::array<ElementView*, 16> imgClkCal{};

    // Settings lists.
    QGroupBox* frmButtons = nullptr;
    QGroupBox* frmPilots = nullptr;
    QGroupBox* frmSliders = nullptr;
    QGroupBox* frmTitlesLarge = nullptr;
    QCheckBox* chkHideTitleBG = nullptr;
    std::array<SettingsRow*, 32> lblBSettings{};
    std::array<SettingsRow*, 32> lblPSettings{};
    std::array<SettingsRow*, 8> lblSSettings{};
    std::array<SettingsRow*, 16> lblTSettings{};
};

} // namespace kx4
