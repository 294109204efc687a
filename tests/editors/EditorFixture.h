#pragma once
// An element dialog over a project of its own, a host that records what the dialog asks of the
// main window, scripted questions, and the project's bytes as File > Save writes them.
#include "data/modOrvel.h"
#include "editors/ElementDialog.h"
#include "platform/ScriptedPrompts.h"

#include "FindChild.h"
#include "TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kx4::test {

class RecordingHost final : public ElementHost {
public:
    explicit RecordingHost(modOrvel& m) : m_(m) {}
    void UDButton(int i) override { redraws.push_back("B" + std::to_string(i)); }
    void UDPilot(int i) override { redraws.push_back("P" + std::to_string(i)); }
    void UDSlider(int i) override { redraws.push_back("S" + std::to_string(i)); }
    void UDTitle(int i) override { redraws.push_back("T" + std::to_string(i)); }
    void MarkModified() override
    {
        ++marks;
        m_.DataChanged = true;
    }

    std::vector<std::string> redraws;
    int marks = 0;

private:
    modOrvel& m_;
};

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : host(m)
    {
        m.ResetAll();
        m.DataFile = (root / "Project.KQC").string();
        prompts.OnUnscripted = [](const std::string& what) { ADD_FAILURE() << "unscripted " << what; };
    }

    // Opens the dialog of kind D for slot `slot` of screen `screen`, as the designer does.
    template <class D>
    std::unique_ptr<D> Open(int slot, int screen = 3)
    {
        m.SetScreen(screen);
        m.CurObj = static_cast<i16>(slot);
        auto dialog = std::make_unique<D>(m, host, prompts);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }

    template <class T>
    static T* Find(QWidget* dialog, const QString& name)
    {
        return test::Child<T>(*dialog, name);
    }
    static QComboBox* List(QWidget* dialog, const QString& name) { return Find<QComboBox>(dialog, name); }
    static void Press(QWidget* dialog, const QString& name) { Find<QPushButton>(dialog, name)->click(); }

    // The panel data file as saved now.
    std::vector<std::uint8_t> Saved()
    {
        const i16 screen = m.CurScreen;
        const bool changed = m.DataChanged;
        EXPECT_TRUE(m.SaveData());
        m.DataChanged = changed;
        m.SetScreen(screen);
        return ReadBytes(m.DataFile);
    }
    // Entry `entry` of screen `screen` of the configuration image, or of the design data, in saved bytes.
    static int Cfg(const std::vector<std::uint8_t>& bytes, int screen, int entry)
    {
        const std::size_t at = 2 * static_cast<std::size_t>(screen * kScreenCfgEntries + entry);
        return static_cast<i16>(bytes.at(at) | bytes.at(at + 1) << 8);
    }
    static int Dsn(const std::vector<std::uint8_t>& bytes, int screen, int entry)
    {
        const std::size_t at = 2 * static_cast<std::size_t>(kPanelCfgSize + screen * kScreenDsnEntries + entry);
        return static_cast<i16>(bytes.at(at) | bytes.at(at + 1) << 8);
    }

    TempDir root;
    modOrvel m;
    RecordingHost host;
    ScriptedPrompts prompts;
};

// First entries of a slot's records within its screen.
constexpr int PilotRecAt(int slot) { return 8 * slot; }
constexpr int ButtonRecAt(int slot) { return 256 + 16 * slot; }
constexpr int SliderRecAt(int slot) { return 768 + 10 * slot; }
constexpr int ButtonDsnAt(int slot) { return 35 * slot; }
constexpr int SliderDsnAt(int slot) { return 1120 + 4 * slot; }

} // namespace kx4::test
