#include "editors/frmOrvelButton.h"

#include "assets/Artwork.h"
#include "editors/ElementTexts.h"
#include "platform/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace kx4 {
namespace {

constexpr int kClientWidth = 10335;      // twips
constexpr int kLinkedClientWidth = 3015; // the left column only
constexpr int kClientHeight = 4335;

// Password boxes 5 (leftmost) to 0 (rightmost): left edges, twips.
constexpr std::array<int, 6> kPasswordLeft = {2520, 2280, 2040, 1800, 1560, 1320};

// Tops of the face rows in the frame, twips, for faces 0-1, 2-3, 4-5, 6-7.
constexpr std::array<int, 4> kFaceRowTop = {840, 1320, 1920, 2760};
constexpr int kFaceLeft = 240;
constexpr int kFaceGap = 120; // between the two faces of a row

} // namespace

frmOrvelButton::frmOrvelButton(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent)
    : ElementDialog(project, host, prompts, &modOrvel::SelButton, &ElementHost::UDButton, parent)
{
    setObjectName("frmOrvelButton");
    setWindowTitle("Edit Button");
    // A Button linked to its Pilot keeps only the left column (see Form_Activate); sized now, so that
    // the window is placed at the size it shows.
    SetClientSize(m_.GetBtnLinked(CurObj) != 0 ? kLinkedClientWidth : kClientWidth, kClientHeight);

    cboType = MakeList(this, "cboType", 120, 240, 2655);
    connect(cboType, &QComboBox::currentIndexChanged, this, &frmOrvelButton::cboType_Click);
    cboDevice = MakeDeviceRow(600, &frmOrvelButton::cboDevice_Click);
    MakeLabel(this, "lblPassWord", "Password", 240, 960, 975);
    for (int i = 0; i < 6; ++i) {
        QLineEdit* box = MakeTextBox(this, ("txtPassword_" + std::to_string(i)).c_str(), kPasswordLeft[i], 960, 210);
        box->setMaxLength(1);
        box->setAlignment(Qt::AlignCenter);
        box->setTextMargins(0, 0, 0, 0);
        OnKeyPress(box, [this, i](int k) { return txtPassword_KeyPress(i, k); });
        txtPassword[static_cast<std::size_t>(i)] = box;
    }
    cboLeft = MakeRow("lblLeft", "Left", "cboLeft", 1320, &frmOrvelButton::cboLeft_Click).list;
    cboTop = MakeRow("lblTop", "Top", "cboTop", 1680, &frmOrvelButton::cboTop_Click).list;
    const Row width = MakeRow("lblWidth", "Width", "cboWidth", 2040, &frmOrvelButton::cboWidth_Click);
    lblWidth = width.label;
    cboWidth = width.list;
    const Row height = MakeRow("lblHeight", "Height", "cboHeight", 2400, &frmOrvelButton::cboHeight_Click);
    lblHeight = height.label;
    cboHeight = height.list;
    MakeLabel(this, "lblText", "Text", 120, 2760, 495);
    txtText = MakeTextBox(this, "txtText", 720, 2760, 2055);
    connect(txtText, &QLineEdit::textChanged, this, &frmOrvelButton::txtText_Change);
    OnKeyPress(txtText, NoComma);
    cboTextColor = MakeRow("lblFontColor", "Font Color", "cboTextColor", 3120, &frmOrvelButton::cboTextColor_Click).list;

    cmdUnused = MakeRemoveAndClose("Remove Button", 3600, &frmOrvelButton::cmdUnused_Click, &frmOrvelButton::cmdClose_Click).cmdUnused;

    lblLinked = MakeLabel(this, "lblLinked", "Button Linked To Pilot", 0, 4080, 3015, 255);
    FillBackground(*lblLinked, QColor(255, 255, 0));
    // Shown by the activation for a linked Button only.
    lblLinked->hide();

    frmButtons = MakeFrame("frmButtons", "Button Style (Click To Select)", 2880, 120, 7275, 3915);
    cmdNoButton = MakeButton(frmButtons, "cmdNoButton", "Target", 240, 360, 960);
    connect(cmdNoButton, &QPushButton::clicked, this, &frmOrvelButton::cmdNoButton_Click);
    for (int i = 0; i < kButtonFaceCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const int left = i % 2 == 0 ? kFaceLeft : kFaceLeft + kButtonFaceSizes[at].width * kTwipsPerPixel + kFaceGap;
        PictureControl* face = MakePicture(frmButtons, QString("imgButton_%1").arg(i), kx4::imgButton(i), left, kFaceRowTop[at / 2]);
        connect(face, &PictureControl::clicked, this, [this, i] { imgButton_Click(i); });
        connect(face, &PictureControl::doubleClicked, this, [this, i] { imgButton_DblClick(i); });
        imgButton[at] = face;
    }

    Form_Load();
}

void frmOrvelButton::Form_Load()
{
    FillTexts(cboType, ButtonTypeItems());
    FillDevices(cboDevice);
    FillPositions({cboLeft, cboTop, cboWidth, cboHeight});
    FillTexts(cboTextColor, {"Black", "White"});
}

void frmOrvelButton::Form_Activate()
{
    Loading = true;
    ShowIndex(cboType, m_.GetBtnType(CurObj));
    ResetDevice(&modOrvel::GetBtnDevice, &modOrvel::SetBtnDevice);
    ShowIndex(cboDevice, m_.GetBtnDevice(CurObj));
    const std::int32_t password = m_.GetBtnPassword(CurObj);
    for (int i = 0; i < 6; ++i)
        txtPassword[static_cast<std::size_t>(i)]->setText(QString::fromStdString(PasswordDigit(password, i)));
    ShowIndex(cboLeft, m_.GetBtnLeft(CurObj));
    ShowIndex(cboTop, m_.GetBtnTop(CurObj));
    ShowIndex(cboWidth, m_.GetBtnWidth(CurObj));
    ShowIndex(cboHeight, m_.GetBtnHeight(CurObj));
    txtText->setText(QString::fromStdString(m_.GetBtnText(CurObj)));
    ShowIndex(cboTextColor, m_.GetBtnTextColor(CurObj));
    Loading = false;
    EnabledShow();

    // A Button linked to its Pilot keeps only the left column: no faces, no removing.
    const bool linked = m_.GetBtnLinked(CurObj) != 0;
    lblLinked->setVisible(linked);
    frmButtons->setVisible(!linked);
    cmdUnused->setVisible(!linked);
}

bool frmOrvelButton::InUse() const { return m_.GetBtnType(CurObj) != 0; }

void frmOrvelButton::EnabledShow()
{
    const bool face = m_.GetBtnImage(CurObj) != 0;
    for (QWidget* w : {static_cast<QWidget*>(lblWidth), static_cast<QWidget*>(lblHeight), static_cast<QWidget*>(cboWidth),
                       static_cast<QWidget*>(cboHeight)})
        w->setVisible(!face);
    txtText->setEnabled(face);
    cboTextColor->setEnabled(face);

    if (m_.GetBtnLinked(CurObj) != 0)
        for (QComboBox* list : {cboLeft, cboTop, cboWidth, cboHeight})
            list->setEnabled(false);

    const bool password = PasswordType(m_.GetBtnType(CurObj));
    for (QLineEdit* box : txtPassword)
        box->setEnabled(password);
}

void frmOrvelButton::cboType_Click(int i)
{
    if (i < 0)
        return;
    if (i >= 9 && i <= 24 && !m_.InputTypeWarned) {
        m_.InputTypeWarned = true;
        prompts_.Message(MsgIcon::Information, "Verify Input Type",
                         "A Device:Input used as an Input ON or Input OFF must not be configured as an Push Button Input "
                         "on this or any other screen.",
                         MsgButtons::Ok);
    }
    if (m_.GetBtnLinked(CurObj) != 0 && i == 0) {
        prompts_.Message(MsgIcon::Information, "Linked Button", "This button is linked to a pilot. It cannot be disabled.",
                         MsgButtons::Ok);
        const int stored = m_.GetBtnType(CurObj);
        if (stored == 0) {
            // A linked Button that is still free (its Pilot was never closed with "Close"): the list
            // shows what is stored, and the refusal is not run again.
            const QSignalBlocker quiet(cboType);
            cboType->setCurrentIndex(0);
        } else {
            ShowIndex(cboType, stored);
        }
        return;
    }
    Put(&modOrvel::GetBtnType, &modOrvel::SetBtnType, i);
    LiveUpdate();
    EnabledShow();
}

void frmOrvelButton::cboDevice_Click(int i) { StoreListIndex(i, &modOrvel::GetBtnDevice, &modOrvel::SetBtnDevice); }
void frmOrvelButton::cboLeft_Click(int i) { StoreListIndex(i, &modOrvel::GetBtnLeft, &modOrvel::SetBtnLeft); }
void frmOrvelButton::cboTop_Click(int i) { StoreListIndex(i, &modOrvel::GetBtnTop, &modOrvel::SetBtnTop); }
void frmOrvelButton::cboWidth_Click(int i) { StoreListIndex(i, &modOrvel::GetBtnWidth, &modOrvel::SetBtnWidth); }
void frmOrvelButton::cboHeight_Click(int i) { StoreListIndex(i, &modOrvel::GetBtnHeight, &modOrvel::SetBtnHeight); }
void frmOrvelButton::cboTextColor_Click(int i) { StoreListIndex(i, &modOrvel::GetBtnTextColor, &modOrvel::SetBtnTextColor); }

void frmOrvelButton::txtText_Change() { StoreText(txtText->text(), &modOrvel::GetBtnText, &modOrvel::SetBtnText); }

int frmOrvelButton::txtPassword_KeyPress(int Index, int KeyAscii)
{
    if (KeyAscii < '0' || KeyAscii > '9')
        return 0;
    const int digit = KeyAscii - '0';
    m_.SetBtnPassword(CurObj, PasswordWithDigit(m_.GetBtnPassword(CurObj), Index, digit));
    txtPassword[static_cast<std::size_t>(Index)]->setText(QString::number(digit));
    // Typing runs from the leftmost box (5) to the rightmost (0), then wraps.
    txtPassword[static_cast<std::size_t>(Index == 0 ? 5 : Index - 1)]->setFocus();
    LiveUpdate();
    return 0;
}

void frmOrvelButton::imgButton_Click(int Index)
{
    if (m_.GetBtnType(CurObj) == 0)
        m_.SetBtnType(CurObj, 1);
    m_.SetBtnSize(CurObj, Index / 2);
    const PicSize size = kButtonFaceSizes[static_cast<std::size_t>(Index)];
    m_.SetBtnWidth(CurObj, size.width);
    m_.SetBtnHeight(CurObj, size.height);
    ShowIndex(cboWidth, m_.GetBtnWidth(CurObj));
    ShowIndex(cboHeight, m_.GetBtnHeight(CurObj));
    ShowIndex(cboType, m_.GetBtnType(CurObj));
    m_.SetBtnImage(CurObj, Index + 1);
    ShowIndex(cboTextColor, Index % 2);
    EnabledShow();
    LiveUpdate();
}

void frmOrvelButton::imgButton_DblClick(int Index) { imgButton_Click(Index); }

void frmOrvelButton::cmdNoButton_Click()
{
    if (m_.GetBtnType(CurObj) == 0)
        m_.SetBtnType(CurObj, 1);
    ShowIndex(cboType, m_.GetBtnType(CurObj));
    m_.SetBtnImage(CurObj, 0);
    EnabledShow();
    LiveUpdate();
}

void frmOrvelButton::cmdUnused_Click() { ShowIndex(cboType, 0); }

void frmOrvelButton::cmdClose_Click() { accept(); }

} // namespace kx4
