#include "io/DocumentFile.h"

#include "document/Cp1252.h"
#include "io/FileBytes.h"
#include "io/IoMessages.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace quirel {
namespace {

constexpr int kSectionCount = 4;

// The four sections of a document file. Each runs from the end of the previous signature to the
// next one, or to the end of the file when no signature follows (a truncated file keeps what it
// holds); sections after the last one present are empty.
std::array<std::string_view, kSectionCount> SplitSections(std::string_view bytes)
{
    std::array<std::string_view, kSectionCount> sections {};
    std::size_t start = 0;
    for (auto& section : sections) {
        if (start == std::string_view::npos) break;
        const std::size_t end = bytes.find(kDocumentSignature, start);
        if (end == std::string_view::npos) {
            section = bytes.substr(start);
            start = std::string_view::npos;
        } else {
            section = bytes.substr(start, end - start);
            start = end + kDocumentSignature.size();
        }
    }
    return sections;
}

// Calls store(index, part) for the parts of section split at "|", index counting from first, up
// to index last; an empty section is one empty part. Parts beyond last are ignored.
template <typename Store> void SplitRecords(std::string_view section, int first, int last, Store&& store)
{
    for (int index = first; index <= last; ++index) {
        const std::size_t bar = section.find(kRecordSeparator);
        store(index, section.substr(0, bar));
        if (bar == std::string_view::npos) return;
        section.remove_prefix(bar + 1);
    }
}

std::size_t FileSize(const Document& document)
{
    const std::size_t records = static_cast<std::size_t>(document.TokenCount());
    std::size_t size = document.Text().size() + kSectionCount * kDocumentSignature.size()
        + (records > 0 ? records * (FormatRecord::kLength + 1) - 1 : 0) + document.ProducerLine().size();
    for (int i = 0; i <= document.Fonts().LastIndex(); ++i)
        size += document.Fonts().Name(i).size() + 1;
    return size;
}

// Appends records 1 to count joined with "|" (what JoinRecords gives, written straight into the
// buffer: this is the bulk of a file). False when a record holds "|" or the signature.
bool AppendRecordList(const FormatRecords& records, int count, std::string& bytes)
{
    const std::size_t start = bytes.size();
    bytes.resize(start + static_cast<std::size_t>(count) * (FormatRecord::kLength + 1));
    char* out = bytes.data() + start;
    for (int i = 1; i <= count; ++i) {
        if (i > 1) *out++ = kRecordSeparator;
        const std::string_view text = records.Get(i).Text();
        if (text.size() == FormatRecord::kLength)
            std::memcpy(out, text.data(), FormatRecord::kLength);
        else
            std::memcpy(out, text.data(), text.size());
        out += text.size();
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));

    // Checked once joined rather than record by record: the separators must be exactly the ones put
    // there, and the signature must not occur.
    const std::string_view list(bytes.data() + start, bytes.size() - start);
    int separators = 0;
    for (const char *at = list.data(), *end = list.data() + list.size();
         (at = static_cast<const char*>(std::memchr(at, kRecordSeparator, static_cast<std::size_t>(end - at)))); ++at)
        ++separators;
    if (separators != std::max(count - 1, 0)) return false;
    return list.find(kDocumentSignature) == std::string_view::npos;
}

void ResetCurrentFormat(CurrentFormat& current)
{
    current.background = 0xFFFFFF;
    current.size = 11;
    current.style = 0;
    current.emoticon = 0;
    current.textColor = 0;
}

} // namespace

bool IsStorableFaceName(std::string_view face)
{
    return face.find(kRecordSeparator) == std::string_view::npos
        && face.find(kDocumentSignature) == std::string_view::npos;
}

DocumentFileStatus BuildDocumentFile(const Document& document, std::string& bytes)
{
    bytes.clear();
    const FontTable& fonts = document.Fonts();
    if (document.Text().find(kDocumentSignature) != std::string::npos) return DocumentFileStatus::TextHoldsSignature;
    for (int i = 0; i <= fonts.LastIndex(); ++i) {
        if (!IsStorableFaceName(fonts.Name(i))) return DocumentFileStatus::FaceNameHoldsMarker;
    }
    if (document.ProducerLine().find(kDocumentSignature) != std::string::npos)
        return DocumentFileStatus::DataHoldsMarker;
    const std::size_t size = FileSize(document);
    if (size > kMaxDocumentFileBytes) return DocumentFileStatus::DocumentTooLarge;

    bytes.reserve(size);
    bytes.append(document.Text()).append(kDocumentSignature);
    if (!AppendRecordList(document.Records(), document.TokenCount(), bytes)) {
        bytes.clear();
        return DocumentFileStatus::DataHoldsMarker;
    }
    bytes.append(kDocumentSignature);
    JoinRecords(bytes, 0, fonts.LastIndex(), [&](int i) -> std::string_view { return fonts.Name(i); });
    bytes.append(kDocumentSignature).append(document.ProducerLine()).append(kDocumentSignature);
    return DocumentFileStatus::Done;
}

DocumentFileResult WriteDocument(const Document& document, const std::filesystem::path& file, FilePort& port)
{
    std::string bytes;
    const DocumentFileStatus built = BuildDocumentFile(document, bytes);
    if (built != DocumentFileStatus::Done) return { built, {} };
    const FileError error = ReplaceFileContents(file, bytes, port);
    return { error.Ok() ? DocumentFileStatus::Done : DocumentFileStatus::WriteFailed, error };
}

DocumentFileResult ReadDocument(Document& document, const std::filesystem::path& file)
{
    std::string bytes;
    FileError error;
    const FileReadStatus read = ReadFileBytes(file, kMaxDocumentFileBytes, bytes, &error);
    if (read == FileReadStatus::TooLarge) return { DocumentFileStatus::FileTooLarge, error };
    // A file that cannot be read leaves the document as it was: the user keeps what is on screen.
    if (read == FileReadStatus::Unreadable) return { DocumentFileStatus::Unreadable, error };
    RemoveStaleCopies(file);
    return { ReadDocumentBytes(document, bytes), {} };
}

DocumentFileStatus ReadDocumentBytes(Document& document, std::string_view bytes)
{
    const auto sections = SplitSections(bytes);
    // The text goes first: it is the only part that can be refused, and nothing may change then.
    if (document.SetText(std::string(sections[0])) == EditStatus::Refused) return DocumentFileStatus::TooManyTokens;

    ResetCurrentFormat(document.Current());
    FormatRecords& records = document.Records();
    records.Reset(MakeFormatRecord(FormatFields {}));
    // Writing the last slot a list of whole records reaches first grows the table once instead of
    // once per record; that slot holds the reset record until its own record arrives.
    const auto expected = static_cast<int>(
        std::min<std::size_t>(FormatRecords::kSlots, (sections[1].size() + 1) / (FormatRecord::kLength + 1)));
    if (expected > 0) records.Set(expected, records.Get(expected));
    SplitRecords(sections[1], 1, FormatRecords::kSlots,
        [&](int index, std::string_view part) { records.Set(index, FormatRecord(part)); });

    std::array<std::string_view, FontTable::kSlots> names {};
    std::size_t nameCount = 0;
    SplitRecords(sections[2], 0, FontTable::kSlots - 1, [&](int, std::string_view part) { names[nameCount++] = part; });
    document.Fonts().Assign(std::span<const std::string_view>(names.data(), nameCount));

    document.SetProducerLine(std::string(sections[3]));
    return DocumentFileStatus::Done;
}

std::string DocumentFileMessage(const DocumentFileResult& result, const std::filesystem::path& file)
{
    const std::string name = NameForMessage(file);
    const std::string why = "\r\n" + FileProblemText(result.error);
    const auto named
        = [&name](std::string_view head, std::string_view tail) { return std::string(head).append(name).append(tail); };
    const auto notSaved = [](std::string_view reason) { return std::string(kDocumentNotSavedHead).append(reason); };
    switch (result.status) {
    case DocumentFileStatus::Done:
        return {};
    case DocumentFileStatus::TextHoldsSignature:
        return notSaved(kTextHoldsSignatureMessage);
    case DocumentFileStatus::FaceNameHoldsMarker:
        return notSaved(kFaceNameHoldsMarkerMessage);
    case DocumentFileStatus::DataHoldsMarker:
        return notSaved(kDataHoldsMarkerMessage);
    case DocumentFileStatus::DocumentTooLarge:
        return notSaved(kDocumentTooLargeMessage);
    case DocumentFileStatus::WriteFailed:
        return named(kDocumentNotWrittenHead, why + std::string(kOldFileKeptTail));
    case DocumentFileStatus::Unreadable:
        return named(kDocumentUnreadableHead, why + std::string(kDocumentUnchangedTail));
    case DocumentFileStatus::FileTooLarge:
        return named(kDocumentFileTooLargeHead, kDocumentUnchangedTail);
    case DocumentFileStatus::TooManyTokens:
        return named(kDocumentTooManyTokensHead, kDocumentUnchangedTail);
    }
    return {};
}

} // namespace quirel
