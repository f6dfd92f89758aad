#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace quirel {

// Which installed family draws a face name. Documents and settings name Windows faces (Consolas,
// Candara, Tahoma, …): a name installed here is drawn as itself; one of those is drawn with the
// closest free face installed, so that it keeps its kind (monospaced, sans, serif) and roughly its
// width; any other name with the face the system gives a name it knows nothing of. Names compare
// without regard to case, as the system's font matching does. The page, the font list, the menus
// and the dialogs all ask this one object; the installed families are read once.
class FaceResolver {
public:
    // The program's resolver.
    static FaceResolver& Shared();

    // The family that draws face: face itself (as installed) when installed, else its first
    // installed stand-in, else the system's fallback family (face itself when that cannot be
    // told: Qt then matches the name on its own).
    QString Family(const QString& face);
    // A font that asks for face by its name and is drawn, where face is not installed, with its
    // stand-in (the widgets' fonts: menus, dialogs, the font list).
    QFont Font(const QString& face);
    // The installed faces that stand in for face, best first (empty when face is installed or
    // has none).
    QStringList StandIns(const QString& face);

private:
    FaceResolver() = default;
    void ReadInstalled();
    const QString& FallbackFamily();

    QHash<QString, QString> m_installed; // case-folded name → the family's own name
    std::optional<QString> m_fallbackFamily;
};

} // namespace quirel
