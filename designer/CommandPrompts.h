#pragma once
// The message boxes of one command of the main window. A command may draw a screen more than once
// (Save As redraws twice, Create SD Card draws each screen for the card, for its preview and on the
// layout); a problem it meets again is reported once.
#include "platform/Prompts.h"

#include <set>
#include <string>
#include <tuple>

namespace kx4 {

class CommandPrompts final : public Prompts {
public:
    explicit CommandPrompts(Prompts& shown) : shown_(shown) {}

    // While it lives, a notice (OK only) already shown is not shown again; nested commands share
    // the outermost one's record.
    class Command {
    public:
        explicit Command(CommandPrompts& prompts) : prompts_(prompts) { ++prompts_.depth_; }
        ~Command()
        {
            if (--prompts_.depth_ == 0)
                prompts_.notices_.clear();
        }
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        CommandPrompts& prompts_;
    };

    MsgAnswer Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons) override;
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest& request) override
    {
        return shown_.FileDialog(request);
    }

private:
    Prompts& shown_;
    int depth_ = 0;
    std::set<std::tuple<MsgIcon, std::string, std::string>> notices_;
};

} // namespace kx4
