#pragma once

#include <QString>
#include <QStringList>

namespace quirel {

// Maps the Windows face names that documents and settings use (Consolas, Candara, Tahoma, …) to
// the closest free faces installed, with DejaVu as the last fallback, so that a face keeps its
// kind (monospaced, sans, serif) and roughly its width. Call once after the application object
// exists and before the first font is made. Faces that are really installed are left alone.
void InstallFontSubstitutes();

// The installed faces that stand in for face, best first (empty when face needs none).
QStringList FontSubstitutesFor(const QString& face);

} // namespace quirel
