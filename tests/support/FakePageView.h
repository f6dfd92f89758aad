#pragma once

#include "layout/PageView.h"

#include <functional>
#include <string>

namespace quirel {

// A page view that keeps what the editor showed: how often the page was shown, the last caption,
// how often the controls were brought up to date and whether the program was closed. Each call
// also runs its hook, when one is set.
class FakePageView : public PageView {
public:
    void ShowPage() override
    {
        ++shown;
        if (onShow) onShow();
    }
    void SetCaption(const std::string& text) override
    {
        caption = text;
        if (onCaption) onCaption(text);
    }
    void ControlsChanged() override { ++controlsChanged; }
    PixelView PagePicture(const PageSlot& slot) override { return picture ? picture(slot) : PixelView {}; }
    void Close() override { ++closed; }

    int shown = 0;
    std::string caption;
    int controlsChanged = 0;
    int closed = 0;
    std::function<void()> onShow;
    std::function<void(const std::string&)> onCaption;
    std::function<PixelView(const PageSlot&)> picture;
};

} // namespace quirel
