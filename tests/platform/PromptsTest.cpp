#include "platform/Prompts.h"
#include "platform/ScriptedPrompts.h"

#include "TempDir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace kx4;

namespace {

// Runs `act` on the modal window once it is up.
void WhenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(10, [act] {
        if (QWidget* w = QApplication::activeModalWidget())
            act(w);
        else
            WhenModal(act);
    });
}

} // namespace

TEST(QtNameFilters, WindowsFiltersMatchBothCasesAndEveryFile)
{
    EXPECT_EQ(QtNameFilters("Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*").toStdString(),
              "Brivane Touch Data Files (*.KQC *.kqc);;All Files (*)");
    EXPECT_EQ(QtNameFilters("Pictures (*.bmp;*.Dib)|*.bmp;*.Dib").toStdString(),
              "Pictures (*.bmp *.BMP *.Dib *.DIB *.dib)");
    EXPECT_EQ(QtNameFilters("").toStdString(), "");
}

TEST(QtPrompts, AMessageBoxShowsItsTextsAndGivesTheButtonPressed)
{
    QtPrompts prompts;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.Message(MsgIcon::Question, "QVR Brivane KX4 Pro", "Discard Any Changes?", MsgButtons::YesNo),
              MsgAnswer::No);
    EXPECT_EQ(title.toStdString(), "QVR Brivane KX4 Pro");
    EXPECT_EQ(text.toStdString(), "Discard Any Changes?");
    EXPECT_EQ(icon, QMessageBox::Question);
}

TEST(QtPrompts, AnOpenDialogGivesTheChosenFileOrNothingWhenCancelled)
{
    test::TempDir dir;
    { std::ofstream(dir / "Panel.kqc") << "x"; }
    QtPrompts prompts;
    FileDialogRequest request;
    request.filter = "Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*";
    request.folder = dir.path();
    request.fileName = "*.KQC";

    QStringList filters;
    WhenModal([&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        filters = dlg->nameFilters();
        dlg->findChild<QLineEdit*>("fileNameEdit")->setText("Panel.kqc");
        QMetaObject::invokeMethod(dlg, "accept");
    });
    const auto chosen = prompts.FileDialog(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir / "Panel.kqc");
    EXPECT_EQ(filters.size(), 2);

    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(prompts.FileDialog(request).has_value());
}

TEST(QtPrompts, ASaveDialogAddsTheExtensionToATypedNameAndAsksAboutThatFile)
{
    test::TempDir dir;
    { std::ofstream(dir / "Old.KQC") << "x"; }
    QtPrompts prompts;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.filter = "Brivane Touch Data Files (*.KQC)|*.KQC|All Files (*.*)|*.*";
    request.folder = dir.path();
    request.defaultExtension = "KQC";

    const auto typed = [](const QString& name) {
        return [name](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dlg, nullptr);
            dlg->findChild<QLineEdit*>("fileNameEdit")->setText(name);
            QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
        };
    };
    WhenModal(typed("test1"));
    EXPECT_EQ(prompts.FileDialog(request), dir / "test1.KQC");

    // "Old" names the existing "Old.KQC": the dialog asks before replacing it.
    QString question;
    WhenModal([&](QWidget* w) {
        typed("Old")(w);
        WhenModal([&](QWidget* box) {
            auto* asked = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(asked, nullptr);
            question = asked->text();
            asked->button(QMessageBox::Yes)->click();
        });
    });
    EXPECT_EQ(prompts.FileDialog(request), dir / "Old.KQC");
    EXPECT_TRUE(question.contains("Old.KQC")) << question.toStdString();
}

TEST(WithDefaultExtension, OnlyANameWithoutADotGetsIt)
{
    EXPECT_EQ(WithDefaultExtension("/d/test1", "KQC"), "/d/test1.KQC");
    EXPECT_EQ(WithDefaultExtension("/d.x/test1", "KQS"), "/d.x/test1.KQS");
    EXPECT_EQ(WithDefaultExtension("/d/test1.kqc", "KQC"), "/d/test1.kqc");
    EXPECT_EQ(WithDefaultExtension("/d/Backup.old", "KQC"), "/d/Backup.old");
    EXPECT_EQ(WithDefaultExtension("/d/test1.", "KQC"), "/d/test1.");
    EXPECT_EQ(WithDefaultExtension("/d/test1", ""), "/d/test1");
}

TEST(ScriptedPrompts, RecordsEveryQuestionAndGivesTheScriptedAnswers)
{
    ScriptedPrompts p;
    p.Answer(MsgAnswer::Yes);
    p.ChooseFile("/tmp/a.KQC");
    p.Answer(MsgAnswer::Ok);
    p.CancelFile();

    EXPECT_EQ(p.Message(MsgIcon::Question, "T", "Q?", MsgButtons::YesNo), MsgAnswer::Yes);
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.filter = "F (*.KQC)|*.KQC";
    EXPECT_EQ(p.FileDialog(request), std::filesystem::path("/tmp/a.KQC"));
    EXPECT_EQ(p.Message(MsgIcon::Critical, "Error", "Bad", MsgButtons::Ok), MsgAnswer::Ok);
    EXPECT_FALSE(p.FileDialog(request).has_value());
    EXPECT_EQ(p.Pending(), 0u);

    ASSERT_EQ(p.Log().size(), 4u);
    EXPECT_FALSE(p.Log()[0].isDialog);
    EXPECT_EQ(p.Log()[0].icon, MsgIcon::Question);
    EXPECT_EQ(p.Log()[0].text, "Q?");
    EXPECT_EQ(p.Log()[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(p.Log()[1].isDialog);
    EXPECT_EQ(p.Log()[1].dialog.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(p.Log()[2].title, "Error");
    EXPECT_EQ(p.Log()[2].icon, MsgIcon::Critical);
}

TEST(ScriptedPrompts, ReportsWhatWasNotScriptedAndAnswersSafely)
{
    ScriptedPrompts p;
    std::vector<std::string> reports;
    p.OnUnscripted = [&](const std::string& what) { reports.push_back(what); };

    EXPECT_EQ(p.Message(MsgIcon::Question, "T", "Discard?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_FALSE(p.FileDialog(FileDialogRequest{}).has_value());
    // An answer of the wrong kind is no answer.
    p.Answer(MsgAnswer::Ok);
    EXPECT_EQ(p.Message(MsgIcon::Question, "T", "Discard?", MsgButtons::YesNo), MsgAnswer::No);
    p.Answer(MsgAnswer::Yes);
    EXPECT_FALSE(p.FileDialog(FileDialogRequest{}).has_value());

    ASSERT_EQ(reports.size(), 4u);
    EXPECT_NE(reports[0].find("Discard?"), std::string::npos);
    EXPECT_EQ(p.Pending(), 1u) << "the answer meant for a box stays for the next box";
}
