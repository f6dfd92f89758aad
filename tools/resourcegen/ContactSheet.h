#pragma once

#include <QImage>
#include <utility>
#include <vector>

namespace quirel::resourcegen {

// What the contact sheet shows: the emoticons in number order, the menu pictures with their
// numbers, and the icon at its two sizes.
struct SheetContents {
    std::vector<QImage> emoticons;
    std::vector<std::pair<int, QImage>> menuPictures;
    QImage smallIcon;
    QImage largeIcon;
};

// One picture for looking the set over: every emoticon three times enlarged, drawn the way the
// page painter draws it (magenta left out) on white and, for the named ones, also on a dark
// page colour where fringes would show; the menu pictures at three times and actual size on
// a menu-grey ground; the icon at both sizes.
QImage DrawContactSheet(const SheetContents& contents);

} // namespace quirel::resourcegen
