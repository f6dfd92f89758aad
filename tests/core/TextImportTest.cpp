#include "io/TextImport.h"

#include "TempFolder.h"
#include "TestText.h"
#include "io/DocumentFile.h"

#include <gtest/gtest.h>

using namespace quirel;
using namespace std::string_literals;
namespace fs = std::filesystem;

TEST(TextImport, LinesAreJoinedWithoutTheirCrLineEnds)
{
    struct Case {
        std::string file;
        std::string text;
    };
    const Case cases[] = {
        { "ab\r\ncd\r\n", "abcd" },
        { "ab\ncd\n", "ab\ncd\n" }, // LF alone is not a line end
        { "ab\rcd\r", "abcd" },
        { "a\r\r\nb", "ab" },
        { "a\n\rb\n\r\n", "a\nb\n" },
        { "\r\n\r\n", "" },
        { "", "" },
        { "sin fin de l\xEDnea", "sin fin de l\xEDnea" },
        { "\xF1\0\t\x7F\x81 x"s, "\xF1\0\t\x7F\x81 x"s }, // bytes are kept as they are
        // 0x1A ends its line and is dropped; what follows is still read.
        { "ab\x1A"
          "cd\x1A\x1A\x1A",
            "abcd" },
        { "ab\x1A\r\ncd", "abcd" },
        { "ab\x1A\ncd", "ab\ncd" },
    };
    TempFolder folder;
    for (const Case& c : cases) {
        folder.Write("t.txt", c.file);
        const TextFileContents read = ReadTextFile(folder.Path() / "t.txt");
        EXPECT_EQ(read.status, TextImportStatus::Done);
        EXPECT_EQ(read.text, c.text) << testing::PrintToString(c.file);
    }
}

TEST(TextImport, UnreadableAndHugeFilesGiveNoText)
{
    TempFolder folder;
    fs::create_directory(folder.Path() / "dir");
    {
        std::ofstream(folder.Path() / "huge.txt");
    }
    fs::resize_file(folder.Path() / "huge.txt", kMaxTextFileBytes + 1); // sparse: nothing to read

    for (const auto& [name, status] :
        { std::pair { "missing.txt", TextImportStatus::Unreadable }, std::pair { "dir", TextImportStatus::Unreadable },
            std::pair { "huge.txt", TextImportStatus::FileTooLarge } }) {
        const TextFileContents read = ReadTextFile(folder.Path() / name);
        EXPECT_EQ(read.status, status) << name;
        EXPECT_EQ(read.text, "") << name;
        const std::string message = TextImportMessage(status, folder.Path() / name);
        EXPECT_NE(message.find(name), std::string::npos);
        // The import did not touch the document, and the message says so.
        EXPECT_NE(message.find("El documento actual no se ha modificado."), std::string::npos) << message;
    }
}

TEST(TextImport, ImportReplacesTheModelButKeepsTheFormatAndProducerLine)
{
    TempFolder folder;
    const std::string sig(kDocumentSignature);
    folder.Write("d.4tf", "viejo" + sig + "000000140102030000FF" + sig + "Arial|Verdana|Tahoma" + sig + "prod" + sig);
    Document doc;
    ASSERT_EQ(ReadDocument(doc, folder.Path() / "d.4tf"), DocumentFileStatus::Done);
    doc.Current() = { 0x123456, 0xABCDEF, 14, "Tahoma", kStyleBold | kStyleUnderline, 7, false, false, 14 };

    ASSERT_EQ(ImportText(doc, W("hola, niño"), "Georgia"), TextImportStatus::Done);
    EXPECT_EQ(doc.Text(), W("hola, niño"));
    EXPECT_EQ(doc.TokenCount(), 4);
    EXPECT_EQ(doc.Fonts().LastIndex(), 0);
    EXPECT_EQ(doc.Fonts().Name(0), "Georgia");
    EXPECT_EQ(doc.Fonts().Name(1), "");
    const FormatRecord expected = MakeFormatRecord({ 0x123456, 14, 0, kStyleBold | kStyleUnderline, 0, 0xABCDEF });
    for (int slot : { 1, 4, 5, FormatRecords::kSlots })
        EXPECT_EQ(doc.Records().Get(slot), expected) << slot;
    EXPECT_EQ(doc.CurrentRecord(), expected);
    EXPECT_EQ(doc.Current().size, 14);
    EXPECT_EQ(doc.Current().emoticon, 0);
    EXPECT_EQ(doc.ProducerLine(), "prod");
}

TEST(TextImport, TooManyTokensLeaveTheDocumentUnchanged)
{
    Document doc;
    ASSERT_EQ(doc.SetText("uno dos"), EditStatus::Done);
    doc.Records().Set(1, FormatRecord("000000140102030000FF"));
    doc.Fonts().Append("Verdana");

    EXPECT_EQ(ImportText(doc, std::string(kMaxTokens + 1, '.'), "Georgia"), TextImportStatus::TooManyTokens);
    EXPECT_EQ(doc.Text(), "uno dos");
    EXPECT_EQ(doc.Records().Get(1).Text(), "000000140102030000FF");
    EXPECT_EQ(doc.Fonts().LastIndex(), 1);
    EXPECT_FALSE(TextImportMessage(TextImportStatus::TooManyTokens, "t.txt").empty());

    EXPECT_EQ(ImportText(doc, std::string(kMaxTokens, '.'), "Georgia"), TextImportStatus::Done);
    EXPECT_EQ(doc.TokenCount(), kMaxTokens);
}
