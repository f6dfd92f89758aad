#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace quirel::resourcegen {

inline constexpr int kMenuPictureSize = 16;

// One picture beside a menu item: its resource number and the item it stands for.
struct MenuPicture {
    int number;
    const char* item;
    QImage (*draw)(QString* error);
};

// The pictures of the menu items, in the order of the menus; each draws a transparent
// ARGB32 picture of kMenuPictureSize × kMenuPictureSize (null and *error on failure).
const std::vector<MenuPicture>& MenuPictures();

} // namespace quirel::resourcegen
