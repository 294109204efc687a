// The File menu as a user runs it, with scripted dialog answers and the bytes of the files written.
#include "DesignerFixture.h"

#include "FileSupport.h"
#include "data/ProjectFiles.h"

#include <QDir>
#include <QLabel>

#include <chrono>
#include <filesystem>

#include <sys/stat.h>

using namespace kx4;
using kx4::test::Designer;
using kx4::test::ReadBytes;
using kx4::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

constexpr const char* kKqcFilter = "Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*";
constexpr const char* kKqsFilter = "Brivane Touch Data Files (*.KQS)|*.KQS|All Files (*.*)|*.*";

// The little-endian 16-bit integer at byte `offset`.
int Word(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

std::size_t PanelByte(int entry) { return 2 * static_cast<std::size_t>(entry); }
std::size_t DesignByte(int entry) { return 32768 + 2 * static_cast<std::size_t>(entry); }

const ScriptedPrompts::Asked& Last(const Designer& d) { return d.prompts.Log().back(); }

bool SameTables(const ProjectTables& a, const ProjectTables& b)
{
    return a.PanelCfg == b.PanelCfg && a.DesignCfg == b.DesignCfg && a.ScreenBG == b.ScreenBG;
}

std::size_t FilesIn(const fs::path& dir)
{
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.is_regular_file() ? 1 : 0;
    return n;
}

} // namespace

TEST(FileSaveAs, AFreshProjectIsWrittenWholeUnderTheChosenName)
{
    Designer d;
    d.Start();
    const fs::path file = d.paths.ProgramDir() / "Panel.KQC";
    d.prompts.ChooseFile(file);
    d.Action("mnuFileSaveAs")->trigger();

    ASSERT_EQ(d.prompts.Log().size(), 1u);
    const FileDialogRequest& dlg = Last(d).dialog;
    EXPECT_EQ(dlg.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(dlg.filter, kKqcFilter);
    EXPECT_EQ(dlg.folder, d.paths.ProgramDir());
    EXPECT_EQ(dlg.fileName, "*.KQC");

    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 98505u);
    EXPECT_EQ(Word(bytes, PanelByte(978)), 3) << "device range of the fresh project";
    EXPECT_EQ(Word(bytes, PanelByte(256)), 0) << "no button";
    EXPECT_EQ(Word(bytes, DesignByte(2)), 96) << "button 0 width, low entry";
    EXPECT_EQ(Word(bytes, DesignByte(4)), 32) << "button 0 height, low entry";
    const int caption32 = 15 * 2048 + 31 * 35 + 11; // button 31 of screen 15
    EXPECT_EQ(std::string({char(Word(bytes, DesignByte(caption32))), char(Word(bytes, DesignByte(caption32 + 1))),
                           char(Word(bytes, DesignByte(caption32 + 2))), char(Word(bytes, DesignByte(caption32 + 3)))}),
              "B 32");
    EXPECT_EQ(Word(bytes, DesignByte(1152 + 3)), 128) << "text 0 width, low entry";
    EXPECT_EQ(Word(bytes, 98304), 4);
    EXPECT_EQ(std::string(bytes.begin() + 98306, bytes.begin() + 98310), "[*L]");
    EXPECT_EQ(Word(bytes, 98310), 11);
    EXPECT_EQ(std::string(bytes.begin() + 98312, bytes.begin() + 98323), "[&HEFEFEF&]");
    EXPECT_EQ(std::string(bytes.end() - 11, bytes.end()), "[&HEFEFEF&]");

    EXPECT_EQ(d.project.DataFile, file.string());
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(d.window->windowTitle().toStdString(), "QVR Brivane KX4 Pro   " + file.string());
    EXPECT_TRUE(d.Action("mnuMultiProfile")->isEnabled()) << "saving is no edit";
}

TEST(FileSaveAs, ACancelWritesNothingAndExitStillAsks)
{
    Designer d;
    frmOrvel& w = d.Start();
    d.Action("mnuNewButton")->trigger();

    // Save without a file name goes through Save As.
    d.prompts.CancelFile();
    d.Action("mnuFileSave")->trigger();
    d.prompts.CancelFile();
    d.Action("mnuFileSaveAs")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 2u);
    EXPECT_TRUE(d.prompts.Log()[0].isDialog);
    EXPECT_EQ(d.prompts.Log()[0].dialog.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(d.prompts.Log()[1].dialog.fileName, "*.KQC") << "the cancelled dialog kept its preset";
    EXPECT_EQ(FilesIn(d.paths.ProgramDir()), 0u);
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_TRUE(d.project.DataChanged);

    d.prompts.Answer(MsgAnswer::No);
    d.Action("mnuExit")->trigger();
    EXPECT_EQ(Last(d).text, "Discard Any Changes?");
    EXPECT_TRUE(w.isVisible());
}

TEST(FileSaveAs, AFailedSaveNamesTheFileAndKeepsTheOldNameAndTheFlag)
{
    Designer d;
    d.Start();
    const fs::path first = d.root / "First.KQC";
    d.prompts.ChooseFile(first);
    d.Action("mnuFileSaveAs")->trigger();
    d.Action("mnuNewButton")->trigger();

    const fs::path nowhere = d.root / "no such folder" / "Second.KQC";
    d.prompts.ChooseFile(nowhere);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuFileSaveAs")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 3u);
    EXPECT_EQ(d.prompts.Log()[1].dialog.folder, d.root.path()) << "Save As starts with the name last used";
    EXPECT_EQ(d.prompts.Log()[1].dialog.fileName, "First.KQC");
    EXPECT_EQ(Last(d).icon, MsgIcon::Critical);
    EXPECT_EQ(Last(d).title, "Save Error");
    EXPECT_NE(Last(d).text.find(nowhere.string()), std::string::npos) << Last(d).text;
    EXPECT_EQ(d.project.DataFile, first.string());
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_EQ(Word(ReadBytes(first), PanelByte(256)), 0) << "the old file is untouched";

    // Save writes the named file without a dialog.
    d.prompts.ClearLog();
    d.Action("mnuFileSave")->trigger();
    EXPECT_TRUE(d.prompts.Log().empty());
    EXPECT_EQ(Word(ReadBytes(first), PanelByte(256)), 1) << "the new button's type";
    EXPECT_FALSE(d.project.DataChanged);
}

TEST(FileOpen, TheDataFolderIsPresetOnTheFirstOpenOnly)
{
    Designer d;
    d.Start();
    d.prompts.CancelFile();
    d.Action("mnuFileOpen")->trigger();
    d.prompts.CancelFile();
    d.Action("mnuFileOpen")->trigger();

    ASSERT_EQ(d.prompts.Log().size(), 2u);
    const FileDialogRequest& first = d.prompts.Log()[0].dialog;
    EXPECT_EQ(first.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(first.filter, kKqcFilter);
    EXPECT_EQ(first.folder, d.paths.ProgramDir());
    EXPECT_EQ(first.fileName, "*.KQC");
    EXPECT_EQ(d.prompts.Log()[1].dialog.fileName, "");
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled()) << "withdrawn by any Open";
}

TEST(FileOpen, LoadsTheFileAndShowsItsHomeScreen)
{
    modOrvel source;
    source.ResetAll();
    source.SetBtnType(0, 1);
    source.SetBtnImage(0, 3);
    source.SetBtnText(0, "Lights");
    // As the redraw writes them for size class 0, so that the tables compare whole.
    source.SetBtnTxtX(0, 75);
    source.SetBtnTxtY(0, 75);
    source.ScreenBG[2] = "[&H0000FF&]";
    source.SetScreen(9);
    source.SetTxtType(4, 1);

    Designer d;
    d.Start();
    source.DataFile = (d.root / "Stored.KQC").string();
    ASSERT_TRUE(source.SaveData());
    d.List("cboScreenNumber")->setCurrentIndex(4);
    d.project.SelButton = 3;
    d.project.SelText = 1;
    d.Action("mnuUndoSnap")->setEnabled(true);

    d.prompts.ChooseFile(source.DataFile);
    d.Action("mnuFileOpen")->trigger();

    EXPECT_EQ(d.prompts.Log().size(), 1u) << "nothing to discard, nothing to report";
    EXPECT_TRUE(SameTables(d.project, source));
    EXPECT_EQ(d.project.DataFile, source.DataFile);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(d.project.CurScreen, 0);
    EXPECT_EQ(d.List("cboScreenNumber")->currentIndex(), 0);
    EXPECT_EQ(d.project.SelButton, -1);
    EXPECT_EQ(d.project.SelText, -1);
    EXPECT_TRUE(d.project.InputTypeWarned);
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_EQ(d.Find<QLabel>("lblButton_0")->text().toStdString(), "Lights");
    EXPECT_EQ(d.window->windowTitle().toStdString(), "QVR Brivane KX4 Pro   " + source.DataFile);
}

TEST(FileOpen, ACutShortFileLeavesTheOpenProjectAndItsName)
{
    Designer d;
    d.Start();
    const fs::path good = d.root / "Good.KQC";
    d.prompts.ChooseFile(good);
    d.Action("mnuFileSaveAs")->trigger();
    d.Action("mnuNewButton")->trigger();
    const ProjectTables before = d.project;

    std::vector<std::uint8_t> bytes = ReadBytes(good);
    bytes.resize(50000);
    const fs::path cut = d.root / "Cut.KQC";
    WriteBytes(cut, bytes);
    d.prompts.ClearLog();
    d.prompts.Answer(MsgAnswer::Yes); // discard
    d.prompts.ChooseFile(cut);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuFileOpen")->trigger();

    ASSERT_EQ(d.prompts.Log().size(), 3u);
    EXPECT_EQ(d.prompts.Log()[0].text, "Discard Any Changes?");
    EXPECT_EQ(Last(d).icon, MsgIcon::Critical);
    EXPECT_EQ(Last(d).title, "Open Error");
    EXPECT_NE(Last(d).text.find(cut.string()), std::string::npos) << Last(d).text;
    EXPECT_TRUE(SameTables(d.project, before));
    EXPECT_EQ(d.project.DataFile, good.string());
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_EQ(d.window->windowTitle().toStdString(), "QVR Brivane KX4 Pro   " + good.string());
}

TEST(FileOpen, AFileWithAPanelSizeNoListShowsIsRefusedAndTheWindowKeepsItsProject)
{
    Designer d;
    d.Start();
    d.Action("mnuNewButton")->trigger();
    const ProjectTables before = d.project;

    modOrvel damaged;
    damaged.ResetAll();
    damaged.SetScnRes(3);
    damaged.DataFile = (d.root / "Damaged.KQC").string();
    ASSERT_TRUE(damaged.SaveData());
    d.prompts.ClearLog();
    d.prompts.Answer(MsgAnswer::Yes); // discard
    d.prompts.ChooseFile(damaged.DataFile);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuFileOpen")->trigger();

    ASSERT_EQ(d.prompts.Log().size(), 3u);
    EXPECT_EQ(Last(d).title, "Open Error");
    EXPECT_EQ(Last(d).text, "\"" + damaged.DataFile + "\" is not a panel data file: it is cut short or damaged.");
    EXPECT_TRUE(SameTables(d.project, before));
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_EQ(d.List("cboScnRes")->currentIndex(), 0);
    EXPECT_EQ(d.Find("picLayout")->size(), QSize(484, 276));
}

// A background that names a FIFO is reported as not readable at once, after File > Open and
// after Import Screen alike; nothing waits for a writer.
TEST(FileOpen, ABackgroundNamingAFifoIsReportedWithoutWaiting)
{
    Designer d;
    d.Start();
    const fs::path pipe = d.root / "pipe.bmp";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    test::FifoRescue rescue(pipe);
    const std::string notReadable = "\"" + pipe.string() + "\" is not a regular file.";

    modOrvel source;
    source.ResetAll();
    source.ScreenBG[0] = pipe.string();
    source.DataFile = (d.root / "Piped.KQC").string();
    ASSERT_TRUE(source.SaveData());
    d.prompts.ChooseFile(source.DataFile);
    d.prompts.Answer(MsgAnswer::Ok);
    const auto started = std::chrono::steady_clock::now();
    d.Action("mnuFileOpen")->trigger();
    EXPECT_EQ(Last(d).title, "Picture Not Readable");
    EXPECT_EQ(Last(d).text, notReadable);
    EXPECT_EQ(d.project.DataFile, source.DataFile) << "the project loads";
    EXPECT_EQ(d.Find<QLabel>("lblBGFile")->text().toStdString(), "BMP File Not Readable");

    d.List("cboScreenNumber")->setCurrentIndex(5);
    const fs::path screen = d.root / "Piped.KQS";
    d.project.ScreenFile = screen.string();
    d.project.ScreenBG[5] = pipe.string();
    ASSERT_TRUE(d.project.ExportScreenData());
    d.project.ScreenBG[5] = "[&H00FF00&]";
    d.window->ShowScreen();
    d.prompts.ClearLog();
    d.prompts.ChooseFile(screen);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuImportScreen")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 2u);
    EXPECT_EQ(Last(d).title, "Picture Not Readable");
    EXPECT_EQ(Last(d).text, notReadable);
    EXPECT_EQ(d.project.ScreenBG[5], pipe.string());
    EXPECT_EQ(d.Pixel(10, 10), 0xFFFFFFu);

    EXPECT_FALSE(rescue.Rescued());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST(FileOpen, AnsweredNoLoadsNothingYetShowsHomeAndForgetsTheChoice)
{
    Designer d;
    d.Start();
    d.List("cboScreenNumber")->setCurrentIndex(4);
    d.Action("mnuNewButton")->trigger();
    d.project.SelButton = 0;
    d.Action("mnuUndoSnap")->setEnabled(true);

    d.prompts.Answer(MsgAnswer::No);
    d.Action("mnuFileOpen")->trigger();

    ASSERT_EQ(d.prompts.Log().size(), 1u) << "no dialog";
    EXPECT_EQ(d.project.CurScreen, 0);
    EXPECT_EQ(d.project.PanelCfg[4 * 1024 + 256], 1) << "the button on screen 4 is still there";
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_EQ(d.project.SelButton, -1);
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
}

TEST(FileNew, AsksWhenModifiedAndThenStartsAFreshProjectOnHome)
{
    Designer d;
    d.Start();
    d.Action("mnuFileNew")->trigger();
    EXPECT_TRUE(d.prompts.Log().empty()) << "nothing to discard";

    d.prompts.ChooseFile(d.root / "Kept.KQC");
    d.Action("mnuFileSaveAs")->trigger();
    d.List("cboScreenNumber")->setCurrentIndex(5);
    d.Action("mnuNewButton")->trigger();

    d.prompts.Answer(MsgAnswer::No);
    d.Action("mnuFileNew")->trigger();
    EXPECT_EQ(d.project.CurScreen, 5);
    EXPECT_EQ(d.project.GetBtnType(0), 1);

    d.Action("mnuUndoSnap")->setEnabled(true);
    d.prompts.Answer(MsgAnswer::Yes);
    d.Action("mnuFileNew")->trigger();
    EXPECT_EQ(d.project.CurScreen, 0);
    EXPECT_EQ(d.List("cboScreenNumber")->currentIndex(), 0);
    EXPECT_EQ(d.project.PanelCfg[5 * 1024 + 256], 0);
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_EQ(d.window->windowTitle().toStdString(), "QVR Brivane KX4 Pro   (None)");
}

TEST(ScreenFiles, ExportedHomeScreenImportsIntoScreenSeven)
{
    Designer d;
    d.Start();
    d.Action("mnuNewButton")->trigger();
    d.Action("mnuNewText")->trigger();
    d.project.ScreenBG[0] = "[&H00FF00&]";
    d.project.DataChanged = false;

    const fs::path file = d.root / "Home.KQS";
    d.prompts.ChooseFile(file);
    d.Action("mnuExport")->trigger();
    const FileDialogRequest& exportDlg = Last(d).dialog;
    EXPECT_EQ(exportDlg.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(exportDlg.filter, kKqsFilter);
    EXPECT_EQ(exportDlg.folder, d.paths.ProgramDir());
    EXPECT_EQ(exportDlg.fileName, "*.KQS");
    EXPECT_FALSE(d.project.DataChanged);

    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 6560u);
    EXPECT_EQ(Word(bytes, 2 * 256), 1) << "button 0 type";
    EXPECT_EQ(Word(bytes, 2 * 848), 1) << "text 0 type";
    EXPECT_EQ(Word(bytes, 1952 + 2 * 11), 'B') << "button 0 caption";
    EXPECT_EQ(Word(bytes, 6048), '[');
    EXPECT_EQ(Word(bytes, 6048 + 2 * 10), ']');
    EXPECT_EQ(Word(bytes, 6048 + 2 * 11), 0);

    const ProjectTables before = d.project;
    d.List("cboScreenNumber")->setCurrentIndex(7);
    d.prompts.ChooseFile(file);
    d.Action("mnuImportScreen")->trigger();
    const FileDialogRequest& importDlg = Last(d).dialog;
    EXPECT_EQ(importDlg.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(importDlg.folder, d.paths.ProgramDir()) << "the screen dialogs start in the data folder every time";
    EXPECT_EQ(importDlg.fileName, "*.KQS");

    EXPECT_EQ(d.project.CurScreen, 7);
    EXPECT_EQ(d.project.GetBtnType(0), 1);
    EXPECT_EQ(d.project.GetTxtType(0), 1);
    EXPECT_EQ(d.project.ScreenBG[7], "[&H00FF00&]");
    EXPECT_TRUE(std::equal(before.PanelCfg.begin(), before.PanelCfg.begin() + 7 * 1024, d.project.PanelCfg.begin()));
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_TRUE(d.Find("imgPB_0")->isVisible());
}

TEST(ScreenFiles, CancelledExportWritesNothingAndCancelledImportMarksModified)
{
    Designer d;
    d.Start();
    d.prompts.CancelFile();
    d.Action("mnuExport")->trigger();
    EXPECT_EQ(FilesIn(d.paths.ProgramDir()), 0u);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_TRUE(d.Action("mnuMultiProfile")->isEnabled());

    const ProjectTables before = d.project;
    d.project.SelPilot = 2;
    d.prompts.CancelFile();
    d.Action("mnuImportScreen")->trigger();
    EXPECT_TRUE(SameTables(d.project, before));
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_EQ(d.project.SelPilot, -1);
}

TEST(ScreenFiles, AScreenFileThatCannotBeReadChangesNoScreen)
{
    Designer d;
    d.Start();
    const fs::path file = d.root / "Short.KQS";
    WriteBytes(file, std::vector<std::uint8_t>(100, 1));
    const ProjectTables before = d.project;

    d.prompts.ChooseFile(file);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuImportScreen")->trigger();
    EXPECT_EQ(Last(d).icon, MsgIcon::Critical);
    EXPECT_EQ(Last(d).title, "Import Error");
    EXPECT_NE(Last(d).text.find(file.string()), std::string::npos) << Last(d).text;
    EXPECT_TRUE(SameTables(d.project, before));
}

TEST(FileExtensions, ATypedNameWithoutExtensionIsSavedWithTheFilesOwnAndOpenListsIt)
{
    Designer d;
    d.Start();
    d.prompts.ChooseFile(d.paths.ProgramDir() / "test1");
    d.Action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(Last(d).dialog.defaultExtension, "KQC");
    const fs::path saved = d.paths.ProgramDir() / "test1.KQC";
    EXPECT_EQ(ReadBytes(saved).size(), 98505u);
    EXPECT_FALSE(fs::exists(d.paths.ProgramDir() / "test1"));
    EXPECT_EQ(d.project.DataFile, saved.string());
    EXPECT_EQ(d.window->windowTitle().toStdString(), "QVR Brivane KX4 Pro   " + saved.string());

    // The Open dialog's first filter lists it.
    d.prompts.CancelFile();
    d.Action("mnuFileOpen")->trigger();
    const FileDialogRequest& open = Last(d).dialog;
    EXPECT_EQ(open.defaultExtension, "") << "an open dialog takes existing files only";
    const QString firstFilter = QtNameFilters(open.filter).split(";;").front();
    const QStringList patterns = firstFilter.mid(firstFilter.indexOf('(') + 1).chopped(1).split(' ');
    EXPECT_EQ(QDir(QString::fromStdString(open.folder.string())).entryList(patterns, QDir::Files),
              QStringList{"test1.KQC"});

    // A screen file likewise; a name with an extension of its own keeps it.
    d.prompts.ChooseFile(d.root / "screen5");
    d.Action("mnuExport")->trigger();
    EXPECT_EQ(Last(d).dialog.defaultExtension, "KQS");
    EXPECT_EQ(ReadBytes(d.root / "screen5.KQS").size(), 6560u);
    d.prompts.ChooseFile(d.root / "Backup.old");
    d.Action("mnuFileSaveAs")->trigger();
    EXPECT_TRUE(fs::exists(d.root / "Backup.old"));
    EXPECT_EQ(d.project.DataFile, (d.root / "Backup.old").string());
}

TEST(MissingBackground, OneCommandReportsItOnceHoweverOftenItRedraws)
{
    Designer d;
    d.Start();
    const std::string gone = "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Gone.bmp";
    const auto reports = [&] {
        std::size_t n = 0;
        for (const auto& asked : d.prompts.Log())
            n += asked.title == "File Missing" && asked.text == "File Not Found\n" + gone;
        return n;
    };

    // Save As cancelled redraws twice.
    d.project.ScreenBG[0] = gone;
    d.prompts.CancelFile();
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(reports(), 1u);
    EXPECT_EQ(d.prompts.Pending(), 0u);

    // Each command reports it again, once.
    d.prompts.ClearLog();
    d.prompts.CancelFile();
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(reports(), 1u);

    // Open from another screen selects Home, which redraws, and redraws again.
    modOrvel source;
    source.ResetAll();
    source.ScreenBG[0] = gone;
    source.DataFile = (d.root / "Gone.KQC").string();
    ASSERT_TRUE(source.SaveData());
    d.project.ScreenBG[0] = "[&H00FF00&]";
    d.List("cboScreenNumber")->setCurrentIndex(4);
    d.prompts.ClearLog();
    d.prompts.ChooseFile(source.DataFile);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuFileOpen")->trigger();
    EXPECT_EQ(reports(), 1u);
    EXPECT_EQ(d.prompts.Pending(), 0u);
    EXPECT_EQ(d.project.ScreenBG[0], gone);
}
