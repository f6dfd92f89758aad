#include "platform/FaceResolver.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLatin1String>
#include <initializer_list>

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

} // namespace

FaceResolver& FaceResolver::Shared()
{
    static FaceResolver resolver;
    return resolver;
}

void FaceResolver::ReadInstalled()
{
    if (!m_installed.isEmpty()) return;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        m_installed.insert(family.toCaseFolded(), family);
}

QStringList FaceResolver::StandIns(const QString& face)
{
    ReadInstalled();
    QStringList result;
    if (m_installed.contains(face.toCaseFolded())) return result;
    for (const Substitute& substitute : kSubstitutes) {
        if (face.compare(QLatin1String(substitute.face), Qt::CaseInsensitive) != 0) continue;
        for (const char* standIn : substitute.standIns) {
            const auto installed = m_installed.constFind(QString::fromLatin1(standIn).toCaseFolded());
            if (installed != m_installed.constEnd()) result << *installed;
        }
    }
    return result;
}

QString FaceResolver::Family(const QString& face)
{
    ReadInstalled();
    if (const auto installed = m_installed.constFind(face.toCaseFolded()); installed != m_installed.constEnd())
        return *installed;
    const QStringList standIns = StandIns(face);
    if (!standIns.isEmpty()) return standIns.constFirst();
    const QString& fallback = FallbackFamily();
    return fallback.isEmpty() ? face : fallback;
}

QFont FaceResolver::Font(const QString& face)
{
    QFont font(face);
    const QStringList standIns = StandIns(face);
    if (!standIns.isEmpty()) font.setFamilies(QStringList { face } + standIns);
    return font;
}

const QString& FaceResolver::FallbackFamily()
{
    // A name neither installed nor given a stand-in (a damaged file, one from another system) is
    // drawn with the face the system gives a name it knows nothing of. That face is found by one
    // full match per run, not one per name: a file naming hundreds of missing faces opens as fast
    // as one naming a single face. Family outranks weight and slant in the match, so the four
    // styles fall back to one family; a family Qt splits by maker ("[urw]") may not, and then each
    // name is left to Qt's own match.
    if (!m_fallbackFamily) {
        QFont probe(QStringLiteral("Quirel: no such face"));
        probe.setStyleStrategy(QFont::NoFontMerging);
        QString fallback = QFontInfo(probe).family();
        if (fallback.contains(QLatin1Char('[')) || !m_installed.contains(fallback.toCaseFolded())) fallback.clear();
        m_fallbackFamily = std::move(fallback);
    }
    return *m_fallbackFamily;
}

} // namespace quirel
