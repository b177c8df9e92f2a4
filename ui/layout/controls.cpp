// controls.cpp: lookups on a window's description.
#include "controls.h"

#include <cassert>

namespace tintwise::layout {

const Control& WindowLayout::control(std::string_view controlName) const
{
    for (const Control& c : controls) {
        if (c.name == controlName) {
            return c;
        }
    }
    assert(false && "no such control");
    return controls.front();
}

std::string captionText(std::string_view caption)
{
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            text += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            text += '&';
            ++i;
        }
    }
    return text;
}

} // namespace tintwise::layout
