#pragma once
// The Button dialog: edits Button CurObj of the current screen in place (type, device, password,
// position, size, face or "Target", caption and its colour).
#include "editors/ElementDialog.h"

#include <array>

namespace kx4 {

class frmOrvelButton : public ElementDialog {
    Q_OBJECT
public:
    // The load step: the controls and their lists, for Button project.CurObj.
    frmOrvelButton(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent = nullptr);

    // Sets which controls are visible and enabled for the Button's current records.
    void EnabledShow();

public slots:
    void cboType_Click(int i);
    void cboDevice_Click(int i);
    void cboLeft_Click(int i);
    void cboTop_Click(int i);
    void cboWidth_Click(int i);
    void cboHeight_Click(int i);
    void cboTextColor_Click(int i);
    void txtText_Change();
    void imgButton_Click(int Index);
    void imgButton_DblClick(int Index);
    void cmdNoButton_Click();
    void cmdUnused_Click();
    void cmdClose_Click();

protected:
    void Form_Activate() override;
    bool InUse() const override;

private:
    void Form_Load();
    // The key, or 0 to discard it.
    int txtPassword_KeyPress(int Index, int KeyAscii);

    QComboBox* cboType = nullptr;
    QComboBox* cboDevice = nullptr;
    std::array<QLineEdit*, 6> txtPassword{};
    QComboBox* cboLeft = nullptr;
    QComboBox* cboTop = nullptr;
    QLabel* lblWidth = nullptr;
    QComboBox* cboWidth = nullptr;
    QLabel* lblHeight = nullptr;
    QComboBox* cboHeight = nullptr;
    QLineEdit* txtText = nullptr;
    QComboBox* cboTextColor = nullptr;
    QPushButton* cmdUnused = nullptr;
    QLabel* lblLinked = nullptr;
    QGroupBox* frmButtons = nullptr;
    QPushButton* cmdNoButton = nullptr;
    std::array<PictureControl*, 8> imgButton{};
};

} // namespace kx4
