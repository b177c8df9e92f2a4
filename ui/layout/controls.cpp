// controls.cpp: lookups on a window's description.
#include "controls.h"

#include <cassert>
#include <cmath>

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

engine::ColourValue focusMarkColour(engine::ColourValue face)
{
    // Judged by relative luminance, as WCAG measures contrast: a plain grey level picks white
    // on Light Green, where the mark all but vanishes (1.4:1).
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(engine::redOf(face)) +
                             0.7152 * linear(engine::greenOf(face)) +
                             0.0722 * linear(engine::blueOf(face));
    // White's contrast is 1.05 / (L + 0.05), black's (L + 0.05) / 0.05.
    return (luminance + 0.05) * (luminance + 0.05) < 1.05 * 0.05 ? engine::kWhite : engine::kBlack;
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
