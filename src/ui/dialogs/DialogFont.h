#pragma once

#include <QFont>
#include <QString>

namespace quirel {

// A font of the dialogs and their controls: a face (found through the font substitutes when it is
// not installed) at a size in points.
inline QFont DialogFont(const QString& face, int points, bool bold = false)
{
    QFont font(face);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace quirel
