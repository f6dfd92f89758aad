#pragma once

#include "platform/FaceResolver.h"

#include <QFont>
#include <QString>

namespace quirel {

// A font of the dialogs and their controls: a face (or the installed face that stands in for it)
// at a size in points.
inline QFont DialogFont(const QString& face, int points, bool bold = false)
{
    QFont font = FaceResolver::Shared().Font(face);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace quirel
