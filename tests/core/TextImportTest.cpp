#include "io/TextImport.h"

#include "TempFolder.h"
#include "TestText.h"
#include "io/DocumentFile.h"

#include <gtest/gtest.h>
#include <random>

using namespace quirel;
using namespace std::string_literals;
namespace fs = std::filesystem;

TEST(TextImport, FilesBecomeDocumentTextWithCrLineEnds)
{
    struct Case {
        const char* what;
        std::string file;
        std::string text; // Windows-1252
        std::size_t replaced = 0;
    };
    const Case cases[] = {
        { "UTF-8", "Canci\xC3\xB3n, a\xC3\xB1o, \xE2\x82\xAC \xE2\x80\x9Cs\xC3\xAD\xE2\x80\x9D",
            "Canci\xF3n, a\xF1o, \x80 \x93s\xED\x94" },
        { "UTF-8 with its mark",
            "\xEF\xBB\xBF"
            "a\xC3\xB1o\r\n",
            "a\xF1o\r" },
        { "UTF-8 outside Windows-1252", "\xE2\x86\x92 \xE4\xB8\xAD\xCE\xA9 \xF0\x9F\x98\x80.", "? ?? ?.", 4 },
        { "Windows-1252",
            "Canci\xF3n \x80 \x93"
            "a\x94",
            "Canci\xF3n \x80 \x93"
            "a\x94" },
        { "Windows-1252 with UTF-8-like pairs", "Canci\xF3n \xC3\xB1", "Canci\xF3n \xC3\xB1" },
        { "a cut UTF-8 sequence", "ab\xC3", "ab\xC3" },
        { "an overlong UTF-8 form", "a\xC0\xAF", "a\xC0\xAF" },
        { "a UTF-8 surrogate", "\xC3\xB1\xED\xA0\x80", "\xC3\xB1\xED\xA0\x80" },
        { "beyond U+10FFFF", "\xC3\xB1\xF4\x90\x80\x80", "\xC3\xB1\xF4\x90\x80\x80" },
        { "a mark before invalid UTF-8",
            "\xEF\xBB\xBF"
            "a\xF1",
            "\xEF\xBB\xBF"
            "a\xF1" },
        { "bytes kept as they are", "\xF1\0\t\x7F\x81 x"s, "\xF1\0\t\x7F\x81 x"s },
        { "UTF-16LE",
            "\xFF\xFE"
            "C\0a\0\xF1\0\r\0\n\0\xAC\x20\x92\x21"s,
            "Ca\xF1\r\x80?", 1 },
        { "UTF-16BE",
            "\xFE\xFF"
            "\0a\0\n\xD8\x3D\xDE\x00\0b"s,
            "a\r?b", 1 },
        { "UTF-16 broken",
            "\xFF\xFE"
            "\x3D\xD8x\0\0\xDCy"s,
            "?x??", 3 }, // lone surrogates, odd byte
        // Without the mark, UTF-16 is told by the zero high bytes of most of its units.
        { "UTF-16LE without its mark", "h\0o\0l\0a\0\r\0\n\0a\0d\0i\0\xF3\0s\0\xAC\x20"s, "hola\radi\xF3s\x80" },
        { "UTF-16BE without its mark", "\0C\0a\0n\0c\0i\0\xF3\0n\x4E\x2D\0!"s, "Canci\xF3n?!", 1 },
        { "UTF-16LE of one character", "a\0"s, "a" },
        { "a stray zero byte is no UTF-16", "ab\0cd"s, "ab\0cd"s },
        { "zeros on both sides are no UTF-16", "a\0\0b\0\0c\0"s, "a\0\0b\0\0c\0"s },
        { "CR LF", "ab\r\ncd\r\n", "ab\rcd\r" },
        { "LF", "ab\ncd\n", "ab\rcd\r" },
        { "CR", "ab\rcd\r", "ab\rcd\r" },
        { "mixed", "a\r\nb\nc\rd\r\r\ne\n\rf", "a\rb\rc\rd\r\re\r\rf" },
        { "blank lines", "uno\r\n\r\ndos\n\n\ntres", "uno\r\rdos\r\r\rtres" },
        { "end marks",
            "ab\x1A"
            "cd\x1A\r\n\x1A\x1A",
            "abcd\r" },
        { "empty", "", "" },
    };
    TempFolder folder;
    for (const Case& c : cases) {
        folder.Write("t.txt", c.file);
        const TextFileContents read = ReadTextFile(folder.Path() / "t.txt");
        EXPECT_EQ(read.status, TextImportStatus::Done) << c.what;
        EXPECT_EQ(read.text, c.text) << c.what;
        EXPECT_EQ(read.replaced, c.replaced) << c.what;
    }
}

TEST(TextImport, TheCountOfReplacedCharactersIsToldInSingularOrPlural)
{
    EXPECT_EQ(ReplacedCharactersMessage(1),
        "1 car\xE1"
        "cter no se puede escribir en este documento y se ha cambiado por ?");
    EXPECT_EQ(
        ReplacedCharactersMessage(2), "2 caracteres no se pueden escribir en este documento y se han cambiado por ?");
    EXPECT_EQ(ReplacedCharactersMessage(300),
        "300 caracteres no se pueden escribir en este documento y se han cambiado por ?");
}

TEST(TextImport, AnyWindowsTextSurvivesEveryEncodingAndDamagedFilesStillRead)
{
    std::mt19937 random(17);
    auto utf16 = [](std::string_view text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : text) {
            const char32_t unit = Cp1252ToUnicode(static_cast<unsigned char>(c));
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string { high, low } : std::string { low, high };
        }
        return bytes;
    };
    for (int round = 0; round < 500; ++round) {
        // Any bytes but LF and the end mark: what the reader gives back unchanged.
        std::string text(random() % 40, ' ');
        for (char& c : text)
            do
                c = static_cast<char>(random());
            while (c == '\n' || c == '\x1A');
        const std::string files[]
            = { Cp1252ToUtf8(text), "\xEF\xBB\xBF" + Cp1252ToUtf8(text), utf16(text, false), utf16(text, true) };
        for (const std::string& file : files) {
            const TextFileContents read = DecodeTextFile(file);
            ASSERT_EQ(read.text, text) << testing::PrintToString(file);
            ASSERT_EQ(read.replaced, 0u);

            std::string damaged = file;
            for (int m = 0; m < 3 && !damaged.empty(); ++m) {
                if (random() % 2)
                    damaged[random() % damaged.size()] = static_cast<char>(random());
                else
                    damaged.resize(random() % damaged.size());
            }
            const TextFileContents broken = DecodeTextFile(damaged);
            EXPECT_EQ(broken.text.find_first_of("\n\x1A"), std::string::npos);
            EXPECT_LE(broken.replaced, broken.text.size());
        }
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
