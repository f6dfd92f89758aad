#include "io/Settings.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

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
