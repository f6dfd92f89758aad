#pragma once

namespace quirel {

// The ruler above the page: a TAB button and two rows of cells, the upper row for the tab width
// and the lower row for the margin. Cell t (1 to 79) spans x from 10·t + 17 to 10·t + 22.
namespace ruler {
inline constexpr int kWidth = 820;
inline constexpr int kHeight = 26;
inline constexpr int kCells = 79;
inline constexpr int kMaxMarginCell = 22; // margin 220
inline constexpr int kMaxTabCell = 40;

enum class Row { None, Tab, Margin };

// Left and right edge of cell t.
constexpr int CellLeft(int t)
{
    return 10 * t + 17;
}
constexpr int CellRight(int t)
{
    return 10 * t + 22;
}

// The cell whose span holds x, or 0 when none does.
constexpr int CellAt(int x)
{
    for (int t = 1; t <= kCells; ++t)
        if (x >= CellLeft(t) && x <= CellRight(t)) return t;
    return 0;
}

// The row a y falls in: tab row 5 to 10, margin row 15 to 20.
constexpr Row RowAt(int y)
{
    if (y >= 5 && y <= 10) return Row::Tab;
    if (y >= 15 && y <= 20) return Row::Margin;
    return Row::None;
}

// True when (x, y) is on the TAB button (4, 5)–(25, 20).
constexpr bool OnTabButton(int x, int y)
{
    return x >= 4 && x <= 25 && y >= 5 && y <= 20;
}

// Cells shown grey as margins: t ≤ margin / 10 or t ≥ (794 − margin) / 10, exact divisions.
constexpr bool IsMarginCell(int t, int margin)
{
    return t * 10 <= margin || t * 10 >= 794 - margin;
}
} // namespace ruler

} // namespace quirel
