#pragma once
// A temporary "C:\" with the program's folders, designs made in code, and picture checks.
#include "designer/render/Renderer.h"

#include "TempDir.h"
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "platform/ScriptedPrompts.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kx4::test {

struct RenderRoot {
    TempDir dir;
    Paths paths{dir.path()};
    RenderRoot()
    {
        std::filesystem::create_directories(paths.BMPImagesDir());
        std::filesystem::create_directories(paths.PreviewDir());
    }
};

// Records the message boxes shown; one that no test announced with Expect fails the test.
struct MessageLog {
    ScriptedPrompts prompts;
    MessageLog()
    {
        prompts.OnUnscripted = [](const std::string& what) { ADD_FAILURE() << "unexpected " << what; };
    }
    // The next `count` boxes are expected; each is answered with OK.
    void Expect(int count)
    {
        for (int i = 0; i < count; ++i)
            prompts.Answer(MsgAnswer::Ok);
    }
    const std::vector<ScriptedPrompts::Asked>& Shown() const { return prompts.Log(); }
};

// A picture Button as the Button dialog leaves it: size class and text colour of its face.
inline void PutButton(modOrvel& m, int slot, int image, int left, int top, const std::string& caption)
{
    m.SetBtnType(slot, 1);
    m.SetBtnImage(slot, image);
    m.SetBtnLeft(slot, left);
    m.SetBtnTop(slot, top);
    m.SetBtnSize(slot, (image - 1) / 2);
    m.SetBtnTextColor(slot, (image - 1) % 2);
    m.SetBtnText(slot, caption);
}

inline void PutText(modOrvel& m, int slot, int type, int left, int top, int fontSize, int color,
                    const std::string& text = "")
{
    m.SetTxtType(slot, type);
    m.SetTxtLeft(slot, left);
    m.SetTxtTop(slot, top);
    m.SetTxtFontSize(slot, fontSize);
    m.SetTxtColor(slot, color);
    m.SetTxtText(slot, text);
}

inline int CountColor(const QImage& picture, QRgb c)
{
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        n += static_cast<int>(std::count(row, row + img.width(), c | 0xFF000000u));
    }
    return n;
}

inline bool AllColor(const QImage& img, QRgb c) { return CountColor(img, c) == img.width() * img.height(); }

} // namespace kx4::test
