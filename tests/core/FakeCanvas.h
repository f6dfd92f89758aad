#pragma once

#include "document/PageTable.h"
#include "layout/Canvas.h"

#include <string>
#include <vector>

// A canvas with fixed metrics that records what is drawn: every character advances as many pixels
// as the font has points (so drawn widths equal the layout's estimates), and every line is
// (size + 5) pixels high, whatever the face.
class FakeCanvas : public quirel::Canvas {
public:
    struct Op {
        int x, y;
        std::string text; // "#emoticon N" for pictures
        std::string face;
        int size;
        int style;
        std::uint32_t color, background;
    };
    struct Page : quirel::PagePicture {
        std::vector<Op> ops;
        bool framed = false;
    };

    void Clear() override { ops.clear(), framed = false; }
    void DrawFrame() override { framed = true; }
    void SelectFont(std::string_view f, int s, int st, quirel::CharSet) override { face = f, size = s, style = st; }
    int LineHeight() override { return size + 5; }
    void SetColors(std::uint32_t t, std::uint32_t b) override { color = t, background = b; }
    int DrawText(int x, int y, std::string_view text) override
    {
        ops.push_back({ x, y, std::string(text), face, size, style, color, background });
        return static_cast<int>(text.size()) * size;
    }
    int TextAdvance(std::string_view text) const override { return static_cast<int>(text.size()) * size; }
    void DrawEmoticon(int number, int x, int y) override
    {
        ops.push_back({ x, y, "#emoticon " + std::to_string(number), face, size, style, color, background });
    }
    void StorePage(quirel::PageSlot& slot) override
    {
        auto page = std::make_unique<Page>();
        page->ops = ops;
        page->framed = framed;
        slot.picture = std::move(page);
    }

    static const Page& PageOf(const quirel::PageSlot& slot) { return static_cast<const Page&>(*slot.picture); }

    std::vector<Op> ops;
    bool framed = false;
    std::string face;
    int size = 0;
    int style = 0;
    std::uint32_t color = 0, background = 0;
};
