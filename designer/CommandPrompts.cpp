#include "designer/CommandPrompts.h"

namespace kx4 {

MsgAnswer CommandPrompts::Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons)
{
    if (buttons != MsgButtons::Ok || depth_ == 0)
        return shown_.Message(icon, title, text, buttons);
    if (!notices_.emplace(icon, std::string(title), std::string(text)).second)
        return MsgAnswer::Ok;
    return shown_.Message(icon, title, text, buttons);
}

} // namespace kx4
