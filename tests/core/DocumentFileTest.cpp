#include "io/DocumentFile.h"

#include "TempFolder.h"
#include "TestText.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>

using namespace quirel;
namespace fs = std::filesystem;

namespace {

const std::string kSig(kDocumentSignature);
const std::string kDefaultRecord = "FFFFFF0B000000000000";

// A record that differs from slot to slot in every field.
FormatRecord SampleRecord(int i)
{
    const auto n = static_cast<std::uint32_t>(i);
    return MakeFormatRecord({ (n * 7919u) & 0xFFFFFF, 6 + i % 85, i % 3, i % 16, i % 189, (n * 104729u) & 0xFFFFFF });
}

// A document with markers, accents, both line ends, the given number of extra words, a record per
// token, three faces and a foreign producer line.
void FillSample(Document& doc, int extraWords = 0)
{
    std::string text = W("¡Hola, señor!\r\nÑandú «dos»\n") + "\x04x\x05 \x06       \x07" + "\t|fin";
    for (int i = 0; i < extraWords; ++i)
        text += " w" + std::to_string(i);
    ASSERT_EQ(doc.SetText(text), EditStatus::Done);
    for (int i = 1; i <= doc.TokenCount(); ++i)
        doc.Records().Set(i, SampleRecord(i));
    doc.Fonts().Append("Times New Roman");
    doc.Fonts().Append(W("Fuente ñ"));
    doc.SetProducerLine(W("®Otro by ®otro.com"));
}

// Every part of the model that the file keeps, for comparisons.
struct Saved {
    std::string text;
    std::vector<std::string> records; // slots 1..N
    std::vector<std::string> fonts; // slots 0..K
    std::string producer;
    bool operator==(const Saved&) const = default;
};

Saved Snapshot(const Document& doc)
{
    Saved saved { doc.Text(), {}, {}, doc.ProducerLine() };
    for (int i = 1; i <= doc.TokenCount(); ++i)
        saved.records.emplace_back(doc.Records().Get(i).Text());
    for (int i = 0; i <= doc.Fonts().LastIndex(); ++i)
        saved.fonts.push_back(doc.Fonts().Name(i));
    return saved;
}

std::vector<std::string> SplitAll(std::string_view text, std::string_view separator)
{
    std::vector<std::string> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + separator.size());
    }
}

std::size_t EntryCount(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(DocumentFile, EmptyDocumentIsFourSignaturesAroundFacesAndProducer)
{
    Document doc;
    doc.Fonts().Append("Georgia");
    std::string bytes;
    ASSERT_EQ(BuildDocumentFile(doc, bytes), DocumentFileStatus::Done);
    EXPECT_EQ(bytes, kSig + kSig + doc.Fonts().Name(0) + "|Georgia" + kSig + std::string(kProgramProducerLine) + kSig);
}

TEST(DocumentFile, RoundTripKeepsEverythingAndResavesByteIdentical)
{
    TempFolder folder;
    Document original;
    FillSample(original, 20000); // more than 32767 tokens
    ASSERT_GT(original.TokenCount(), 40000);
    const fs::path first = folder.Path() / "a.4tf";
    ASSERT_EQ(WriteDocument(original, first), DocumentFileStatus::Done);

    const std::string bytes = folder.Read("a.4tf");
    const auto sections = SplitAll(bytes, kSig);
    ASSERT_EQ(sections.size(), 5u);
    EXPECT_EQ(sections[0], original.Text());
    EXPECT_EQ(sections[1].size(), 21u * static_cast<std::size_t>(original.TokenCount()) - 1);
    EXPECT_EQ(sections[4], "");

    Document copy;
    copy.Current().size = 30;
    ASSERT_EQ(ReadDocument(copy, first), DocumentFileStatus::Done);
    EXPECT_EQ(Snapshot(copy), Snapshot(original));
    EXPECT_EQ(copy.TokenCount(), original.TokenCount());
    EXPECT_EQ(copy.Fonts().LastIndex(), 2);

    ASSERT_EQ(WriteDocument(copy, folder.Path() / "b.4tf"), DocumentFileStatus::Done);
    EXPECT_EQ(folder.Read("b.4tf"), bytes);
}

TEST(DocumentFile, FullFontTableWritesAndReadsAll256Faces)
{
    TempFolder folder;
    Document doc;
    for (int i = 1; i <= 300; ++i)
        doc.Fonts().Append("F" + std::to_string(i));
    ASSERT_EQ(doc.Fonts().LastIndex(), 255);
    ASSERT_EQ(WriteDocument(doc, folder.Path() / "f.4tf"), DocumentFileStatus::Done);
    EXPECT_EQ(SplitAll(SplitAll(folder.Read("f.4tf"), kSig)[2], "|").size(), 256u);

    Document copy;
    ASSERT_EQ(ReadDocument(copy, folder.Path() / "f.4tf"), DocumentFileStatus::Done);
    EXPECT_EQ(Snapshot(copy).fonts, Snapshot(doc).fonts);
    EXPECT_EQ(copy.CurrentRecord().Text(), "FFFFFF0BFF0000000000");
}

TEST(DocumentFile, ReadingResetsCurrentFormatAndFillsUnstoredSlotsWithDefault)
{
    TempFolder folder;
    folder.Write("d.4tf", "uno dos" + kSig + "000000140102030000FF" + kSig + "Arial|Verdana" + kSig + "p" + kSig);
    Document doc;
    doc.Current() = { 0x123456, 0xABCDEF, 40, "Tahoma", kStyleBold | kStyleItalic, 9, false, false, 40 };
    doc.Records().Set(3, SampleRecord(3));
    ASSERT_EQ(ReadDocument(doc, folder.Path() / "d.4tf"), DocumentFileStatus::Done);

    const CurrentFormat& current = doc.Current();
    EXPECT_EQ(current.background, 0xFFFFFFu);
    EXPECT_EQ(current.textColor, 0u);
    EXPECT_EQ(current.size, 11);
    EXPECT_EQ(current.style, 0);
    EXPECT_EQ(current.emoticon, 0);
    EXPECT_EQ(doc.CurrentRecord().Text(), "FFFFFF0B010000000000"); // font index K = 1
    EXPECT_EQ(doc.Records().Get(1).Text(), "000000140102030000FF");
    for (int slot : { 2, 3, 300000 })
        EXPECT_EQ(doc.Records().Get(slot).Text(), kDefaultRecord) << slot;
    EXPECT_EQ(doc.ProducerLine(), "p");
}

TEST(DocumentFile, DamagedFilesReadWhatTheyHold)
{
    struct Case {
        std::string name;
        std::string file;
        std::string text;
        std::vector<std::string> records; // slots 1..records.size()
        std::vector<std::string> fonts;
        std::string producer;
    };
    const std::string longRecord = "0123456789ABCDEF0123456789";
    const std::vector<Case> cases = {
        { "no signature", "hola\r\n", "hola\r\n", { "", kDefaultRecord }, { "" }, "" },
        { "empty file", "", "", { "", kDefaultRecord }, { "" }, "" },
        { "cut inside the records", "ab" + kSig + kDefaultRecord + "|00", "ab",
            { kDefaultRecord, "00", kDefaultRecord }, { "" }, "" },
        { "cut inside the producer", "a" + kSig + kSig + "F1|F2" + kSig + "pro", "a", { "", kDefaultRecord },
            { "F1", "F2" }, "pro" },
        { "bytes after the last signature", "a" + kSig + "r" + kSig + "f" + kSig + "p" + kSig + "x" + kSig, "a",
            { "r" }, { "f" }, "p" },
        { "short, empty, non-hex and long records", "x y" + kSig + "ABC||FFFFFF0BZZ0000000000|" + longRecord + kSig,
            "x y", { "ABC", "", "FFFFFF0BZZ0000000000", longRecord.substr(0, 20), kDefaultRecord }, { "" }, "" },
    };
    TempFolder folder;
    for (const Case& c : cases) {
        folder.Write("h.4tf", c.file);
        Document doc;
        ASSERT_EQ(ReadDocument(doc, folder.Path() / "h.4tf"), DocumentFileStatus::Done) << c.name;
        EXPECT_EQ(doc.Text(), c.text) << c.name;
        for (std::size_t i = 0; i < c.records.size(); ++i)
            EXPECT_EQ(doc.Records().Get(static_cast<int>(i + 1)).Text(), c.records[i]) << c.name << " slot " << i + 1;
        EXPECT_EQ(Snapshot(doc).fonts, c.fonts) << c.name;
        EXPECT_EQ(doc.ProducerLine(), c.producer) << c.name;
    }
}

TEST(DocumentFile, DamagedRecordsReadAsTheDigitsTheirFieldsHold)
{
    EXPECT_EQ(RecordBackground(FormatRecord("ABC")), 0xABCu);
    EXPECT_EQ(RecordSize(FormatRecord("ABC")), 0);
    EXPECT_EQ(RecordSize(FormatRecord("FFFFFF0BZZ0000000000")), 11);
    EXPECT_EQ(RecordFontIndex(FormatRecord("FFFFFF0BZZ0000000000")), 0);
    EXPECT_EQ(RecordStyle(FormatRecord("FFFFFF0BZZ0100000000")), 1);
    EXPECT_EQ(RecordTextColor(FormatRecord("")), 0u);
}

TEST(DocumentFile, SurplusRecordsAndFacesAreIgnored)
{
    std::string file = "a" + kSig;
    for (int i = 1; i <= FormatRecords::kSlots + 5; ++i)
        file += (i > 1 ? "|" : "") + std::string(SampleRecord(i).Text());
    file += kSig;
    for (int i = 0; i < 300; ++i)
        file += (i > 0 ? "|f" : "f") + std::to_string(i);
    file += kSig + "p" + kSig;
    TempFolder folder;
    folder.Write("big.4tf", file);

    Document doc;
    ASSERT_EQ(ReadDocument(doc, folder.Path() / "big.4tf"), DocumentFileStatus::Done);
    EXPECT_EQ(doc.Records().Get(FormatRecords::kSlots), SampleRecord(FormatRecords::kSlots));
    EXPECT_EQ(doc.Fonts().LastIndex(), 255);
    EXPECT_EQ(doc.Fonts().Name(255), "f255");
    EXPECT_EQ(doc.ProducerLine(), "p");
}

TEST(DocumentFile, RefusedReadsLeaveTheDocumentUnchanged)
{
    TempFolder folder;
    folder.Write("many.4tf", std::string(kMaxTokens + 1, ',') + kSig + kSig + "X" + kSig + "p" + kSig);
    {
        std::ofstream(folder.Path() / "huge.4tf");
    }
    fs::resize_file(folder.Path() / "huge.4tf", kMaxDocumentFileBytes + 1); // sparse: nothing to read

    for (const auto& [name, status] : { std::pair { "many.4tf", DocumentFileStatus::TooManyTokens },
             std::pair { "huge.4tf", DocumentFileStatus::FileTooLarge } }) {
        Document doc;
        FillSample(doc);
        doc.Current().size = 30;
        const Saved before = Snapshot(doc);
        EXPECT_EQ(ReadDocument(doc, folder.Path() / name), status) << name;
        EXPECT_EQ(Snapshot(doc), before) << name;
        EXPECT_EQ(doc.Current().size, 30) << name;
        EXPECT_FALSE(DocumentFileMessage(status, folder.Path() / name).empty());
    }
}

TEST(DocumentFile, UnreadableFileGivesAnEmptyDocumentAndSaysSo)
{
    TempFolder folder;
    fs::create_directory(folder.Path() / "dir.4tf");
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe.4tf").c_str(), 0600), 0); // must not wait for a writer
    for (const char* name : { "missing.4tf", "dir.4tf", "pipe.4tf" }) {
        Document doc;
        FillSample(doc);
        EXPECT_EQ(ReadDocument(doc, folder.Path() / name), DocumentFileStatus::Unreadable) << name;
        EXPECT_EQ(doc.Text(), "") << name;
        EXPECT_EQ(doc.TokenCount(), 0);
        EXPECT_EQ(Snapshot(doc).fonts, std::vector<std::string> { "" });
        const std::string message = DocumentFileMessage(DocumentFileStatus::Unreadable, folder.Path() / name);
        EXPECT_NE(message.find(name), std::string::npos);
    }
}

TEST(DocumentFile, RefusesToSaveWhatWouldNotReadBackAndKeepsTheOldFile)
{
    struct Case {
        const char* name;
        void (*spoil)(Document&);
        DocumentFileStatus status;
    };
    const Case cases[] = {
        { "signature in the text", [](Document& d) { d.Append("a" + kSig + "b"); },
            DocumentFileStatus::TextHoldsSignature },
        { "bar in a face name", [](Document& d) { d.Fonts().Append("Ari|al"); },
            DocumentFileStatus::FaceNameHoldsMarker },
        { "signature in a face name", [](Document& d) { d.Fonts().Append(kSig); },
            DocumentFileStatus::FaceNameHoldsMarker },
        { "bar in a record", [](Document& d) { d.Records().Set(2, FormatRecord("FFFFFF|B000000000000")); },
            DocumentFileStatus::DataHoldsMarker },
        { "signature in a record", [](Document& d) { d.Records().Set(1, FormatRecord("00" + kSig)); },
            DocumentFileStatus::DataHoldsMarker },
        { "signature in the producer line", [](Document& d) { d.SetProducerLine(kSig); },
            DocumentFileStatus::DataHoldsMarker },
    };
    TempFolder folder;
    for (const Case& c : cases) {
        folder.Write("old.4tf", "old content");
        Document doc;
        FillSample(doc);
        c.spoil(doc);
        EXPECT_EQ(WriteDocument(doc, folder.Path() / "old.4tf"), c.status) << c.name;
        EXPECT_EQ(folder.Read("old.4tf"), "old content") << c.name;
        EXPECT_EQ(EntryCount(folder.Path()), 1u) << c.name;
        EXPECT_FALSE(DocumentFileMessage(c.status, folder.Path() / "old.4tf").empty());
    }
}

TEST(DocumentFile, SaveReplacesReadOnlyFileAndLinkTargetLeavingNothingBehind)
{
    TempFolder folder;
    Document doc;
    FillSample(doc);
    std::string expected;
    ASSERT_EQ(BuildDocumentFile(doc, expected), DocumentFileStatus::Done);

    folder.Write("ro.4tf", "old");
    fs::permissions(folder.Path() / "ro.4tf", fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(WriteDocument(doc, folder.Path() / "ro.4tf"), DocumentFileStatus::Done);
    EXPECT_EQ(folder.Read("ro.4tf"), expected);
    EXPECT_EQ(fs::status(folder.Path() / "ro.4tf").permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    folder.Write("target.4tf", "old");
    fs::create_symlink("target.4tf", folder.Path() / "link.4tf");
    ASSERT_EQ(WriteDocument(doc, folder.Path() / "link.4tf"), DocumentFileStatus::Done);
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.4tf"));
    EXPECT_EQ(folder.Read("target.4tf"), expected);
    EXPECT_EQ(EntryCount(folder.Path()), 3u);
}

TEST(DocumentFile, FailedSaveKeepsTheOldFileAndLeavesNothingBehind)
{
    TempFolder folder;
    Document doc;
    FillSample(doc, 2000);
    folder.Write("old.4tf", "old content");
    fs::create_directory(folder.Path() / "dir.4tf");

    // A file size limit makes the write itself fail half way, as a full disk would.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const DocumentFileStatus cut = WriteDocument(doc, folder.Path() / "old.4tf");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(cut, DocumentFileStatus::WriteFailed);
    EXPECT_EQ(folder.Read("old.4tf"), "old content");

    EXPECT_EQ(WriteDocument(doc, folder.Path() / "dir.4tf"), DocumentFileStatus::WriteFailed);
    EXPECT_EQ(WriteDocument(doc, folder.Path() / "no" / "such.4tf"), DocumentFileStatus::WriteFailed);
    EXPECT_EQ(EntryCount(folder.Path()), 2u);
    EXPECT_TRUE(fs::is_empty(folder.Path() / "dir.4tf"));
    const std::string message = DocumentFileMessage(DocumentFileStatus::WriteFailed, folder.Path() / "old.4tf");
    EXPECT_NE(message.find("old.4tf"), std::string::npos);
}

// Whatever a damaged file holds, reading never fails on it, and what was read saves and reads back
// exactly the same.
TEST(DocumentFile, MutatedFilesReadAndSaveStably)
{
    Document sample;
    FillSample(sample, 10);
    std::string base;
    ASSERT_EQ(BuildDocumentFile(sample, base), DocumentFileStatus::Done);
    const std::string pieces[] = { kSig, "|", "\r\n", std::string(1, '\0'), "\x1A", "FFFFFF0B000000000000|", "\x06" };

    std::mt19937 random(20240611);
    auto below = [&](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random() % n); };
    TempFolder folder;
    const fs::path file = folder.Path() / "m.4tf";
    const fs::path again = folder.Path() / "again.4tf";
    Document doc;
    Document reread;
    for (int round = 0; round < 1000; ++round) {
        std::string bytes = base;
        for (std::size_t m = 0, count = 1 + below(4); m < count; ++m) {
            const std::size_t at = below(bytes.size() + 1);
            switch (below(6)) {
            case 0:
                if (!bytes.empty()) bytes[below(bytes.size())] = static_cast<char>(random());
                break;
            case 1:
                bytes.insert(at, pieces[below(std::size(pieces))]);
                break;
            case 2:
                bytes.erase(at, below(40));
                break;
            case 3:
                bytes.resize(at);
                break;
            case 4:
                bytes.insert(at, bytes.substr(below(bytes.size()), below(60)));
                break;
            default:
                for (std::size_t i = below(12); i > 0; --i)
                    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<char>(random()));
            }
        }
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_EQ(ReadDocument(doc, file), DocumentFileStatus::Done) << "round " << round;
        ASSERT_LE(doc.Text().size(), bytes.size());
        ASSERT_LE(doc.Fonts().LastIndex(), 255);

        std::string saved;
        ASSERT_EQ(BuildDocumentFile(doc, saved), DocumentFileStatus::Done) << "round " << round;
        std::ofstream(again, std::ios::binary | std::ios::trunc)
            .write(saved.data(), static_cast<std::streamsize>(saved.size()));
        ASSERT_EQ(ReadDocument(reread, again), DocumentFileStatus::Done);
        ASSERT_EQ(Snapshot(reread), Snapshot(doc)) << "round " << round;
        std::string resaved;
        ASSERT_EQ(BuildDocumentFile(reread, resaved), DocumentFileStatus::Done);
        ASSERT_EQ(resaved, saved) << "round " << round;
    }
}
