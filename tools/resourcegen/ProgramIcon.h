#pragma once

#include <QImage>

namespace quirel::resourcegen {

// The program's icon, a page with a blue Q and a quill, on a transparent size × size ARGB32
// picture. It is drawn from the same shapes at every size, not scaled from one picture.
QImage DrawProgramIcon(int size);

} // namespace quirel::resourcegen
