#pragma once
// The background dialog: chooses the background of the current screen (a solid colour, a BMP file
// or the logo) and stores it in ScreenBG on "Save" only.
#include "editors/DialogWindow.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

class QGroupBox;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kx4 {

class ElementHost;
class Paths;
class Prompts;
class modOrvel;

class frmOrvelBGSel : public DialogWindow {
    Q_OBJECT
public:
    // The load step: the controls, "Solid Color" chosen, the selected colour black.
    frmOrvelBGSel(modOrvel& project, ElementHost& host, Prompts& prompts, const Paths& paths, QWidget* parent = nullptr);

public slots:
    void optBG_Click(int Index);
    void lblStdCol_Click(int Index);
    void hsRed_Change();
    void hsGrn_Change();
    void hsBlu_Change();
    void cmdQVRDefault_Click();
    void cmdBrowse_Click();
    void cmdClose_Click();
    void cmdCancel_Click();

protected:
    // Shows the current screen's background.
    void Form_Activate() override;

private:
    // The bar captions show the bar values.
    void ShowRGB();
    // The selected colour becomes the colour of the three bars.
    void ShowCC();
    // The bars show `color` without their handlers changing the selected colour.
    void SyncBars(std::uint32_t color);
    void ShowSelected(std::uint32_t color);
    void ShowPath(const std::string& path);
    void ColourBarChanged();

    modOrvel& m_;
    ElementHost& host_;
    Prompts& prompts_;
    const Paths& paths_;

    // Form-level flags.
    bool BrowseInit = false;
    bool SyncingRGB = false;

    std::uint32_t selectedColor_ = 0; // the colour of lblStdCol 35, red in the low byte
    std::string bmpPath_;             // the path lblBMP shows
    std::filesystem::path browseFolder_;

    std::array<QRadioButton*, 3> optBG{};
    QGroupBox* frmStd = nullptr;
    std::array<QLabel*, 37> lblStdCol{};
    QLabel* lblCCRed = nullptr;
    QLabel* lblCCGrn = nullptr;
    QLabel* lblCCBlu = nullptr;
    QScrollBar* hsRed = nullptr;
    QScrollBar* hsGrn = nullptr;
    QScrollBar* hsBlu = nullptr;
    QPushButton* cmdQVRDefault = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLabel* lblBMP = nullptr;
};

} // namespace kx4
