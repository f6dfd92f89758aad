#include "io/PageRange.h"

#include <gtest/gtest.h>

using namespace quirel;

TEST(PageRangeTest, PageBoxesReadAsNumbers)
{
    const std::pair<const char*, int> cases[] = { { "3", 3 }, { " 12 ", 12 }, { "", 0 }, { "abc", 0 }, { "2a", 0 },
        { "-2", 0 }, { "+2", 0 }, { "1.5", 0 }, { "0", 0 }, { "99999999999999999999", 99999 } };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ReadPageNumber(text), value) << '"' << text << '"';
}

TEST(PageRangeTest, FolderNamesThatWouldLeaveTheProgramsFolderOrTakeTheNameOfItsFilesAreRefused)
{
    const std::pair<const char*, bool> cases[] = { { "paginas", true }, { "fotos/2024", true }, { "a\\b", true },
        { "a..b", true }, { "..a", true }, { ".", true }, { " ", true }, { "", false }, { "..", false },
        { "../x", false }, { "a/../../x", false }, { "a\\..", false }, { "/tmp/x", false }, { "\\x", false },
        { "C:\\x", false }, { "c:x", false }, { "config.ini", false }, { "./config.ini/x", false },
        { "rey.log\\x", false }, { "Mis Colores.log", false }, { "diccionario.log", false },
        { "dictionary.log", false }, { "recuperacion.4tf", false }, { ".quirel-0123-4-5.tmp", false },
        { "recuperacion-4711.4tf", false }, { "recuperacion-4711-2.lock", false }, { "recuperacion.lock", false },
        { "recuperacion-4711-no-leida.4tf", false }, { "recuperaciones", true }, { "tildes.dat", false },
        { "tildes.dat/x", false }, { "config.ini.d", true }, { "x/config.ini", true }, { "Config.ini", true } };
    for (const auto& [name, accepted] : cases)
        EXPECT_EQ(IsFolderNameAccepted(name), accepted) << '"' << name << '"';
    EXPECT_EQ(ExportFolder("/prog", "a\\b"), std::filesystem::path("/prog/a/b"));
    EXPECT_EQ(ExportFolder("/prog", "p\xE1ginas"), std::filesystem::path("/prog/p\xC3\xA1ginas"));
}

// A refused folder name is explained: the name as typed and why; an empty box says nothing.
TEST(PageRangeTest, ARefusedFolderNameSaysWhy)
{
    const std::pair<const char*, std::string> cases[] = {
        { "paginas", "" },
        { "", "" },
        { "config.ini",
            "No se puede exportar a la carpeta config.ini ...\r\n"
            "\"config.ini\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta." },
        { "tildes.dat",
            "No se puede exportar a la carpeta tildes.dat ...\r\n"
            "\"tildes.dat\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta." },
        { "./rey.log\\p\xE1ginas",
            "No se puede exportar a la carpeta ./rey.log\\p\xE1ginas ...\r\n"
            "\"rey.log\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta." },
        { "../fuera",
            "No se puede exportar a la carpeta ../fuera ...\r\n"
            "La carpeta se crea dentro de la carpeta del programa: el nombre no puede contener \"..\"." },
        { "/tmp/x",
            "No se puede exportar a la carpeta /tmp/x ...\r\n"
            "La carpeta se crea dentro de la carpeta del programa: escriba su nombre, no una ruta completa." },
        { "C:\\x",
            "No se puede exportar a la carpeta C:\\x ...\r\n"
            "La carpeta se crea dentro de la carpeta del programa: escriba su nombre, no una ruta completa." },
    };
    for (const auto& [name, message] : cases)
        EXPECT_EQ(FolderNameRefusal(name), message) << '"' << name << '"';
}

TEST(PageRangeTest, IntervalsAndFolderRules)
{
    struct Case {
        PageRangeForm form;
        RangeChoice choice;
        int first, last;
        const char* folder;
        bool accepted;
    };
    using enum PageRangeForm;
    using enum RangeChoice;
    const Case cases[] = {
        { Export, Interval, 2, 4, "paginas", true },
        { Export, Interval, 1, 5, "paginas", true }, // the whole five-page document
        { Export, Interval, 3, 3, "paginas", false }, // one page is not an interval
        { Export, Interval, 0, 2, "paginas", false },
        { Export, Interval, 4, 2, "paginas", false },
        { Export, Interval, 4, 6, "paginas", false }, // beyond the page count
        { Export, Interval, 5, 6, "paginas", false },
        { Export, Interval, 2, 4, "", false },
        { Export, SinglePage, 0, 0, "paginas", true }, // page boxes are not looked at
        { Export, AllPages, 9, 1, "paginas", true },
        { Export, SinglePage, 0, 0, "", false },
        { Export, AllPages, 0, 0, "../fuera", false },
        { Print, Interval, 2, 4, "", true }, // printing has no folder
        { Print, Interval, 3, 3, "", false },
        { Print, Interval, 0, 2, "", false },
        { Print, Interval, 2, 9, "", false },
        { Print, SinglePage, 0, 0, "", true },
        { Print, AllPages, 0, 0, "", true },
    };
    for (const auto& c : cases) {
        PageRange range;
        range.choice = c.choice;
        range.firstPage = c.first;
        range.lastPage = c.last;
        range.folderName = c.folder;
        EXPECT_EQ(IsPageRangeAccepted(c.form, range, 5), c.accepted)
            << (c.form == Export ? "export " : "print ") << static_cast<int>(c.choice) << " " << c.first << "-"
            << c.last << " '" << c.folder << "'";
    }
}
