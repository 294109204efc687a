// The File menu of the main window: the panel data file (New, Open, Save, Save As) and one screen
// to and from a screen file (Export Screen, Import Screen).
#include "designer/frmOrvel.h"

#include "data/modOrvel.h"
#include "platform/Prompts.h"

#include <QAction>

namespace kx4 {
namespace {

constexpr const char* kDataFilter = "Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*";
constexpr const char* kScreenFilter = "Brivane Touch Data Files (*.KQS)|*.KQS|All Files (*.*)|*.*";

// A failed file operation: its message names the file.
void ShowFileError(Prompts& prompts, const char* title, const IoResult& result)
{
    prompts.Message(MsgIcon::Critical, title, result.message, MsgButtons::Ok);
}

} // namespace

void frmOrvel::ConnectFileAndElementCommands()
{
    connect(mnuFileNew, &QAction::triggered, this, &frmOrvel::mnuFileNew_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &frmOrvel::mnuFileOpen_Click);
    connect(mnuFileSave, &QAction::triggered, this, &frmOrvel::mnuFileSave_Click);
    connect(mnuFileSaveAs, &QAction::triggered, this, &frmOrvel::mnuFileSaveAs_Click);
    connect(mnuExport, &QAction::triggered, this, &frmOrvel::mnuExport_Click);
    connect(mnuImportScreen, &QAction::triggered, this, &frmOrvel::mnuImportScreen_Click);
    connect(mnuNewButton, &QAction::triggered, this, &frmOrvel::mnuNewButton_Click);
    connect(mnuNewPilot, &QAction::triggered, this, &frmOrvel::mnuNewPilot_Click);
    connect(mnuNewSlider, &QAction::triggered, this, &frmOrvel::mnuNewSlider_Click);
    connect(mnuNewText, &QAction::triggered, this, &frmOrvel::mnuNewText_Click);
    connect(mnuClearScreen, &QAction::triggered, this, &frmOrvel::mnuClearScreen_Click);
}

std::filesystem::path frmOrvel::ShowFileDialog(bool save, const std::string& filter,
                                               const std::filesystem::path& preset)
{
    FileDialogRequest request;
    request.kind = save ? FileDialogRequest::Kind::Save : FileDialogRequest::Kind::Open;
    request.filter = filter;
    // A typed name without an extension gets the one of the preset pattern, "*.KQC" or "*.KQS".
    if (save)
        request.defaultExtension = preset.extension().string().substr(1);
    if (cdFolder_.empty())
        cdFolder_ = paths_.ProgramDir();
    if (cdFileName_.empty()) {
        request.folder = cdFolder_;
    } else {
        request.folder = cdFileName_.parent_path();
        request.fileName = cdFileName_.filename().string();
    }
    std::optional<std::filesystem::path> chosen = prompts_.FileDialog(request);
    // A cancelled dialog keeps the name it was given.
    if (!chosen || chosen->empty() || *chosen == preset)
        return {};
    cdFileName_ = *chosen;
    cdFolder_ = chosen->parent_path();
    return *chosen;
}

void frmOrvel::FileOpen()
{
    if (m_.DataChanged && !AskDiscard())
        return;
    const std::filesystem::path preset = paths_.ProgramDir() / "*.KQC";
    cdFileName_.clear();
    if (!DlgPathSet) {
        cdFileName_ = preset;
        DlgPathSet = true;
    }
    const std::filesystem::path chosen = ShowFileDialog(false, kDataFilter, preset);
    if (chosen.empty())
        return;
    // LoadData reads the file DataFile names and leaves the project alone when it fails; the open
    // file's name then stays too.
    const std::string previous = m_.DataFile;
    m_.DataFile = chosen.string();
    const IoResult loaded = m_.LoadData();
    if (!loaded) {
        m_.DataFile = previous;
        ShowFileError(prompts_, "Open Error", loaded);
    }
}

void frmOrvel::FileSave()
{
    const IoResult saved = m_.SaveData();
    if (!saved)
        ShowFileError(prompts_, "Save Error", saved);
}

bool frmOrvel::FileSaveAs()
{
    const std::filesystem::path preset = paths_.ProgramDir() / "*.KQC";
    if (!DlgPathSet) {
        cdFileName_ = preset;
        DlgPathSet = true;
    }
    const std::filesystem::path chosen = ShowFileDialog(true, kDataFilter, preset);
    if (chosen.empty())
        return false;
    // The project takes the new name only once it is saved under it.
    const std::string previous = m_.DataFile;
    m_.DataFile = chosen.string();
    const IoResult saved = m_.SaveData();
    if (!saved) {
        m_.DataFile = previous;
        ShowFileError(prompts_, "Save Error", saved);
        return false;
    }
    return true;
}

void frmOrvel::ImportFile()
{
    const std::filesystem::path preset = paths_.ProgramDir() / "*.KQS";
    cdFileName_ = preset;
    const std::filesystem::path chosen = ShowFileDialog(false, kScreenFilter, preset);
    if (chosen.empty())
        return;
    m_.ScreenFile = chosen.string();
    const IoResult imported = m_.ImportScreenData();
    if (!imported)
        ShowFileError(prompts_, "Import Error", imported);
}

void frmOrvel::ExportFile()
{
    const std::filesystem::path preset = paths_.ProgramDir() / "*.KQS";
    cdFileName_ = preset;
    const std::filesystem::path chosen = ShowFileDialog(true, kScreenFilter, preset);
    if (chosen.empty())
        return;
    m_.ScreenFile = chosen.string();
    const IoResult exported = m_.ExportScreenData();
    if (!exported)
        ShowFileError(prompts_, "Export Error", exported);
}

// ------------------------------------------------------------------ menu handlers

void frmOrvel::mnuFileNew_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    if (m_.DataChanged && !AskDiscard())
        return;
    ResetAfterMultiProfile(); // the same fresh project
}

void frmOrvel::mnuFileOpen_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    FileOpen();
    // Whatever the outcome: a question answered No or a cancel end here as well.
    mnuMultiProfile->setEnabled(false);
    SelectHome();
    ScreenRes();
    ShowScreen();
    ScreenShape();
    m_.InputTypeWarned = true;
    m_.SelButton = m_.SelPilot = m_.SelSlider = m_.SelText = -1;
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::mnuFileSave_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    if (m_.DataFile != kNoDataFile) {
        FileSave();
    } else {
        FileSaveAs();
        ShowScreen();
    }
}

void frmOrvel::mnuFileSaveAs_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    const bool saved = FileSaveAs();
    ShowScreen();
    ScreenRes();
    ScreenShape();
    // Only a save clears the flag: after a cancel or a failure, Exit must still ask.
    if (saved)
        m_.DataChanged = false;
    ShowScreen();
}

void frmOrvel::mnuExport_Click() { ExportFile(); }

void frmOrvel::mnuImportScreen_Click()
{
    const CommandPrompts::Command command(commandPrompts_);
    ImportFile();
    // Also after a cancel.
    mnuMultiProfile->setEnabled(false);
    ShowScreen();
    MarkModified();
    m_.SelButton = m_.SelPilot = m_.SelSlider = m_.SelText = -1;
    mnuUndoSnap->setEnabled(false);
}

} // namespace kx4
