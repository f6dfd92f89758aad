#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace quirel::resourcegen {

// Writes `picture` as a PNG file, creating its folder. False and *error on failure.
bool SavePicture(const QImage& picture, const QString& path, QString* error);

// Files of one resource prefix, named relative to the folder of the collection file; each
// is listed under its own file name, so "emoticons/1.png" in "/emoticons" is ":/emoticons/1.png".
struct ResourceGroup {
    QString prefix;
    QStringList files;
};

// Writes the Qt resource collection file at `path`. False and *error on failure.
bool WriteResourceCollection(const QString& path, const std::vector<ResourceGroup>& groups, QString* error);

} // namespace quirel::resourcegen
