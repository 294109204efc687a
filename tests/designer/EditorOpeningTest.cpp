// The settings-list rows open the element dialogs: the choice, the dialog's place, the live
// redraw while it is open, and the redraw after it has closed.
#include "DesignerFixture.h"

#include "designer/PreviewWidgets.h"
#include "platform/WindowPlace.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kx4;
using kx4::test::Designer;
using kx4::test::ReadBytes;

namespace {

SettingsRow* Row(const Designer& d, const char* list, int i) { return d.Find<SettingsRow>(QString("%1_%2").arg(list).arg(i)); }
QWidget* View(const Designer& d, const char* base, int i) { return d.Find<QWidget>(QString("%1_%2").arg(base).arg(i)); }

template <class T = QWidget>
T* In(QDialog& dialog, const char* name)
{
    return test::Child<T>(dialog, name);
}

void Click(QDialog& dialog, const char* name) { QTest::mouseClick(In(dialog, name), Qt::LeftButton); }

} // namespace

TEST(EditorOpening, AButtonRowOpensItsDialogBesideTheLayoutAndRedrawsLive)
{
    Designer d;
    frmOrvel& w = d.Start();
    d.Action("mnuSnapToGrid")->trigger();
    ASSERT_TRUE(d.Action("mnuUndoSnap")->isEnabled());

    bool ran = false;
    Designer::WhenDialogOpens([&](QDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.objectName(), "frmOrvelButton");
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.pos(), QPoint(w.x() + d.Find<QGroupBox>("frmButtons")->x(), w.y() + 60));
        EXPECT_EQ(d.project.CurObj, 5);
        EXPECT_EQ(d.project.SelButton, 5);

        Click(dialog, "imgButton_3");
        In<QLineEdit>(dialog, "txtText")->setText("Lamp");
        // The layout shows the change while the dialog is still open.
        QWidget* face = View(d, "imgPB", 5);
        EXPECT_TRUE(face->isVisible());
        EXPECT_EQ(face->size(), QSize(96, 32));
        EXPECT_EQ(d.Find<QLabel>("lblButton_5")->text(), "Lamp");
        Click(dialog, "cmdClose");
    });
    QTest::mouseClick(Row(d, "lblBSettings", 5), Qt::LeftButton);
    ASSERT_TRUE(ran);
    EXPECT_EQ(Row(d, "lblBSettings", 5)->text(), "Mom In:1 Dev:01");
    EXPECT_FALSE(Row(d, "lblBSettings", 5)->Highlighted());
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());

    // The chosen Button is the template of the next one.
    d.Action("mnuNewButton")->trigger();
    EXPECT_EQ(d.project.GetBtnImage(0), 4);
    EXPECT_EQ(d.project.GetBtnText(0), "Lamp");
    EXPECT_EQ(d.project.SelButton, 5);
}

TEST(EditorOpening, OpeningAndClosingEveryDialogLeavesTheSavedFileByteIdentical)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetBtnType(0, 44);
    m.SetBtnPassword(0, 90210);
    m.SetBtnImage(0, 7);
    m.SetPilotEnabled(0, 1);
    m.SetPilotIcon(0, 2);
    m.SetSldImage(0, 3);
    m.SetSldTrack(0, 1);
    m.SetTxtType(0, 10);
    m.SetTxtColor(0, 1);
    m.SetTxtFontSize(0, 3);
    m.SetTxtText(0, "12:59 AM");
    d.window->ShowScreen();
    const auto file = d.paths.ProgramDir() / "Panel.KQC";
    d.prompts.ChooseFile(file);
    d.Action("mnuFileSaveAs")->trigger();
    const std::vector<std::uint8_t> saved = ReadBytes(file);

    std::vector<QString> opened;
    const auto closeBox = [&](QDialog& dialog) { opened.push_back(dialog.objectName()); };
    const auto closeButton = [&](QDialog& dialog) {
        opened.push_back(dialog.objectName());
        Click(dialog, "cmdClose");
    };
    for (const char* list : {"lblBSettings", "lblPSettings", "lblSSettings", "lblTSettings"}) {
        for (const int slot : {0, 7}) {
            Designer::WhenDialogOpens(slot == 0 ? std::function<void(QDialog&)>(closeButton) : closeBox);
            QTest::mouseClick(Row(d, list, slot), Qt::LeftButton);
        }
    }
    EXPECT_EQ(opened, (std::vector<QString>{"frmOrvelButton", "frmOrvelButton", "frmOrvelPilot", "frmOrvelPilot",
                                            "frmOrvelSlider", "frmOrvelSlider", "frmOrvelTextBox", "frmOrvelTextBox"}));
    EXPECT_FALSE(m.DataChanged);
    EXPECT_TRUE(d.Action("mnuMultiProfile")->isEnabled());
    // Free slots closed unused are no choice; used ones stay chosen.
    EXPECT_EQ(m.SelButton, -1);
    EXPECT_EQ(m.SelPilot, -1);
    EXPECT_EQ(m.SelSlider, -1);
    EXPECT_EQ(m.SelText, -1);

    d.Action("mnuFileSave")->trigger();
    EXPECT_EQ(ReadBytes(file), saved);
    EXPECT_TRUE(d.prompts.Log().size() == 1) << "no question on the way";
}

TEST(EditorOpening, ALinkedPilotMakesItsButtonATouchAreaAndRemovingItFreesTheButton)
{
    Designer d;
    d.Start();
    Designer::WhenDialogOpens([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "frmOrvelPilot");
        Click(dialog, "imgSIOn_1");
        In<QComboBox>(dialog, "cboLeft")->setCurrentIndex(120);
        In<QComboBox>(dialog, "cboTop")->setCurrentIndex(40);
        In<QCheckBox>(dialog, "chkLinked")->setChecked(true);
        Click(dialog, "cmdClose");
    });
    QTest::mouseClick(Row(d, "lblPSettings", 2), Qt::LeftButton);
    EXPECT_EQ(Row(d, "lblPSettings", 2)->text(), "Enabled Pilot:1 Dev:01");
    EXPECT_EQ(Row(d, "lblBSettings", 2)->text(), "Mom In:1 Dev:01");
    QWidget* target = View(d, "imgPB", 2);
    EXPECT_TRUE(target->isVisible());
    EXPECT_EQ(target->geometry(), QRect(120, 40, 67, 32));
    EXPECT_EQ(d.project.SelPilot, 2);

    // The Button dialog of the touch area opens narrow and refuses to free it.
    Designer::WhenDialogOpens([&](QDialog& dialog) {
        EXPECT_FALSE(In(dialog, "frmButtons")->isVisible());
        EXPECT_TRUE(In(dialog, "lblLinked")->isVisible());
        d.prompts.Answer(MsgAnswer::Ok);
        In<QComboBox>(dialog, "cboType")->setCurrentIndex(0);
    });
    QTest::mouseClick(Row(d, "lblBSettings", 2), Qt::LeftButton);
    EXPECT_EQ(d.prompts.Log().back().title, "Linked Button");
    EXPECT_EQ(d.project.GetBtnType(2), 1);

    Designer::WhenDialogOpens([](QDialog& dialog) {
        Click(dialog, "cmdUnused");
        Click(dialog, "cmdClose");
    });
    QTest::mouseClick(Row(d, "lblPSettings", 2), Qt::LeftButton);
    EXPECT_EQ(d.project.SelPilot, -1);
    EXPECT_EQ(Row(d, "lblPSettings", 2)->text(), "Disabled");
    EXPECT_EQ(Row(d, "lblBSettings", 2)->text(), "Disabled");
    EXPECT_FALSE(target->isVisible());
    EXPECT_EQ(d.project.GetBtnLinked(2), 0);
}

TEST(EditorOpening, ATextRowOpensTheTextDialogAndTheClockShowsWhileItIsOpen)
{
    Designer d;
    frmOrvel& w = d.Start();
    modOrvel& m = d.project;
    m.SetTxtType(3, 1);
    m.SetTxtText(3, "Kitchen");
    d.window->ShowScreen();
    d.Action("mnuSnapToGrid")->trigger();

    bool ran = false;
    Designer::WhenDialogOpens([&](QDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.objectName(), "frmOrvelTextBox");
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.pos(), QPoint(w.x() + d.Find<QGroupBox>("frmButtons")->x(), w.y() + 60));
        EXPECT_EQ(m.CurObj, 3);
        EXPECT_EQ(m.SelText, 3);
        EXPECT_EQ(In<QLineEdit>(dialog, "txtText")->text(), "Kitchen");
        In<QComboBox>(dialog, "cboFontSize")->setCurrentIndex(2);
        In<QComboBox>(dialog, "cboType")->setCurrentIndex(11);
        // The layout shows the clock sample of the large font while the dialog is open.
        QWidget* clock = View(d, "imgClkCal", 3);
        EXPECT_TRUE(clock->isVisible());
        EXPECT_FALSE(View(d, "lblTextBox", 3)->isVisible());
        EXPECT_EQ(clock->size(), QSize(72, 23));
        EXPECT_EQ(Row(d, "lblTSettings", 3)->text(), "24H Clock");
        Click(dialog, "cmdClose");
    });
    QTest::mouseClick(Row(d, "lblTSettings", 3), Qt::LeftButton);
    ASSERT_TRUE(ran);
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_TRUE(m.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_EQ(m.SelText, 3);

    // The chosen object is the template of the next one.
    d.Action("mnuNewText")->trigger();
    EXPECT_EQ(m.GetTxtType(0), 11);
    EXPECT_EQ(m.GetTxtText(0), "00:59");
    EXPECT_EQ(m.GetTxtWidth(0), 64);
}

TEST(EditorOpening, OnALaptopScreenEveryDialogOfASevenInchLandscapeDesignStandsInsideIt)
{
    Designer d(TwipsSize{1366 * 15, 768 * 15});
    frmOrvel& w = d.Start();
    d.List("cboScnRes")->setCurrentIndex(2);
    const QRect screen(0, 0, 1366, 768);
    ASSERT_TRUE(screen.contains(w.frameGeometry()));
    // Beside the layout, 900 twips below the window's top; the background dialog right by the
    // window's left edge and 900 twips down from where it stands when made.
    const QPoint besideLayout(w.x() + d.Find<QGroupBox>("frmButtons")->x(), w.y() + 60);
    const QPoint background(w.x(), 60);

    std::vector<std::string> moved;
    const auto check = [&](QPoint wanted) {
        Designer::WhenDialogOpens([&, wanted](QDialog& dialog) {
            // Placed before it is shown, with the frame a window manager usually adds.
            const QRect frame(dialog.pos(), dialog.size() + QSize(kFrameWidth, kFrameHeight));
            EXPECT_TRUE(screen.contains(frame)) << dialog.objectName().toStdString();
            // Only as far left as the screen's right edge needs.
            if (dialog.pos() != wanted) {
                moved.push_back(dialog.objectName().toStdString());
                EXPECT_EQ(dialog.pos(), QPoint(screen.right() + 1 - frame.width(), wanted.y()));
            }
        });
    };
    for (const char* list : {"lblBSettings", "lblPSettings", "lblSSettings", "lblTSettings"}) {
        check(besideLayout);
        QTest::mouseClick(Row(d, list, 0), Qt::LeftButton);
    }
    check(background);
    QTest::mouseClick(d.Find("cmdBGSel"), Qt::LeftButton);
    EXPECT_EQ(moved, (std::vector<std::string>{"frmOrvelButton", "frmOrvelSlider"}));
}
