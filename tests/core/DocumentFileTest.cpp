#include "io/DocumentFile.h"

#include "FailingFiles.h"
#include "TempFolder.h"
#include "TestText.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(DocumentFile, UnreadableFileLeavesTheDocumentAsItWasAndSaysWhy)
{
    TempFolder folder;
    fs::create_directory(folder.Path() / "dir.4tf");
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe.4tf").c_str(), 0600), 0); // must not wait for a writer
    const std::pair<const char*, const char*> cases[]
        = { { "missing.4tf", "El fichero no existe." }, { "dir.4tf", "Es una carpeta, no un fichero." },
              { "pipe.4tf", "No es un fichero normal" }, { "no/such.4tf", "El fichero no existe." } };
    for (const auto& [name, why] : cases) {
        Document doc;
        FillSample(doc);
        const Saved before = Snapshot(doc);
        const auto result = ReadDocument(doc, folder.Path() / name);
        EXPECT_EQ(result, DocumentFileStatus::Unreadable) << name;
        EXPECT_EQ(Snapshot(doc), before) << name;
        const std::string message = DocumentFileMessage(result, folder.Path() / name);
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find(why), std::string::npos) << message;
        EXPECT_NE(message.find("El documento actual no se ha modificado."), std::string::npos) << message;
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

TEST(DocumentFile, FailedSaveKeepsTheOldFileLeavesNothingBehindAndSaysWhy)
{
    TempFolder folder;
    Document doc;
    FillSample(doc, 2000);
    folder.Write("old.4tf", "old content");
    fs::create_directory(folder.Path() / "dir.4tf");

    // A file size limit makes the system's own write fail half way.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto cut = WriteDocument(doc, folder.Path() / "old.4tf");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(cut, DocumentFileStatus::WriteFailed);
    EXPECT_EQ(folder.Read("old.4tf"), "old content");

    fs::create_symlink("/dev/null", folder.Path() / "null.4tf"); // a device must never be replaced
    FailingFiles fullDisk;
    fullDisk.writeLimit = 4096;
    FailingFiles noPermission;
    noPermission.renameError = EACCES;
    struct Case {
        fs::path file;
        FilePort& port;
        const char* why;
    };
    const Case cases[] = {
        { folder.Path() / "old.4tf", fullDisk, "No queda espacio en el disco." },
        { folder.Path() / "old.4tf", noPermission, "No tiene permiso" },
        { folder.Path() / "dir.4tf", SystemFiles(), "Es una carpeta" },
        { folder.Path() / "null.4tf", SystemFiles(), "No es un fichero normal" },
        { folder.Path() / "no" / "such.4tf", SystemFiles(), "La carpeta no existe." },
        { folder.Path() / (std::string(256, 'n') + ".4tf"), SystemFiles(),
            "El nombre del fichero es demasiado largo." },
    };
    for (const Case& c : cases) {
        const auto result = WriteDocument(doc, c.file, c.port);
        EXPECT_EQ(result, DocumentFileStatus::WriteFailed) << c.why;
        const std::string message = DocumentFileMessage(result, c.file);
        EXPECT_NE(message.find(c.why), std::string::npos) << message;
        EXPECT_NE(message.find(c.file.filename().string().substr(0, 20)), std::string::npos) << message;
    }
    EXPECT_EQ(folder.Read("old.4tf"), "old content");
    EXPECT_EQ(EntryCount(folder.Path()), 3u);
    EXPECT_TRUE(fs::is_empty(folder.Path() / "dir.4tf"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(DocumentFile, NamesUpToTheFileSystemsLimitAreSaved)
{
    TempFolder folder;
    Document doc;
    FillSample(doc);
    for (std::size_t length : { 231u, 232u, 255u }) {
        const auto file = folder.Path() / (std::string(length - 4, 'l') + ".4tf");
        EXPECT_EQ(WriteDocument(doc, file), DocumentFileStatus::Done) << length;
        Document copy;
        EXPECT_EQ(ReadDocument(copy, file), DocumentFileStatus::Done) << length;
        EXPECT_EQ(Snapshot(copy), Snapshot(doc)) << length;
    }
    EXPECT_EQ(EntryCount(folder.Path()), 3u);
}

// Copies that interrupted saves left: one of a save killed half way (its process is gone), one of
// an earlier version of the program under the old name, and one of a save still running in another
// program (the process with id 1 always runs). Saving or opening the document removes the first two.
TEST(DocumentFile, SaveAndOpenRemoveWhatInterruptedSavesLeft)
{
    TempFolder folder;
    Document doc;
    FillSample(doc, 500);
    for (const bool byOpening : { false, true }) {
        const auto file = folder.Path() / (byOpening ? "abierto.4tf" : "grabado.4tf");
        ASSERT_EQ(WriteDocument(doc, file), DocumentFileStatus::Done);
        class Killed : public FilePort {
            int Write(int fd, std::string_view bytes) override
            {
                FilePort::Write(fd, bytes.substr(0, bytes.size() / 2));
                ::_exit(0);
            }
        };
        const pid_t child = ::fork();
        if (child == 0) {
            Killed killed;
            WriteDocument(doc, file, killed);
            ::_exit(1);
        }
        ASSERT_GT(child, 0);
        ::waitpid(child, nullptr, 0);
        const std::string old = "." + file.filename().string() + ".tmp-" + std::to_string(child) + "-77-0";
        const std::string running = "." + file.filename().string() + ".tmp-1-77-0";
        folder.Write(old, "old litter");
        folder.Write(running, "a save in progress");
        const std::size_t before = EntryCount(folder.Path());
        if (byOpening) {
            Document copy;
            EXPECT_EQ(ReadDocument(copy, file), DocumentFileStatus::Done);
        } else {
            EXPECT_EQ(WriteDocument(doc, file), DocumentFileStatus::Done);
        }
        EXPECT_EQ(EntryCount(folder.Path()), before - 2) << byOpening;
        EXPECT_FALSE(fs::exists(folder.Path() / old));
        EXPECT_TRUE(fs::exists(folder.Path() / running));
        fs::remove(folder.Path() / running);
    }
    EXPECT_EQ(EntryCount(folder.Path()), 2u);
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
