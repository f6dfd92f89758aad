#pragma once

#include <cstddef>
#include <vector>

namespace quirel {

// Where the layout put the tokens of one page (see MeasurePage): enough to find the place of the
// insertion point on the page and the byte boundary nearest to a point of it.
struct PagePlaces {
    struct Place {
        int token = 0;
        std::size_t start = 0; // its first byte in the text
        std::size_t length = 0; // its bytes in the text
        int line = 0; // the line of the page it stands on, from 0
        int x = 0; // its cell: left, top and the line height of its font
        int y = 0;
        int height = 0;
        int edge = 0; // edges[edge .. edge + edgeCount - 1]: x before each byte drawn, and after the last
        int edgeCount = 1;
        bool lineEnd = false; // a line end: the insertion point stands before it, never after it on its line
    };
    int page = 0;
    std::vector<Place> places;
    std::vector<int> edges;

    int LineCount() const { return places.empty() ? 0 : places.back().line + 1; }
};

// The insertion point drawn on a page: the top of its cell, and the height of its font's line.
struct CaretPlace {
    bool found = false; // pos is on the page
    int x = 0;
    int y = 0;
    int height = 0;
    int line = 0;
};

// Where the insertion point at byte pos stands on the page: at the start of the token that holds
// pos when pos is its first byte, else between that token's bytes; after the last token of the page
// when pos ends it.
CaretPlace CaretAt(const PagePlaces& page, std::size_t pos);

// The line of the page at y (page pixels): the last line whose top is at or above y, the first line
// above them all. -1 for a page without places.
int LineAt(const PagePlaces& page, int y);

// The byte boundary on line (0 to LineCount - 1) nearest to x: left of the text its start, right of
// it its end (a line that goes on on the next line ends before its last byte, so that the point
// stays on it). Text size when the page has no such line.
std::size_t BoundaryOnLine(const PagePlaces& page, int line, int x, std::size_t textSize);

} // namespace quirel
