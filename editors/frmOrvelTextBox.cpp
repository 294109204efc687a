#include "editors/frmOrvelTextBox.h"

#include "editors/ElementTexts.h"

#include <QDate>
#include <QLineEdit>

namespace kx4 {
namespace {

// The rows' labels and lists, twips; the lists end where the text box does.
constexpr int kLabelWidth = 1215;
constexpr int kListLeft = 1320;
constexpr int kListWidth = 1455;

} // namespace

frmOrvelTextBox::frmOrvelTextBox(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent,
                                 std::optional<int> year)
    : ElementDialog(project, host, prompts, &modOrvel::SelText, &ElementHost::UDTitle, parent),
      year_(year.value_or(QDate::currentDate().year()))
{
    setObjectName("frmOrvelTextBox");
    setWindowTitle("Edit Text / Bar Graph");
    SetClientSize(2895, 4095);

    cboType = MakeList(this, "cboType", 120, 120, 2655);
    connect(cboType, &QComboBox::currentIndexChanged, this, &frmOrvelTextBox::cboType_Click);
    // The lists reach further left than the other dialogs' so that "Extra Large" shows whole.
    const auto row = [this](const char* labelName, const QString& caption, const char* listName, int top,
                            void (frmOrvelTextBox::*handler)(int)) {
        return MakeRow(labelName, caption, listName, top, handler, kLabelWidth, kListLeft, kListWidth).list;
    };
    cboLeft = row("lblLeft", "Left", "cboLeft", 600, &frmOrvelTextBox::cboLeft_Click);
    cboTop = row("lblTop", "Top", "cboTop", 960, &frmOrvelTextBox::cboTop_Click);
    cboWidth = row("lblWidth", "Width", "cboWidth", 1320, &frmOrvelTextBox::cboWidth_Click);
    cboHeight = row("lblHeight", "Height", "cboHeight", 1680, &frmOrvelTextBox::cboHeight_Click);
    cboSldDev = row("lblSldDev", "Slider/Device", "cboSldDev", 2040, &frmOrvelTextBox::cboSldDev_Click);
    MakeLabel(this, "lblText", "Text", 120, 2400, 495);
    txtText = MakeTextBox(this, "txtText", 720, 2400, 2055);
    connect(txtText, &QLineEdit::textChanged, this, &frmOrvelTextBox::txtText_Change);
    OnKeyPress(txtText, NoComma);
    cboFontSize = row("lblFontSize", "Font Size", "cboFontSize", 2760, &frmOrvelTextBox::cboFontSize_Click);
    cboTextColor = row("lblFontColor", "Font Color", "cboTextColor", 3120, &frmOrvelTextBox::cboTextColor_Click);
    MakeRemoveAndClose("Remove Object", 3600, &frmOrvelTextBox::cmdUnused_Click, &frmOrvelTextBox::cmdClose_Click);

    Form_Load();
}

void frmOrvelTextBox::Form_Load()
{
    FillTexts(cboType, TextTypeItems());
    FillPositions({cboLeft, cboTop, cboWidth, cboHeight});
    FillTexts(cboFontSize, FontSizeItems());
    FillTexts(cboTextColor, {"Black", "White"});
}

void frmOrvelTextBox::Form_Activate()
{
    Loading = true;
    FillDevices(cboSldDev);
    ResetDevice(&modOrvel::GetTxtSldDev, &modOrvel::SetTxtSldDev);
    ShowIndex(cboType, m_.GetTxtType(CurObj));
    ShowIndex(cboLeft, m_.GetTxtLeft(CurObj));
    ShowIndex(cboTop, m_.GetTxtTop(CurObj));
    ShowIndex(cboWidth, m_.GetTxtWidth(CurObj));
    ShowIndex(cboHeight, m_.GetTxtHeight(CurObj));
    ShowIndex(cboSldDev, m_.GetTxtSldDev(CurObj));
    txtText->setText(QString::fromStdString(m_.GetTxtText(CurObj)));
    ShowIndex(cboFontSize, m_.GetTxtFontSize(CurObj));
    ShowIndex(cboTextColor, m_.GetTxtColor(CurObj));
    Loading = false;
    // Also for a stored type no list shows, whose handler did not run.
    EnableFor(m_.GetTxtType(CurObj));
}

bool frmOrvelTextBox::InUse() const { return m_.GetTxtType(CurObj) != 0; }

void frmOrvelTextBox::EnableFor(int type)
{
    const TextControls on = TextControlsFor(type);
    txtText->setEnabled(on.text);
    cboFontSize->setEnabled(on.fontSize);
    cboTextColor->setEnabled(on.color);
    cboWidth->setEnabled(on.size);
    cboHeight->setEnabled(on.size);
    cboSldDev->setEnabled(on.device);
}

void frmOrvelTextBox::SizeFromFont()
{
    if (const std::optional<PicSize> size = SizeForFont(cboFontSize->currentIndex())) {
        ShowIndex(cboWidth, size->width);
        ShowIndex(cboHeight, size->height);
    }
}

void frmOrvelTextBox::cboType_Click(int i)
{
    if (i < 0)
        return;
    Put(&modOrvel::GetTxtType, &modOrvel::SetTxtType, i);
    // Opening only shows the type; the samples are for a type the user picks.
    if (!Loading) {
        if (const std::optional<std::string> sample = TextSample(i, year_)) {
            txtText->setText(QString::fromStdString(*sample));
            ShowIndex(cboTextColor, 0);
            if (SizedByFont(i))
                SizeFromFont();
        }
    }
    EnableFor(i);
    LiveUpdate();
}

void frmOrvelTextBox::cboLeft_Click(int i) { StoreListIndex(i, &modOrvel::GetTxtLeft, &modOrvel::SetTxtLeft); }
void frmOrvelTextBox::cboTop_Click(int i) { StoreListIndex(i, &modOrvel::GetTxtTop, &modOrvel::SetTxtTop); }
void frmOrvelTextBox::cboWidth_Click(int i) { StoreListIndex(i, &modOrvel::GetTxtWidth, &modOrvel::SetTxtWidth); }
void frmOrvelTextBox::cboHeight_Click(int i) { StoreListIndex(i, &modOrvel::GetTxtHeight, &modOrvel::SetTxtHeight); }
void frmOrvelTextBox::cboSldDev_Click(int i) { StoreListIndex(i, &modOrvel::GetTxtSldDev, &modOrvel::SetTxtSldDev); }
void frmOrvelTextBox::cboTextColor_Click(int i) { StoreListIndex(i, &modOrvel::GetTxtColor, &modOrvel::SetTxtColor); }

void frmOrvelTextBox::cboFontSize_Click(int i)
{
    if (i < 0)
        return;
    Put(&modOrvel::GetTxtFontSize, &modOrvel::SetTxtFontSize, i);
    if (!Loading && cboType->currentIndex() >= 2)
        SizeFromFont();
    LiveUpdate();
}

void frmOrvelTextBox::txtText_Change() { StoreText(txtText->text(), &modOrvel::GetTxtText, &modOrvel::SetTxtText); }

void frmOrvelTextBox::cmdUnused_Click() { ShowIndex(cboType, 0); }

void frmOrvelTextBox::cmdClose_Click() { accept(); }

} // namespace kx4
