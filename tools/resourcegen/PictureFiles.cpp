#include "PictureFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace quirel::resourcegen {

bool SavePicture(const QImage& picture, const QString& path, QString* error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QImageWriter writer(path, "png");
    // Qt's PNG writer takes 0 to 100 here, 100 packing tightest; the files are committed.
    writer.setCompression(100);
    if (!writer.write(picture)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
        return false;
    }
    return true;
}

bool WriteResourceCollection(const QString& path, const std::vector<ResourceGroup>& groups, QString* error)
{
    QString text = QStringLiteral("<!DOCTYPE RCC>\n"
                                  "<!-- Written by quirel-resourcegen (tools/resourcegen); do not edit. -->\n"
                                  "<RCC version=\"1.0\">\n");
    for (const ResourceGroup& group : groups) {
        text += QStringLiteral("  <qresource prefix=\"%1\">\n").arg(group.prefix);
        for (const QString& file : group.files)
            text += QStringLiteral("    <file alias=\"%1\">%2</file>\n").arg(QFileInfo(file).fileName(), file);
        text += QStringLiteral("  </qresource>\n");
    }
    text += QStringLiteral("</RCC>\n");

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
        return false;
    }
    return true;
}

} // namespace quirel::resourcegen
