// quirel-resourcegen RESOURCES_FOLDER [--sheet FILE.png]
//
// Draws the program's pictures into RESOURCES_FOLDER: emoticons/1.png … 188.png from the colour
// emoji font, menu/NNN.png drawn here, icon/quirel-32.png and quirel-256.png, and the resource
// collection quirel.qrc that lists them. With --sheet it also writes one picture showing them all,
// for looking them over. Run it on the offscreen platform: QT_QPA_PLATFORM=offscreen.

#include "ContactSheet.h"
#include "EmoticonPictures.h"
#include "MenuPictures.h"
#include "PictureFiles.h"
#include "ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QSet>
#include <QStringList>
#include <cstdio>
#include <set>

namespace {

using namespace quirel::resourcegen;

int Fail(const QString& message)
{
    std::fprintf(stderr, "quirel-resourcegen: %s\n", qPrintable(message));
    return 1;
}

QString CheckEmoticonSources()
{
    const auto& sources = EmoticonSources();
    if (static_cast<int>(sources.size()) != kEmoticonCount)
        return QStringLiteral("%1 emoticon sources instead of %2").arg(sources.size()).arg(kEmoticonCount);
    std::set<std::u32string> seen;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!seen.insert(sources[i].emoji).second)
            return QStringLiteral("emoticon %1 (%2) repeats an earlier one").arg(i + 1).arg(sources[i].description);
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    QString sheetPath;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--sheet")); at >= 0 && at + 1 < arguments.size()) {
        sheetPath = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    if (arguments.size() != 1)
        return Fail(QStringLiteral("usage: quirel-resourcegen RESOURCES_FOLDER [--sheet FILE.png]"));
    const QDir resources(arguments.first());

    if (const QString fault = CheckEmoticonSources(); !fault.isEmpty()) return Fail(fault);

    QString error;
    SheetContents sheet;
    ResourceGroup emoticonFiles { QStringLiteral("/emoticons"), {} };
    QSet<QByteArray> drawnAlready;
    for (int number = 1; number <= kEmoticonCount; ++number) {
        const QImage picture = DrawEmoticon(number, &error);
        if (picture.isNull()) return Fail(QStringLiteral("emoticon %1: %2").arg(number).arg(error));
        const QByteArray pixels(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
        if (drawnAlready.contains(pixels))
            return Fail(QStringLiteral("emoticon %1 looks exactly like an earlier one").arg(number));
        drawnAlready.insert(pixels);
        const QString file = QStringLiteral("emoticons/%1.png").arg(number);
        if (!SavePicture(picture, resources.filePath(file), &error)) return Fail(error);
        emoticonFiles.files << file;
        sheet.emoticons.push_back(picture);
    }

    ResourceGroup menuFiles { QStringLiteral("/menu"), {} };
    for (const MenuPicture& menuPicture : MenuPictures()) {
        const QImage picture = menuPicture.draw(&error);
        if (picture.isNull()) return Fail(QStringLiteral("menu picture %1: %2").arg(menuPicture.number).arg(error));
        const QString file = QStringLiteral("menu/%1.png").arg(menuPicture.number);
        if (!SavePicture(picture, resources.filePath(file), &error)) return Fail(error);
        menuFiles.files << file;
        sheet.menuPictures.emplace_back(menuPicture.number, picture);
    }
    menuFiles.files.sort();

    ResourceGroup iconFiles { QStringLiteral("/icon"), {} };
    sheet.smallIcon = DrawProgramIcon(32);
    sheet.largeIcon = DrawProgramIcon(256);
    for (const auto& [file, picture] : { std::pair { QStringLiteral("icon/quirel-32.png"), sheet.smallIcon },
             std::pair { QStringLiteral("icon/quirel-256.png"), sheet.largeIcon } }) {
        if (!SavePicture(picture, resources.filePath(file), &error)) return Fail(error);
        iconFiles.files << file;
    }

    if (!WriteResourceCollection(
            resources.filePath(QStringLiteral("quirel.qrc")), { emoticonFiles, menuFiles, iconFiles }, &error))
        return Fail(error);

    if (!sheetPath.isEmpty() && !SavePicture(DrawContactSheet(sheet), sheetPath, &error)) return Fail(error);

    std::printf("quirel-resourcegen: %d emoticons, %d menu pictures and the icon written to %s\n", kEmoticonCount,
        static_cast<int>(menuFiles.files.size()), qPrintable(resources.absolutePath()));
    return 0;
}
