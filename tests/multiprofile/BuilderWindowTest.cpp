// The builder window as the user drives it: the rows, choosing and removing profiles, the project
// file with its questions, and builds that end in the copy dialog or stop.
#include "multiprofile/frmOrvelCompileMP.h"

#include "FindChild.h"
#include "MPTestSupport.h"
#include "TextFit.h"
#include "multiprofile/frmOrvelMPCopy.h"
#include "platform/WindowPlace.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

struct Window {
    MPRoot root;
    modOrvel m;
    std::vector<fs::path> opened; // folders the copy dialog asked the file manager to show
    frmOrvelCompileMP w{m, root.paths, root.prompts, root.display, [this](const fs::path& f) {
                            opened.push_back(f);
                            return true;
                        }};

    Window() { w.show(); }

    template <class T = QWidget>
    T* Find(const QString& name) const { return Child<T>(w, name); }
    std::string Text(const QString& name) const { return Find<QLabel>(name)->text().toStdString(); }
    std::string RowFile(int row) const { return Text(QString("lblProfileFile_%1").arg(row)); }
    std::string RowNumber(int row) const { return Text(QString("lblProfile_%1").arg(row)); }
    void Click(int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(Find(QString("lblProfileFile_%1").arg(row)), button);
    }
    void Menu(const char* name) { Find<QAction>(name)->trigger(); }
    QPushButton* BuildButton() const { return Find<QPushButton>("cmdBuild"); }
    const ScriptedPrompts::Asked& LastAsked() const { return root.prompts.Log().back(); }
};

// Runs `act` on the copy dialog once it is up, from the dialog's own event loop.
void OnCopyDialog(const std::function<void(frmOrvelMPCopy&)>& act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* copy = qobject_cast<frmOrvelMPCopy*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(*copy);
        }
    });
    poll->start(5);
}

} // namespace

TEST(BuilderWindow, ANewProjectShowsRows001To016AndScrollsTo128)
{
    Window t;
    EXPECT_EQ(t.w.windowTitle().toStdString(), "QVR Brivane Touch - Build Multi-Profile Image");
    EXPECT_EQ(t.Text("lblMPProject"), "");
    EXPECT_EQ(t.RowNumber(0), "001");
    EXPECT_EQ(t.RowFile(0), "<Profile 001 Must Be Selected>");
    EXPECT_EQ(t.RowNumber(15), "016");
    EXPECT_EQ(t.RowFile(15), "<Replicate Profile 001>");
    EXPECT_FALSE(t.Find("pbProfile")->isVisible());

    t.Find<QScrollBar>("vsProfile")->setValue(112);
    EXPECT_EQ(t.RowNumber(0), "113");
    EXPECT_EQ(t.RowNumber(15), "128");
    EXPECT_EQ(t.RowFile(0), "<Replicate Profile 001>");
    EXPECT_EQ(ClippedTexts(t.w), std::vector<std::string>{});
}

TEST(BuilderWindow, LongPathsAreCutInTheMiddleAndATypedProjectNameGetsItsExtension)
{
    Window t;
    const std::string file = "/" + std::string(40, 'p') + "/" + std::string(60, 'q') + "/Lobby Entrance Panel.KQC";
    t.root.prompts.ChooseFile(file);
    t.Click(0);
    const auto* row = t.Find<QLabel>("lblProfileFile_0");
    EXPECT_TRUE(row->text().startsWith("/ppp")) << row->text().toStdString();
    EXPECT_TRUE(row->text().contains(QChar(0x2026))) << row->text().toStdString();
    EXPECT_TRUE(row->text().endsWith("Panel.KQC")) << row->text().toStdString();
    EXPECT_EQ(row->toolTip().toStdString(), file);
    EXPECT_EQ(t.w.Profiles()[0], file) << "the project keeps the whole path";

    t.root.prompts.ChooseFile(t.root.paths.ProgramDir() / "Site");
    t.Menu("mnuPrjSaveAs");
    EXPECT_EQ(t.LastAsked().dialog.defaultExtension, "MPP");
    const fs::path saved = t.root.paths.ProgramDir() / "Site.MPP";
    EXPECT_EQ(ReadBytes(saved).size(), 256u + file.size());
    EXPECT_EQ(t.w.MPProject(), saved.string());
    EXPECT_EQ(ClippedTexts(t.w), std::vector<std::string>{});
}

TEST(BuilderWindow, LeftClickChoosesAFileAndOtherButtonsRemoveItAfterAQuestion)
{
    Window t;
    const std::string file = (t.root.paths.ProgramDir() / "Lobby.KQC").string();
    t.Find<QScrollBar>("vsProfile")->setValue(10);
    t.root.prompts.ChooseFile(file);
    t.Click(2);
    const FileDialogRequest& asked = t.LastAsked().dialog;
    EXPECT_EQ(asked.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(asked.filter, "Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*");
    EXPECT_EQ(asked.folder, t.root.paths.ProgramDir());
    EXPECT_EQ(asked.fileName, "*.KQC");
    EXPECT_EQ(t.w.Profiles()[12], file);
    EXPECT_EQ(t.RowFile(2), file);
    EXPECT_TRUE(t.w.Changed());

    // A cancel, or the preset handed back, chooses nothing.
    t.root.prompts.CancelFile();
    t.Click(3);
    t.root.prompts.ChooseFile(t.root.paths.ProgramDir() / "*.KQC");
    t.Click(3);
    EXPECT_EQ(t.w.Profiles()[13], "");

    t.Click(3, Qt::RightButton); // an empty row: no question
    t.root.prompts.Answer(MsgAnswer::No);
    t.Click(2, Qt::RightButton);
    EXPECT_EQ(t.LastAsked().title, "Confirm");
    EXPECT_EQ(t.LastAsked().text, "Remove Profile?");
    EXPECT_EQ(t.LastAsked().icon, MsgIcon::Question);
    EXPECT_EQ(t.w.Profiles()[12], file);
    t.root.prompts.Answer(MsgAnswer::Yes);
    t.Click(2, Qt::MiddleButton);
    EXPECT_EQ(t.w.Profiles()[12], "");
    EXPECT_EQ(t.RowFile(2), "<Replicate Profile 001>");
    EXPECT_EQ(t.root.prompts.Pending(), 0u);
}

TEST(BuilderWindow, SavingOpeningAndTheDiscardQuestion)
{
    Window t;
    const fs::path project = t.root.paths.ProgramDir() / "Site.MPP";
    const std::string first = "/panels/A.KQC";
    t.root.prompts.ChooseFile(first);
    t.Click(0);

    // Save on a project never saved asks for the name.
    t.root.prompts.ChooseFile(project);
    t.Menu("mnuPrjSave");
    EXPECT_EQ(t.LastAsked().dialog.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(t.LastAsked().dialog.fileName, "*.MPP");
    EXPECT_EQ(t.LastAsked().dialog.filter, "Brivane Touch Multi-Profile Projects (*.MPP)|*.MPP|All Files (*.*)|*.*");
    EXPECT_EQ(ReadBytes(project).size(), 256u + first.size());
    EXPECT_EQ(t.Text("lblMPProject"), project.string());
    EXPECT_FALSE(t.w.Changed());

    // Once it has a file, Save writes there without a dialog.
    t.root.prompts.ChooseFile("/panels/B.KQC");
    t.Click(5);
    const std::size_t asked = t.root.prompts.Log().size();
    t.Menu("mnuPrjSave");
    EXPECT_EQ(t.root.prompts.Log().size(), asked);
    EXPECT_EQ(ReadBytes(project).size(), 256u + first.size() + 13);
    const ProfileList saved = t.w.Profiles();

    // Changed, and the question answered No: New and Open do nothing, Open shows no dialog.
    t.root.prompts.Answer(MsgAnswer::Yes);
    t.Click(5, Qt::RightButton);
    t.root.prompts.Answer(MsgAnswer::No);
    t.Menu("mnuPrjNew");
    EXPECT_EQ(t.LastAsked().title, "New Project");
    EXPECT_EQ(t.LastAsked().text, "Discard Project Changes?");
    t.root.prompts.Answer(MsgAnswer::No);
    t.Menu("mnuPrjOpen");
    EXPECT_EQ(t.w.Profiles()[0], first);
    EXPECT_TRUE(t.w.Changed());

    // Opened again, with the rows where they were scrolled to.
    t.Find<QScrollBar>("vsProfile")->setValue(5);
    t.root.prompts.Answer(MsgAnswer::Yes);
    t.root.prompts.ChooseFile(project);
    t.Menu("mnuPrjOpen");
    EXPECT_EQ(t.w.Profiles(), saved);
    EXPECT_FALSE(t.w.Changed());
    EXPECT_EQ(t.RowNumber(0), "006");
    EXPECT_EQ(t.RowFile(0), "/panels/B.KQC");

    // A name that does not exist opens nothing and says nothing; a damaged file says so.
    t.root.prompts.ChooseFile(t.root.paths.ProgramDir() / "None.MPP");
    t.Menu("mnuPrjOpen");
    const fs::path damaged = t.root.paths.ProgramDir() / "Damaged.MPP";
    WriteBytes(damaged, {5, 0, 'a'});
    t.root.prompts.ChooseFile(damaged);
    t.root.prompts.Answer(MsgAnswer::Ok);
    t.Menu("mnuPrjOpen");
    EXPECT_EQ(t.LastAsked().title, "Open Error");
    EXPECT_EQ(t.w.Profiles(), saved);
    EXPECT_EQ(t.w.MPProject(), project.string());

    // Close asks only while changed; New empties the project.
    t.root.prompts.ChooseFile("/panels/C.KQC");
    t.Click(1);
    t.root.prompts.Answer(MsgAnswer::No);
    t.Menu("mnuPrjClose");
    EXPECT_TRUE(t.w.isVisible());
    t.root.prompts.Answer(MsgAnswer::Yes);
    t.Menu("mnuPrjNew");
    EXPECT_EQ(t.w.MPProject(), "");
    EXPECT_EQ(t.RowFile(0), "<Profile 001 Must Be Selected>");
    t.Menu("mnuPrjClose");
    EXPECT_FALSE(t.w.isVisible());
    EXPECT_EQ(t.root.prompts.Pending(), 0u);
}

TEST(BuilderWindow, BuildingWithoutProfile001Refuses)
{
    Window t;
    t.Find<QScrollBar>("vsProfile")->setValue(50);
    t.root.prompts.Answer(MsgAnswer::Ok);
    t.BuildButton()->click();
    EXPECT_EQ(t.LastAsked().title, "Select Profile 01");
    EXPECT_EQ(t.LastAsked().text, "Profile 01 Cannot be Unused.\nBuild Canceled.");
    EXPECT_EQ(t.LastAsked().icon, MsgIcon::Information);
    EXPECT_EQ(t.RowNumber(0), "001");
    EXPECT_EQ(t.Find<QScrollBar>("vsProfile")->value(), 0);
    EXPECT_FALSE(fs::exists(t.root.paths.SDImageFile()));
}

TEST(BuilderWindow, ABuildShowsItsProgressTakesNoClicksAndEndsInTheCopyDialog)
{
    Window t;
    t.root.WriteCore();
    t.root.prompts.ChooseFile(t.root.Profile("One.KQC", 1, 0));
    t.Click(0);

    // Looks at the window whenever it repaints during the build, and clicks a row there.
    std::vector<std::string> captions;
    bool progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const std::string caption = t.BuildButton()->text().toStdString();
        if (captions.empty() || captions.back() != caption)
            captions.push_back(caption);
        progressShown = progressShown || t.Find("pbProfile")->isVisible();
        if (t.w.Busy())
            t.Click(0, Qt::RightButton); // would ask "Remove Profile?"
    });
    watch.start(0);

    std::vector<std::string> texts;
    std::vector<std::string> clipped{"not measured"};
    OnCopyDialog([&](frmOrvelMPCopy& copy) {
        watch.stop();
        for (int i = 0; i < 4; ++i)
            texts.push_back(copy.findChild<QLabel*>(QString("lblInfo_%1").arg(i))->text().toStdString());
        clipped = ClippedTexts(copy);
        copy.findChild<QPushButton*>("cmdExporer")->click();
        copy.findChild<QPushButton*>("cmdBuild")->click();
    });
    t.BuildButton()->click();

    ASSERT_EQ(captions.size(), 129u);
    EXPECT_EQ(captions.front(), "Profile: 001");
    EXPECT_EQ(captions[127], "Profile: 128");
    EXPECT_EQ(captions.back(), "Build Image File");
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(t.Find("pbProfile")->isVisible());
    EXPECT_TRUE(t.BuildButton()->isEnabled());
    EXPECT_EQ(t.w.Profiles()[0], (t.root.paths.ProgramDir() / "One.KQC").string());
    EXPECT_EQ(fs::file_size(t.root.paths.SDImageFile()), 0x66740000u + 301 * 512);

    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Image File Has Been Created");
    EXPECT_EQ(texts[1], "Copy File: " + t.root.paths.SDImageFile().string());
    EXPECT_EQ(texts[2], "To Your SD Card With Windows Exporer.");
    EXPECT_EQ(clipped, std::vector<std::string>{});
    EXPECT_EQ(t.opened, std::vector<fs::path>{t.root.paths.SDImageDir()});
}

TEST(BuilderWindow, AMissingProfileEndsTheBuildWithTheButtonBackAndNoCopyDialog)
{
    Window t;
    t.root.WriteCore();
    t.root.prompts.ChooseFile(t.root.Profile("One.KQC", 0, 0));
    t.Click(0);
    const std::string gone = (t.root.paths.ProgramDir() / "Gone.KQC").string();
    t.root.prompts.ChooseFile(gone);
    t.Click(9);
    bool copyShown = false;
    OnCopyDialog([&](frmOrvelMPCopy& copy) {
        copyShown = true;
        copy.reject();
    });

    t.root.prompts.Answer(MsgAnswer::Ok);
    t.BuildButton()->click();
    EXPECT_EQ(t.LastAsked().title, "File Not Found");
    EXPECT_EQ(t.LastAsked().text, gone + " Not Found.\nBuild Canceled");
    EXPECT_EQ(t.BuildButton()->text().toStdString(), "Build Image File");
    EXPECT_TRUE(t.BuildButton()->isEnabled());
    EXPECT_FALSE(t.Find("lblFiles")->isVisible());
    EXPECT_FALSE(fs::exists(t.root.paths.SDImageFile()));
    QTest::qWait(20);
    EXPECT_FALSE(copyShown);
}

TEST(CopyDialog, APathWiderThanTheScreenIsCutInTheMiddleAndCloseKeepsToTheRightEdge)
{
    MPRoot root;
    const Paths deep(root.dir / std::string(200, 'h') / std::string(200, 'i'));
    frmOrvelMPCopy copy(deep, root.prompts, root.display, [](const fs::path&) { return true; });
    const auto* label = copy.findChild<QLabel*>("lblInfo_1");
    const std::string whole = "Copy File: " + deep.SDImageFile().string();
    EXPECT_EQ(label->toolTip().toStdString(), whole);
    EXPECT_TRUE(label->text().startsWith("Copy File: /")) << label->text().toStdString();
    EXPECT_TRUE(label->text().endsWith("/SDImage/QVRTOUCH.DAT")) << label->text().toStdString();
    EXPECT_TRUE(QRect(0, 0, 1366, 768).contains(copy.frameGeometry().adjusted(0, 0, kFrameWidth, kFrameHeight)))
        << copy.x() << ", " << copy.y() << ", " << copy.width();
    // 495 twips from the right edge, as in the design's width; the left column stays.
    EXPECT_EQ(copy.width() - copy.findChild<QPushButton*>("cmdBuild")->geometry().right() - 1, 33);
    EXPECT_EQ(copy.findChild<QPushButton*>("cmdExporer")->x(), 32);
    EXPECT_EQ(ClippedTexts(copy), std::vector<std::string>{});
}
