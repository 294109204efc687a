#include "multiprofile/frmOrvelCompileMP.h"

#include "data/modOrvel.h"
#include "multiprofile/MPBuild.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/WindowPlace.h"
#include "platform/WindowText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <functional>

namespace kx4 {
namespace {

constexpr const char* kProjectFilter = "Brivane Touch Multi-Profile Projects (*.MPP)|*.MPP|All Files (*.*)|*.*";
constexpr const char* kDataFilter = "Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*";
constexpr const char* kBuildCaption = "Build Image File";

// The client area below the menu bar, twips.
constexpr int kClientWidth = 10455;
constexpr int kClientHeight = 8700;
constexpr int kRowsTop = 1080;
constexpr int kRowStep = 360;

// A row's file label: reports which mouse button went down on it.
class ProfileFileLabel final : public QLabel {
public:
    ProfileFileLabel(QWidget* parent, std::function<void(Qt::MouseButton)> pressed)
        : QLabel(parent), pressed_(std::move(pressed))
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { pressed_(event->button()); }

private:
    std::function<void(Qt::MouseButton)> pressed_;
};

// While a build runs the window repaints, but clicks and keys meant for it are dropped rather than
// kept for afterwards. A message box the build shows takes its answer as usual.
class InputBlocker final : public QObject {
public:
    explicit InputBlocker(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != window_)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

private:
    const QWidget* window_;
};

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    return label;
}

} // namespace

frmOrvelCompileMP::frmOrvelCompileMP(modOrvel& project, const Paths& paths, Prompts& prompts, const DisplaySize& display,
                                     OpenFolder openFolder, QWidget* parent)
    : BusyDialog(parent), m_(project), paths_(paths), prompts_(prompts), display_(display), openFolder_(std::move(openFolder))
{
    setObjectName("frmOrvelCompileMP");
    setWindowTitle("QVR Brivane Touch - Build Multi-Profile Image");
    setFont(WindowFont());
    FillBackground(*this, QColor(244, 244, 244));
    CreateControls();
    // Form_Load
    CentreOnScreen(*this, display_);
    ProjectNew();
}

void frmOrvelCompileMP::CreateControls()
{
    menuBar_ = new QMenuBar(this);
    QMenu* mnuProject = menuBar_->addMenu("Project");
    mnuProject->setObjectName("mnuProject");
    // A menu is a window of its own, which takes no font from its parent.
    mnuProject->setFont(font());
    const auto item = [&](const char* name, const char* caption, void (frmOrvelCompileMP::*slot)()) {
        QAction* a = mnuProject->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
    };
    item("mnuPrjNew", "New", &frmOrvelCompileMP::mnuPrjNew_Click);
    item("mnuPrjOpen", "Open", &frmOrvelCompileMP::mnuPrjOpen_Click);
    item("mnuPrjSave", "Save", &frmOrvelCompileMP::mnuPrjSave_Click);
    item("mnuPrjSaveAs", "Save As", &frmOrvelCompileMP::mnuPrjSaveAs_Click);
    mnuProject->addSeparator();
    item("mnuPrjClose", "Close", &frmOrvelCompileMP::mnuPrjClose_Click);
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, TwipsToPixels(kClientWidth), menuHeight);

    auto* client = new QWidget(this);
    client->setObjectName("frmOrvelCompileMPClient");
    client->setGeometry(0, menuHeight, TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    setFixedSize(TwipsToPixels(kClientWidth), menuHeight + TwipsToPixels(kClientHeight));

    MakeLabel(client, "lblProfileHeader_2", "Project", TwipsRect(120, 240, 720, 300));
    lblMPProject = MakeLabel(client, "lblMPProject", "", TwipsRect(960, 240, 9255, 300));
    FillBackground(*lblMPProject, QColor(208, 224, 255));
    MakeLabel(client, "lblProfileHeader_0", "Profile", TwipsRect(240, 720, 720, 300));
    MakeLabel(client, "lblProfileHeader_1", "File Name (Click to Select / Right Click to Remove)",
              TwipsRect(960, 720, 9255, 300));

    vsProfile = new QScrollBar(Qt::Vertical, client);
    vsProfile->setObjectName("vsProfile");
    vsProfile->setGeometry(TwipsRect(120, kRowsTop, 255, 5655));
    vsProfile->setRange(0, kLastTopProfile);
    vsProfile->setSingleStep(1);
    vsProfile->setPageStep(kProfileRows);
    connect(vsProfile, &QScrollBar::valueChanged, this, &frmOrvelCompileMP::vsProfile_Change);

    for (int row = 0; row < kProfileRows; ++row) {
        const int top = kRowsTop + kRowStep * row;
        lblProfile[static_cast<std::size_t>(row)] =
            MakeLabel(client, QString("lblProfile_%1").arg(row), "", TwipsRect(480, top, 375, 330));
        auto* file = new ProfileFileLabel(client, [this, row](Qt::MouseButton b) { lblProfileFile_MouseDown(row, b); });
        file->setObjectName(QString("lblProfileFile_%1").arg(row));
        file->setTextFormat(Qt::PlainText);
        file->setFrameShape(QFrame::Box);
        file->setGeometry(TwipsRect(960, top, 9255, 330));
        FillBackground(*file, Qt::white);
        lblProfileFile[static_cast<std::size_t>(row)] = file;
    }

    cmdBuild = new QPushButton(kBuildCaption, client);
    cmdBuild->setObjectName("cmdBuild");
    cmdBuild->setGeometry(TwipsRect(960, 7080, 1695, 420));
    connect(cmdBuild, &QPushButton::clicked, this, &frmOrvelCompileMP::cmdBuild_Click);

    lblFiles = MakeLabel(client, "lblFiles", "", TwipsRect(960, 7620, 9255, 255));
    pbFiles = new QProgressBar(client);
    pbFiles->setObjectName("pbFiles");
    pbFiles->setGeometry(TwipsRect(960, 7920, 9255, 255));
    pbFiles->setRange(0, kScreenCount - 1);
    pbProfile = new QProgressBar(client);
    pbProfile->setObjectName("pbProfile");
    pbProfile->setGeometry(TwipsRect(960, 8280, 9255, 255));
    pbProfile->setRange(0, kProfileCount - 1);
    for (QWidget* w : {static_cast<QWidget*>(lblFiles), static_cast<QWidget*>(pbFiles), static_cast<QWidget*>(pbProfile)})
        w->hide();
}

void frmOrvelCompileMP::ProjectShow()
{
    // Long paths keep their start and their file name in view.
    SetElidedText(*lblMPProject, QString::fromStdString(sMPProject));
    for (int row = 0; row < kProfileRows; ++row) {
        const int k = iTopProfile + row;
        SetElidedText(*lblProfileFile[static_cast<std::size_t>(row)], QString::fromStdString(ProfileRowText(sProfileFile, k)));
        lblProfile[static_cast<std::size_t>(row)]->setText(QString::fromStdString(ProfileNumber(k)));
    }
}

void frmOrvelCompileMP::ProjectNew()
{
    sMPProject.clear();
    sProfileFile = {};
    vsProfile->setValue(0);
    iTopProfile = 0;
    ProjectShow();
    bMPChanged = false;
}

void frmOrvelCompileMP::vsProfile_Change()
{
    iTopProfile = vsProfile->value();
    ProjectShow();
}

std::filesystem::path frmOrvelCompileMP::AskFile(bool save, const std::string& filter, const std::string& pattern)
{
    FileDialogRequest request;
    request.kind = save ? FileDialogRequest::Kind::Save : FileDialogRequest::Kind::Open;
    request.filter = filter;
    request.folder = paths_.ProgramDir();
    request.fileName = pattern;
    // A typed name without an extension gets the pattern's, "*.MPP".
    if (save)
        request.defaultExtension = std::filesystem::path(pattern).extension().string().substr(1);
    const std::optional<std::filesystem::path> chosen = prompts_.FileDialog(request);
    if (!chosen || chosen->empty() || *chosen == paths_.ProgramDir() / pattern)
        return {};
    return *chosen;
}

void frmOrvelCompileMP::lblProfileFile_MouseDown(int row, Qt::MouseButton button)
{
    const auto k = static_cast<std::size_t>(iTopProfile + row);
    if (button == Qt::LeftButton) {
        const std::filesystem::path chosen = AskFile(false, kDataFilter, "*.KQC");
        if (chosen.empty())
            return;
        sProfileFile[k] = chosen.string();
    } else {
        if (sProfileFile[k].empty())
            return;
        if (prompts_.Message(MsgIcon::Question, "Confirm", "Remove Profile?", MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
        sProfileFile[k].clear();
    }
    bMPChanged = true;
    ProjectShow();
}

bool frmOrvelCompileMP::AskDiscard()
{
    return !bMPChanged
        || prompts_.Message(MsgIcon::Question, "New Project", "Discard Project Changes?", MsgButtons::YesNo) == MsgAnswer::Yes;
}

void frmOrvelCompileMP::mnuPrjNew_Click()
{
    if (AskDiscard())
        ProjectNew();
}

void frmOrvelCompileMP::mnuPrjOpen_Click()
{
    if (!AskDiscard())
        return;
    const std::filesystem::path chosen = AskFile(false, kProjectFilter, "*.MPP");
    if (chosen.empty() || !PathExists(chosen))
        return;
    // The rows keep their scroll position.
    if (LoadMPPrj(chosen)) {
        sMPProject = chosen.string();
        ProjectShow();
    }
}

void frmOrvelCompileMP::mnuPrjSave_Click()
{
    if (sMPProject.empty())
        SaveMPPrjAs();
    else
        SaveMPPrj();
}

void frmOrvelCompileMP::mnuPrjSaveAs_Click() { SaveMPPrjAs(); }

void frmOrvelCompileMP::mnuPrjClose_Click()
{
    if (AskDiscard())
        accept();
}

bool frmOrvelCompileMP::SaveMPPrjAs()
{
    const std::filesystem::path chosen = AskFile(true, kProjectFilter, "*.MPP");
    if (chosen.empty())
        return false;
    // The project takes the new name only once it is saved under it.
    const std::string previous = sMPProject;
    sMPProject = chosen.string();
    if (!SaveMPPrj()) {
        sMPProject = previous;
        return false;
    }
    ProjectShow();
    return true;
}

bool frmOrvelCompileMP::SaveMPPrj()
{
    const IoResult saved = SaveMPProjectFile(sProfileFile, sMPProject);
    if (!saved) {
        prompts_.Message(MsgIcon::Critical, "Save Error", saved.message, MsgButtons::Ok);
        return false;
    }
    bMPChanged = false;
    return true;
}

bool frmOrvelCompileMP::LoadMPPrj(const std::filesystem::path& file)
{
    const IoResult loaded = LoadMPProjectFile(file, sProfileFile);
    if (!loaded) {
        prompts_.Message(MsgIcon::Critical, "Open Error", loaded.message, MsgButtons::Ok);
        return false;
    }
    bMPChanged = false;
    return true;
}

void frmOrvelCompileMP::SetBuilding(bool on)
{
    SetBusy(on);
    cmdBuild->setEnabled(!on);
    menuBar_->setEnabled(!on);
    if (on) {
        pbProfile->setValue(0);
        pbFiles->setValue(0);
        lblFiles->clear();
    } else {
        cmdBuild->setText(kBuildCaption);
    }
    pbProfile->setVisible(on);
    lblFiles->setVisible(on);
    pbFiles->setVisible(on);
}

void frmOrvelCompileMP::Repaint() { QCoreApplication::processEvents(); }

void frmOrvelCompileMP::cmdBuild_Click()
{
    // The rows go back to 001-016, and the scroll bar with them.
    vsProfile->setValue(0);
    iTopProfile = 0;
    ProjectShow();
    if (sProfileFile[0].empty()) {
        prompts_.Message(MsgIcon::Information, "Select Profile 01", "Profile 01 Cannot be Unused.\nBuild Canceled.",
                         MsgButtons::Ok);
        return;
    }

    SetBuilding(true);
    std::optional<MPBuildStop> stop;
    {
        const InputBlocker blocker(this);
        MPBuildCallbacks callbacks;
        callbacks.profileStarted = [this](int p) {
            cmdBuild->setText(QString::fromStdString("Profile: " + ProfileNumber(p)));
            pbProfile->setValue(p);
            Repaint();
        };
        callbacks.showStatus = [this](const std::string& text) {
            SetElidedText(*lblFiles, QString::fromStdString(text));
            Repaint();
        };
        callbacks.pictureWritten = [this](int screen) { pbFiles->setValue(screen); };
        callbacks.waiting = [this] { Repaint(); };
        PicBuffers buffers;
        MPBuild build(m_, paths_, prompts_, canvas_, buffers, std::move(callbacks));
        stop = build.Build(sProfileFile);
    }
    if (stop) {
        prompts_.Message(stop->icon, stop->title, stop->text, MsgButtons::Ok);
        SetBuilding(false);
        return;
    }
    SetBuilding(false);
    frmOrvelMPCopy copy(paths_, prompts_, display_, openFolder_, this);
    copy.exec();
}

void frmOrvelCompileMP::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    BusyDialog::keyPressEvent(event);
}

} // namespace kx4
