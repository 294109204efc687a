#pragma once
// The SD card writer window: the drives D: to O:, the panel's display, the warning of the write
// mode, the write button with its progress, and the administrator's base build. The write flow
// itself is RunWriteFlow; this window lends it its controls.
#include "platform/BusyDialog.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "sdcard/WriteFlow.h"

#include <array>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace kx4 {

class DisplaySize;
class Prompts;
class modOrvel;

class frmOrvelSDWrite : public BusyDialog, private WriterView {
    Q_OBJECT
public:
    // Runs the load step: centred on `display`, the mode's texts, the drives of `system` listed.
    frmOrvelSDWrite(modOrvel& project, const Paths& paths, Prompts& prompts, const DisplaySize& display,
                    CardSystem system, QWidget* parent = nullptr);
    ~frmOrvelSDWrite() override;

public slots:
    void optDrive_Click(int Index);
    void chkActiveOnly_Click();
    void cmdCompileAll_Click();
    void cmdCancel_Click();
    void cmdClose_Click();

public:
    // The base-build gesture: Alt (or Ctrl + Alt) with the left button, where RawImages exists.
    void lblWarning_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Form_Load();
    bool Raw() const;

    // WriterView.
    void Lock() override;
    void Unlock() override;
    void HideCancel() override;
    void ShowStatus(const std::string& text) override;
    bool RowDone(int row) override;
    IoResult RunResponsive(const std::function<IoResult()>& work) override;

    modOrvel& m_;
    const Paths paths_;
    Prompts& prompts_;
    const DisplaySize& display_;
    const CardSystem system_;
    DriveScan scan_;

    // Window state.
    bool CancelFlag = false;
    std::array<bool, kDriveOptionCount> DriveEnabled{};
    std::array<int, kDriveOptionCount> PhysDrive{};
    int SelDrive = -1;
    int DispCode = 0;
    char DriveLetter = 0;
    bool bitmapsDeleted_ = false;

    std::array<QRadioButton*, kDriveOptionCount> optDrive{};
    QCheckBox* chkBuildBaseImage = nullptr;
    QLabel* lblDspDim = nullptr;
    QPushButton* cmdCompileAll = nullptr;
    QLabel* lblFiles = nullptr;
    QProgressBar* pbFiles = nullptr;
    QPushButton* cmdCancel = nullptr;
    QCheckBox* chkActiveOnly = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblWarning = nullptr;
};

} // namespace kx4
