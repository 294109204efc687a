#include "platform/ScriptedPrompts.h"

#include <cstdio>
#include <cstdlib>

namespace kx4 {

void ScriptedPrompts::Unscripted(const std::string& what)
{
    if (OnUnscripted) {
        OnUnscripted(what);
        return;
    }
    std::fprintf(stderr, "ScriptedPrompts: unscripted %s\n", what.c_str());
    std::abort();
}

MsgAnswer ScriptedPrompts::Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons)
{
    log_.push_back(Asked{false, icon, std::string(title), std::string(text), buttons, {}});
    const MsgAnswer safe = buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    const std::string what = "message box \"" + std::string(title) + "\": \"" + std::string(text) + "\"";
    if (answers_.empty() || answers_.front().forDialog) {
        Unscripted(what);
        return safe;
    }
    const MsgAnswer answer = answers_.front().answer;
    answers_.pop_front();
    const bool fits = buttons == MsgButtons::YesNo ? answer != MsgAnswer::Ok : answer == MsgAnswer::Ok;
    if (!fits) {
        Unscripted(what + " answered with a button it does not have");
        return safe;
    }
    return answer;
}

std::optional<std::filesystem::path> ScriptedPrompts::FileDialog(const FileDialogRequest& request)
{
    Asked asked;
    asked.isDialog = true;
    asked.title = request.title;
    asked.dialog = request;
    log_.push_back(asked);
    if (answers_.empty() || !answers_.front().forDialog) {
        Unscripted("file dialog \"" + request.title + "\" (" + request.filter + ")");
        return std::nullopt;
    }
    auto file = std::move(answers_.front().file);
    answers_.pop_front();
    if (file && request.kind == FileDialogRequest::Kind::Save)
        *file = WithDefaultExtension(*file, request.defaultExtension);
    return file;
}

} // namespace kx4
