#pragma once

#include "document/Document.h"
#include "io/FileError.h"
#include "io/FilePort.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

// A document file is the concatenation of four sections, each closed by the signature:
//   1. the text, byte for byte;
//   2. the format records of tokens 1 to N joined with "|";
//   3. the font face names of slots 0 to K joined with "|";
//   4. the producer line.
// There is no header, length or checksum: a reader finds the sections only by the signature.
inline constexpr std::string_view kDocumentSignature = "fanavo.mee.4x4x";
inline constexpr char kRecordSeparator = '|';

// Document files longer than this are neither read nor written (far beyond any document of 300000
// tokens; it keeps a hostile file from exhausting the memory).
inline constexpr std::size_t kMaxDocumentFileBytes = std::size_t { 256 } << 20;

// Outcome of reading or writing a document file.
enum class DocumentFileStatus {
    Done,
    // Saving: nothing was written and the file on disk is as it was.
    TextHoldsSignature, // the text holds the signature, which would split it on the next read
    FaceNameHoldsMarker, // a face name holds "|" or the signature, which would shift the font list
    DataHoldsMarker, // a format record holds "|" or the signature, or the producer line the signature
    DocumentTooLarge, // the file would be longer than kMaxDocumentFileBytes
    WriteFailed, // the new file could not be written or put in place
    // Reading: the document is unchanged after each of these.
    Unreadable, // the file could not be opened or read (a folder, a pipe, no permission)
    FileTooLarge, // longer than kMaxDocumentFileBytes
    TooManyTokens, // the text cuts into more than 300000 tokens
};

// The outcome of reading or writing a document file, with why the file itself failed (for
// WriteFailed and Unreadable). Compares equal to its status.
struct DocumentFileResult {
    DocumentFileResult(DocumentFileStatus status = DocumentFileStatus::Done, FileError error = {})
        : status(status)
        , error(error)
    {
    }

    DocumentFileStatus status;
    FileError error;

    bool operator==(DocumentFileStatus other) const { return status == other; }
};

// Appends items first to last to out, with "|" between them (none after the last); appends nothing
// when last < first. itemAt(i) gives item i as text.
template <typename ItemAt> void JoinRecords(std::string& out, int first, int last, ItemAt&& itemAt)
{
    for (int i = first; i <= last; ++i) {
        if (i > first) out.push_back(kRecordSeparator);
        out.append(itemAt(i));
    }
}

// The bytes of the document file of document: its text, the records of tokens 1 to N, the face
// names of font slots 0 to K and its producer line, each section closed by the signature.
// Refuses (an empty string and the status) a document whose file would not read back as it is:
// see DocumentFileStatus for the cases.
DocumentFileStatus BuildDocumentFile(const Document& document, std::string& bytes);

// Saves document as file, writing through port. An existing file is replaced only once the new
// one is completely written (callers must not delete it first), so a refused, failed or
// interrupted save leaves the old file as it was. A read-only file is replaced as long as its
// folder is writable. Copies left by interrupted saves of file are removed.
// Returns Done or one of the saving statuses; the document is never changed.
DocumentFileResult WriteDocument(
    const Document& document, const std::filesystem::path& file, FilePort& port = SystemFiles());

// Reads file into document: the text (cut into tokens), format records 1 to n of the file with
// every other slot holding FFFFFF0B000000000000, the font table with K the last face name of the
// file, and the producer line. The current format becomes white background, 11 points, font K,
// no style, no emoticon, black text.
// Nothing in the file is validated: a section without its closing signature runs to the end of the
// file (a file without any signature is all text), records of any length or content are kept (cut
// to 20 characters), and records beyond slot 300000 and face names beyond slot 255 are ignored.
// Returns Done; Unreadable (with why), FileTooLarge or TooManyTokens with the document unchanged.
// Copies left by interrupted saves of file are removed.
DocumentFileResult ReadDocument(Document& document, const std::filesystem::path& file);

// Reads the bytes of a document file into document, as ReadDocument does with a file's bytes:
// Done, or TooManyTokens with the document unchanged.
DocumentFileStatus ReadDocumentBytes(Document& document, std::string_view bytes);

// True when face can stand in a document file's font list: it holds neither "|" nor the signature,
// which would shift the face names and the sections on the next read.
bool IsStorableFaceName(std::string_view face);

// The message for the user (Windows-1252, shown under the title "Programador") after a read or
// save of file ended with result; empty for Done.
std::string DocumentFileMessage(const DocumentFileResult& result, const std::filesystem::path& file);

} // namespace quirel
