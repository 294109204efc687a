#pragma once
// The Text dialog: edits Text object CurObj of the current screen in place (display type with its
// sample text, colour and size, position, size, device, text, font size and colour).
#include "editors/ElementDialog.h"

#include <optional>

namespace kx4 {

class frmOrvelTextBox : public ElementDialog {
    Q_OBJECT
public:
    // The load step: the controls and their lists, for Text object project.CurObj. The "Date"
    // sample shows the last two digits of `year`, by default the current one.
    frmOrvelTextBox(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent = nullptr,
                    std::optional<int> year = std::nullopt);

public slots:
    void cboType_Click(int i);
    void cboLeft_Click(int i);
    void cboTop_Click(int i);
    void cboWidth_Click(int i);
    void cboHeight_Click(int i);
    void cboSldDev_Click(int i);
    void cboFontSize_Click(int i);
    void cboTextColor_Click(int i);
    void txtText_Change();
    void cmdUnused_Click();
    void cmdClose_Click();

protected:
    void Form_Activate() override;
    bool InUse() const override;

private:
    void Form_Load();
    // Enables the controls the display type `type` uses.
    void EnableFor(int type);
    // Shows the size of the current font size in the width and height lists, which store it.
    void SizeFromFont();

    const int year_;
    QComboBox* cboType = nullptr;
    QComboBox* cboLeft = nullptr;
    QComboBox* cboTop = nullptr;
    QComboBox* cboWidth = nullptr;
    QComboBox* cboHeight = nullptr;
    QComboBox* cboSldDev = nullptr;
    QLineEdit* txtText = nullptr;
    QComboBox* cboFontSize = nullptr;
    QComboBox* cboTextColor = nullptr;
};

} // namespace kx4
