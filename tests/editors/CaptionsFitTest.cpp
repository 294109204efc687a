// Every caption, list entry and label of the dialogs fits its control in the designer's font.
#include "EditorFixture.h"

#include "editors/frmOrvelBGSel.h"
#include "editors/frmOrvelButton.h"
#include "editors/frmOrvelPilot.h"
#include "editors/frmOrvelSlider.h"
#include "editors/frmOrvelTextBox.h"
#include "platform/Paths.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyleOption>

using namespace kx4;
using namespace kx4::test;

namespace {

bool Fits(const QWidget* w, const QString& text, QRect room)
{
    const QFontMetrics fm = w->fontMetrics();
    return fm.horizontalAdvance(text) <= room.width() && fm.height() <= room.height();
}

// "name: text" of every text that does not fit.
std::vector<std::string> Clipped(QWidget* dialog)
{
    std::vector<std::string> out;
    const auto report = [&](const QWidget* w, const QString& text) {
        out.push_back(w->objectName().toStdString() + ": " + text.toStdString());
    };
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        if (!label->text().isEmpty() && !Fits(label, label->text(), room))
            report(label, label->text());
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        opt.rect = button->rect();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        if (!Fits(button, button->text(), button->style()->subElementRect(contents, &opt, button)))
            report(button, button->text());
    }
    for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
        QStyleOptionComboBox opt;
        opt.initFrom(list);
        opt.rect = list->rect();
        const QRect room = list->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i)
            if (!Fits(list, list->itemText(i), room))
                report(list, list->itemText(i));
    }
    for (QGroupBox* frame : dialog->findChildren<QGroupBox*>())
        if (frame->fontMetrics().horizontalAdvance(frame->title()) > frame->width() - 20)
            report(frame, frame->title());
    return out;
}

class CaptionsFit : public EditorTest {
protected:
    template <class D>
    std::vector<std::string> Of(int slot)
    {
        m.SetBVRange(63);
        return Clipped(Open<D>(slot).get());
    }
};

} // namespace

TEST_F(CaptionsFit, InEveryDialog)
{
    EXPECT_EQ(Of<frmOrvelTextBox>(0), std::vector<std::string>{});
    EXPECT_EQ(Of<frmOrvelButton>(0), std::vector<std::string>{});
    EXPECT_EQ(Of<frmOrvelPilot>(0), std::vector<std::string>{});
    EXPECT_EQ(Of<frmOrvelSlider>(0), std::vector<std::string>{});

    const Paths paths(root.path());
    m.ScreenBG[static_cast<std::size_t>(m.CurScreen)] = "/" + std::string(300, 'x') + "/Sunset.bmp";
    frmOrvelBGSel background(m, host, prompts, paths);
    background.show();
    QApplication::processEvents();
    EXPECT_EQ(Clipped(&background), std::vector<std::string>{});
    // A path too long for the label shows its start and its file name.
    const QString shown = background.findChild<QLabel*>("lblBMP")->text();
    EXPECT_TRUE(shown.startsWith("/xxx")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/Sunset.bmp")) << shown.toStdString();
}
