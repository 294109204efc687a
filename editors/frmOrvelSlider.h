#pragma once
// The Slider dialog: edits Slider CurObj of the current screen in place (picture and with it the
// size, device, position); "Track Dimmer Level" is stored on "Close".
#include "editors/ElementDialog.h"

#include <array>

namespace kx4 {

class frmOrvelSlider : public ElementDialog {
    Q_OBJECT
public:
    // The load step: the controls and their lists, for Slider project.CurObj.
    frmOrvelSlider(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent = nullptr);

public slots:
    void cboDevice_Click(int i);
    void cboLeft_Click(int i);
    void cboTop_Click(int i);
    void imgSlider_Click(int Index);
    void imgSlider_DblClick(int Index);
    void cmdUnused_Click();
    void cmdClose_Click();

protected:
    void Form_Activate() override;
    bool InUse() const override;

private:
    void Form_Load();

    QComboBox* cboDevice = nullptr;
    QComboBox* cboLeft = nullptr;
    QComboBox* cboTop = nullptr;
    QCheckBox* chkTrack = nullptr;
};

} // namespace kx4
