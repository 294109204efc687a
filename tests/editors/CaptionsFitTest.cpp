// Every caption, list entry and label of the dialogs fits its control in the font it is drawn in.
#include "EditorFixture.h"

#include "editors/frmOrvelBGSel.h"
#include "editors/frmOrvelButton.h"
#include "editors/frmOrvelPilot.h"
#include "editors/frmOrvelSlider.h"
#include "editors/frmOrvelTextBox.h"
#include "platform/Paths.h"

#include "TextFit.h"

#include <QLabel>

using namespace kx4;
using namespace kx4::test;

namespace {

class CaptionsFit : public EditorTest {
protected:
    template <class D>
    std::vector<std::string> Of(int slot)
    {
        // The widest device addresses: every offset up to 63.
        m.SetBVRange(63);
        return ClippedTexts(*Open<D>(slot));
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
    const std::string path = "/" + std::string(300, 'x') + "/Sunset.bmp";
    m.ScreenBG[static_cast<std::size_t>(m.CurScreen)] = path;
    frmOrvelBGSel background(m, host, prompts, paths);
    background.show();
    QApplication::processEvents();
    EXPECT_EQ(ClippedTexts(background), std::vector<std::string>{});
    // A path too long for the label shows its start and its file name; the whole of it is the tooltip.
    const auto* label = background.findChild<QLabel*>("lblBMP");
    const QString shown = label->text();
    EXPECT_TRUE(shown.startsWith("/xxx")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/Sunset.bmp")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(label->toolTip().toStdString(), path);
}
