#include "layout/PagePlaces.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace quirel {

CaretPlace CaretAt(const PagePlaces& page, std::size_t pos)
{
    const auto& places = page.places;
    // The first place that ends after pos; a place of no bytes counts as ending after its start.
    const auto found = std::find_if(places.begin(), places.end(),
        [pos](const PagePlaces::Place& place) { return pos < place.start + std::max<std::size_t>(place.length, 1); });
    if (found == places.end()) {
        if (places.empty() || pos != places.back().start + places.back().length) return {};
        const auto& last = places.back();
        return { true, page.edges[static_cast<std::size_t>(last.edge + last.edgeCount - 1)], last.y, last.height,
            last.line };
    }
    const std::size_t inside = pos > found->start ? pos - found->start : 0;
    const auto edge = std::min<std::size_t>(inside, static_cast<std::size_t>(found->edgeCount - 1));
    return { true, page.edges[static_cast<std::size_t>(found->edge) + edge], found->y, found->height, found->line };
}

int LineAt(const PagePlaces& page, int y)
{
    // Lines come in order from the top; a line's top is the highest cell on it.
    int result = -1;
    int line = -1;
    int top = 0;
    const auto close = [&] {
        if (line >= 0 && (result < 0 || top <= y)) result = line;
    };
    for (const auto& place : page.places) {
        if (place.line != line) {
            close();
            line = place.line;
            top = place.y;
        }
        top = std::min(top, place.y);
    }
    close();
    return result;
}

std::size_t BoundaryOnLine(const PagePlaces& page, int line, int x, std::size_t textSize)
{
    std::size_t best = textSize;
    int bestDistance = std::numeric_limits<int>::max();
    const bool goesOn = line + 1 < page.LineCount();
    const PagePlaces::Place* last = nullptr;
    for (const auto& place : page.places)
        if (place.line == line) last = &place;
    for (const auto& place : page.places) {
        if (place.line != line) continue;
        const int edges = place.lineEnd ? 1 : place.edgeCount;
        for (int i = 0; i < edges; ++i) {
            // A line the text wraps from ends before its last byte: its end is the next line's start.
            if (goesOn && &place == last && !place.lineEnd && i == edges - 1 && i > 0) continue;
            const int distance = std::abs(page.edges[static_cast<std::size_t>(place.edge + i)] - x);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = place.start + static_cast<std::size_t>(i);
            }
        }
    }
    return best;
}

} // namespace quirel
