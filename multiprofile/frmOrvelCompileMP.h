#pragma once
// The multi-profile builder window: the list of 128 profiles with its project file, and the build of
// the multi-profile image file.
#include "designer/render/Renderer.h"
#include "multiprofile/MPProject.h"
#include "multiprofile/frmOrvelMPCopy.h"
#include "platform/BusyDialog.h"

#include <array>
#include <string>

class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QScrollBar;

namespace kx4 {

class DisplaySize;
class modOrvel;
class Paths;
class Prompts;

class frmOrvelCompileMP : public BusyDialog {
    Q_OBJECT
public:
    // A new, empty project. A build loads the profiles into `project` in turn; `openFolder` serves
    // the closing dialog's file manager button.
    frmOrvelCompileMP(modOrvel& project, const Paths& paths, Prompts& prompts, const DisplaySize& display,
                      OpenFolder openFolder = OpenInFileManager, QWidget* parent = nullptr);

    // The project path and the 16 rows from iTopProfile.
    void ProjectShow();
    // Empties the project: no file, no profile, rows from 001, unchanged.
    void ProjectNew();

    const std::string& MPProject() const { return sMPProject; }
    const ProfileList& Profiles() const { return sProfileFile; }
    bool Changed() const { return bMPChanged; }

public slots:
    void vsProfile_Change();
    // Row 0-15: the left button chooses the row's file, any other removes it after a question.
    void lblProfileFile_MouseDown(int row, Qt::MouseButton button);
    void mnuPrjNew_Click();
    void mnuPrjOpen_Click();
    void mnuPrjSave_Click();
    void mnuPrjSaveAs_Click();
    void mnuPrjClose_Click();
    void cmdBuild_Click();

protected:
    // The close box discards unsaved changes without a question, but never stops a build (a busy
    // window). Escape does not close the window: the list would be lost without a question.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    // "Discard Project Changes?" when the list is changed; true to go on.
    bool AskDiscard();
    // The chosen file, or an empty path when the dialog was cancelled.
    std::filesystem::path AskFile(bool save, const std::string& filter, const std::string& pattern);
    bool SaveMPPrjAs();
    bool SaveMPPrj();
    bool LoadMPPrj(const std::filesystem::path& file);
    void SetBuilding(bool on);
    // Lets the window repaint during the build; user input waits.
    void Repaint();

    modOrvel& m_;
    const Paths& paths_;
    Prompts& prompts_;
    const DisplaySize& display_;
    OpenFolder openFolder_;

    std::string sMPProject;
    ProfileList sProfileFile;
    bool bMPChanged = false;
    int iTopProfile = 0;

    RenderTarget canvas_; // picLayout and picRender of the profile rendering

    QMenuBar* menuBar_ = nullptr;
    QLabel* lblMPProject = nullptr;
    QScrollBar* vsProfile = nullptr;
    std::array<QLabel*, kProfileRows> lblProfile{};
    std::array<QLabel*, kProfileRows> lblProfileFile{};
    QPushButton* cmdBuild = nullptr;
    QLabel* lblFiles = nullptr;
    QProgressBar* pbFiles = nullptr;
    QProgressBar* pbProfile = nullptr;
};

} // namespace kx4
