#include "io/Settings.h"

#include "FailingFiles.h"
#include "TempFolder.h"
#include "io/DocumentFile.h"
#include "io/ProfileFile.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quirel;

namespace {
const std::string kDefaultFile
    = "[Colores]\r\nFondo=16777215\r\nTexto=0\r\nCursor=0\r\nSombra=12632256\r\n"
      "[Formato]\r\nMargen=40\r\nTabulacion=6\r\nFuente=Candara\r\nTama\xF1o=10\r\nCursor=124\r\n";

Settings LoadFrom(const std::string& file)
{
    TempFolder folder;
    folder.Write("config.ini", file);
    Settings settings;
    settings.margin = 999; // must be replaced by what the file (or the default) says
    LoadSaveSettings("get", settings, folder.Path());
    return settings;
}
} // namespace

TEST(Settings, MissingFileGivesDefaultsAndFirstSaveWritesTheElevenLines)
{
    TempFolder folder;
    Settings settings;
    settings.fontName = "changed";
    LoadSaveSettings("get", settings, folder.Path());
    EXPECT_EQ(settings.backgroundColor, 16777215);
    EXPECT_EQ(settings.shadowColor, 12632256);
    EXPECT_EQ(settings.margin, 40);
    EXPECT_EQ(settings.tabWidth, 6);
    EXPECT_EQ(settings.fontName, "Candara");
    EXPECT_EQ(settings.fontSize, 10);
    EXPECT_EQ(settings.cursorChar, 124);
    EXPECT_TRUE(LoadSaveSettings("save", settings, folder.Path()));
    EXPECT_EQ(folder.Read("config.ini"), kDefaultFile);
    EXPECT_TRUE(LoadSaveSettings("other", settings, folder.Path()));
    EXPECT_EQ(folder.Read("config.ini"), kDefaultFile);
}

TEST(Settings, ReadsHandWrittenFilesLikeTheProfileFunctions)
{
    const auto settings = LoadFrom("; my settings\n[colores]\n  FONDO = abc \nTexto=\"255\"\nsombra='-5'\n"
                                   "[FORMATO]\nTama\xF1o= 12\nFuente=\nCursor=95\nMargen=12.6\nTabulacion=7x\n");
    EXPECT_EQ(settings.backgroundColor, 0); // not a number: 0, not the default
    EXPECT_EQ(settings.textColor, 255);
    EXPECT_EQ(settings.shadowColor, -5);
    EXPECT_EQ(settings.cursorColor, 0); // missing key: default
    EXPECT_EQ(settings.fontSize, 12);
    EXPECT_EQ(settings.fontName, "");
    EXPECT_EQ(settings.cursorChar, 95);
    EXPECT_EQ(settings.margin, 13);
    EXPECT_EQ(settings.tabWidth, 7);
}

TEST(Settings, ValuesOutsideTheirWidthFallBackToTheDefault)
{
    const auto settings = LoadFrom("[Colores]\r\nFondo=99999999999\r\n[Formato]\r\nTama\xF1o=70000\r\nCursor=300\r\n"
                                   "Margen=-32768\r\nTabulacion=32768\r\n");
    EXPECT_EQ(settings.backgroundColor, 16777215);
    EXPECT_EQ(settings.fontSize, 10);
    EXPECT_EQ(settings.cursorChar, 124);
    EXPECT_EQ(settings.margin, -32768);
    EXPECT_EQ(settings.tabWidth, 6);
}

TEST(Settings, SaveRewritesTheKeysInPlaceAndKeepsEverythingElse)
{
    TempFolder folder;
    folder.Write("config.ini",
        "; kept comment\r\n[Otros]\r\nclave=valor\r\n[colores]\r\n fondo = 0x10\r\n\r\n"
        "[Formato]\r\nFuente=\"Georgia\"\r\nextra=1\r\n");
    Settings settings;
    LoadSaveSettings("get", settings, folder.Path());
    EXPECT_EQ(settings.backgroundColor, 0);
    EXPECT_EQ(settings.fontName, "Georgia");
    LoadSaveSettings("save", settings, folder.Path());
    EXPECT_EQ(folder.Read("config.ini"),
        "; kept "
        "comment\r\n[Otros]\r\nclave=valor\r\n[colores]\r\nFondo=0\r\nTexto=0\r\nCursor=0\r\nSombra=12632256\r\n\r\n"
        "[Formato]\r\nFuente=Georgia\r\nextra=1\r\nMargen=40\r\nTabulacion=6\r\nTama\xF1o=10\r\nCursor=124\r\n");
    // A save of what was read reads back the same.
    Settings again;
    LoadSaveSettings("get", again, folder.Path());
    EXPECT_EQ(again.fontName, "Georgia");
    EXPECT_EQ(again.backgroundColor, 0);
}

TEST(Settings, UnwritableFolderIsReportedAndKeepsTheValues)
{
    Settings settings;
    settings.fontSize = 33;
    EXPECT_FALSE(LoadSaveSettings("save", settings, "/nonexistent/quirel"));
    EXPECT_EQ(settings.fontSize, 33);
}

// What config.ini may be instead of a readable file: each reads as the defaults, says why, is
// never waited on or read without end, and is left as it is by a save.
TEST(Settings, OnlyARegularFileOfBoundedSizeIsRead)
{
    TempFolder folder;
    Settings settings;
    settings.margin = 99;
    EXPECT_EQ(ReadSettingsFile(settings, folder.Path()), FileError {}); // missing: no problem
    EXPECT_EQ(settings.margin, 40);

    const auto config = folder.Path() / kSettingsFileName;
    struct Case {
        const char* name;
        std::function<void()> make;
        FileProblem problem;
    };
    const Case cases[] = {
        { "folder", [&] { std::filesystem::create_directory(config); }, FileProblem::IsFolder },
        { "pipe", [&] { ::mkfifo(config.c_str(), 0600); }, FileProblem::NotRegularFile },
        { "link to /dev/zero", [&] { std::filesystem::create_symlink("/dev/zero", config); },
            FileProblem::NotRegularFile },
        { "too large",
            [&] {
                folder.Write(
                    kSettingsFileName, "[Formato]\r\nMargen=60\r\n" + std::string(ProfileFile::kMaxBytes, ';'));
            },
            FileProblem::TooLarge },
    };
    for (const Case& c : cases) {
        std::filesystem::remove(config);
        c.make();
        settings.margin = 99;
        const FileError read = ReadSettingsFile(settings, folder.Path());
        EXPECT_EQ(read.problem, c.problem) << c.name;
        EXPECT_EQ(settings.margin, 40) << c.name;
        EXPECT_NE(SettingsReadMessage(read, folder.Path()).find(FileProblemText(read)), std::string::npos);
        settings.margin = 70;
        EXPECT_EQ(WriteSettingsFile(settings, folder.Path()).problem, c.problem) << c.name;
        EXPECT_EQ(std::filesystem::symlink_status(config).type() == std::filesystem::file_type::regular
                ? folder.Read(kSettingsFileName).size()
                : 0u,
            c.problem == FileProblem::TooLarge ? ProfileFile::kMaxBytes + 22 : 0u)
            << c.name;
    }
    EXPECT_EQ(std::filesystem::directory_iterator(folder.Path())->path().filename(), kSettingsFileName);
}

// A failing write (a full disk, a refused rename) keeps the old file whole, and says why.
TEST(Settings, AFailedSaveKeepsTheOldFile)
{
    TempFolder folder;
    const std::string old = "[Mio]\r\nclave=valor\r\n" + kDefaultFile;
    Settings settings;
    settings.margin = 120;
    settings.cursorChar = 95;
    FailingFiles fullDisk;
    fullDisk.writeLimit = 20;
    FailingFiles refused;
    refused.renameError = EACCES;
    for (FailingFiles* port : { &fullDisk, &refused }) {
        folder.Write(kSettingsFileName, old);
        const FileError error = WriteSettingsFile(settings, folder.Path(), *port);
        EXPECT_EQ(error.problem, port == &fullDisk ? FileProblem::NoSpace : FileProblem::NoPermission);
        EXPECT_EQ(folder.Read(kSettingsFileName), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
        const std::string message = SettingsWriteMessage(error, folder.Path());
        EXPECT_NE(message.find(FileProblemText(error)), std::string::npos) << message;
    }
    EXPECT_TRUE(WriteSettingsFile(settings, folder.Path()).Ok());
    EXPECT_NE(folder.Read(kSettingsFileName).find("Margen=120\r\n"), std::string::npos);
}

TEST(Settings, AFaceNameADocumentCannotStoreFallsBackToTheDefault)
{
    for (const std::string& face : { std::string("Liberation|Sans"), "a" + std::string(kDocumentSignature) })
        EXPECT_EQ(LoadFrom("[Formato]\r\nFuente=" + face + "\r\n").fontName, "Candara") << face;
    EXPECT_EQ(LoadFrom("[Formato]\r\nFuente=Liberation Sans\r\n").fontName, "Liberation Sans");
}

// An editor that saves in UTF-8 writes the size key as "Tama\xC3\xB1o": it is read, and the save
// rewrites that same line in Windows-1252 instead of adding a second one.
TEST(Settings, TheSizeKeyWrittenInUtf8IsReadAndRewrittenInPlace)
{
    TempFolder folder;
    folder.Write(kSettingsFileName, "[Formato]\r\nTama\xC3\xB1o=14\r\nFuente=Georgia\r\n");
    Settings settings;
    ASSERT_TRUE(ReadSettingsFile(settings, folder.Path()).Ok());
    EXPECT_EQ(settings.fontSize, 14);
    settings.fontSize = 16;
    ASSERT_TRUE(WriteSettingsFile(settings, folder.Path()).Ok());
    const std::string saved = folder.Read(kSettingsFileName);
    EXPECT_EQ(saved.substr(0, saved.find("Fuente")), "[Formato]\r\nTama\xF1o=16\r\n");
    EXPECT_EQ(saved.find("Tama\xC3\xB1o"), std::string::npos);
    // Other UTF-8 keys and Windows-1252 bytes that only look like UTF-8 keep their own names.
    ProfileFile file = ProfileFile::Parse("[S]\r\nTama\xF1o=1\r\nA\xC3=2\r\n");
    EXPECT_EQ(file.Get("S", "Tama\xF1o"), "1");
    EXPECT_EQ(file.Get("S", "A\xC3"), "2");
    EXPECT_EQ(file.Get("S", "Tama\xC3\xB1o"), std::nullopt);
}
