#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QSet>

namespace quirel {

namespace {

struct Substitute {
    const char* face;
    // Stand-ins best first; the DejaVu face of the same kind closes every list.
    std::initializer_list<const char*> standIns;
};

// Carlito and Caladea share the widths of the faces they were drawn after (Calibri, Cambria);
// the Liberation faces those of Arial, Times New Roman and Courier New.
const Substitute kSubstitutes[] = {
    { "Consolas", { "Liberation Mono", "DejaVu Sans Mono" } },
    { "Courier New", { "Liberation Mono", "DejaVu Sans Mono" } },
    { "Courier", { "Liberation Mono", "DejaVu Sans Mono" } },
    { "Lucida Console", { "Liberation Mono", "DejaVu Sans Mono" } },
    { "Fixedsys", { "Liberation Mono", "DejaVu Sans Mono" } },
    { "Terminal", { "Liberation Mono", "DejaVu Sans Mono" } },
    { "Candara", { "Carlito", "DejaVu Sans" } },
    { "Calibri", { "Carlito", "DejaVu Sans" } },
    { "Corbel", { "Carlito", "DejaVu Sans" } },
    { "Segoe UI", { "Carlito", "DejaVu Sans" } },
    { "Segoe Print", { "Carlito", "DejaVu Sans" } },
    { "Comic Sans MS", { "Carlito", "DejaVu Sans" } },
    { "Trebuchet MS", { "Carlito", "DejaVu Sans" } },
    { "Georgia", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Cambria", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Constantia", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Palatino Linotype", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Palatino", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Book Antiqua", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Garamond", { "Caladea", "Liberation Serif", "DejaVu Serif" } },
    { "Times New Roman", { "Liberation Serif", "DejaVu Serif" } },
    { "Times", { "Liberation Serif", "DejaVu Serif" } },
    { "MS Serif", { "Liberation Serif", "DejaVu Serif" } },
    { "MS Sans Serif", { "Liberation Sans", "DejaVu Sans" } },
    { "Microsoft Sans Serif", { "Liberation Sans", "DejaVu Sans" } },
    { "Arial", { "Liberation Sans", "DejaVu Sans" } },
    { "Helvetica", { "Liberation Sans", "DejaVu Sans" } },
    { "Arial Narrow", { "Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans" } },
    { "Tahoma", { "DejaVu Sans", "Liberation Sans" } },
    { "Verdana", { "DejaVu Sans", "Liberation Sans" } },
    { "Lucida Sans Unicode", { "DejaVu Sans", "Liberation Sans" } },
    { "System", { "Liberation Sans", "DejaVu Sans" } },
    // The generic names, which no face is called.
    { "serif", { "DejaVu Serif", "Liberation Serif" } },
    { "sans-serif", { "DejaVu Sans", "Liberation Sans" } },
    { "sans serif", { "DejaVu Sans", "Liberation Sans" } },
    { "monospace", { "DejaVu Sans Mono", "Liberation Mono" } },
};

QSet<QString> InstalledFamilies()
{
    const QStringList families = QFontDatabase::families();
    return QSet<QString>(families.begin(), families.end());
}

QStringList StandInsFor(const QString& face, const QSet<QString>& installed)
{
    QStringList result;
    if (installed.contains(face)) return result;
    for (const Substitute& substitute : kSubstitutes) {
        if (face.compare(QLatin1String(substitute.face), Qt::CaseInsensitive) != 0) continue;
        for (const char* standIn : substitute.standIns) {
            if (installed.contains(QLatin1String(standIn))) result << QLatin1String(standIn);
        }
    }
    return result;
}

} // namespace

QStringList FontSubstitutesFor(const QString& face)
{
    return StandInsFor(face, InstalledFamilies());
}

void InstallFontSubstitutes()
{
    const QSet<QString> installed = InstalledFamilies();
    for (const Substitute& substitute : kSubstitutes) {
        const QString face = QLatin1String(substitute.face);
        const QStringList standIns = StandInsFor(face, installed);
        if (!standIns.isEmpty()) QFont::insertSubstitutions(face, standIns);
    }
}

} // namespace quirel
