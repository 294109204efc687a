#pragma once
// The Pilot dialog: edits Pilot CurObj of the current screen in place (icon size, device, pilot
// number, position) and its link to Button CurObj, which "Close" makes the Pilot's touch area.
#include "editors/ElementDialog.h"

namespace kx4 {

class frmOrvelPilot : public ElementDialog {
    Q_OBJECT
public:
    // The load step: the controls and their lists, for Pilot project.CurObj.
    frmOrvelPilot(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent = nullptr);

public slots:
    void cboDevice_Click(int i);
    void cboPilot_Click(int i);
    void cboLeft_Click(int i);
    void cboTop_Click(int i);
    // Either picture of a row chooses that icon size.
    void imgSIOff_Click(int Index);
    void imgSIOff_DblClick(int Index);
    void imgSIOn_Click(int Index);
    void imgSIOn_DblClick(int Index);
    void chkLinked_Click(bool checked);
    void cmdUnused_Click();
    void cmdClose_Click();

protected:
    void Form_Activate() override;
    bool InUse() const override;

private:
    void Form_Load();
    void ChooseIcon(int Index);

    QComboBox* cboDevice = nullptr;
    QComboBox* cboPilot = nullptr;
    QComboBox* cboLeft = nullptr;
    QComboBox* cboTop = nullptr;
    QCheckBox* chkLinked = nullptr;
};

} // namespace kx4
