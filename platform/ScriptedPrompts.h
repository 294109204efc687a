#pragma once
// Prompts for tests: records every box and dialog and gives the answers scripted beforehand.
// Anything asked without a matching answer is reported through OnUnscripted (by default on
// stderr, then abort), and answered as safely as possible: OK, No, or cancelled.
#include "platform/Prompts.h"

#include <deque>
#include <functional>
#include <vector>

namespace kx4 {

class ScriptedPrompts final : public Prompts {
public:
    struct Asked {
        bool isDialog = false;
        // A message box:
        MsgIcon icon = MsgIcon::None;
        std::string title;
        std::string text;
        MsgButtons buttons = MsgButtons::Ok;
        // A file dialog:
        FileDialogRequest dialog;
    };

    // The answer to the next message box: Ok for a box with OK, Yes or No for a question.
    void Answer(MsgAnswer answer) { answers_.push_back(Step{false, answer, {}}); }
    // The answer to the next file dialog: a path, or nothing for cancel.
    void ChooseFile(std::filesystem::path path) { answers_.push_back(Step{true, MsgAnswer::Ok, std::move(path)}); }
    void CancelFile() { answers_.push_back(Step{true, MsgAnswer::Ok, std::nullopt}); }

    const std::vector<Asked>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    std::size_t Pending() const { return answers_.size(); }

    // Called with a description of each question that had no fitting answer.
    std::function<void(const std::string&)> OnUnscripted;

    MsgAnswer Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons) override;
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest& request) override;

private:
    struct Step {
        bool forDialog = false;
        MsgAnswer answer = MsgAnswer::Ok;
        std::optional<std::filesystem::path> file;
    };
    void Unscripted(const std::string& what);

    std::deque<Step> answers_;
    std::vector<Asked> log_;
};

} // namespace kx4
