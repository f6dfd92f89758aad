// The document file reader: any bytes read without fault, and what was read saves and reads back
// to the same file.
#include "FuzzFile.h"
#include "io/DocumentFile.h"

using namespace quirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Document document;
    if (ReadDocumentBytes(document, std::string_view(reinterpret_cast<const char*>(data), size))
        != DocumentFileStatus::Done)
        return 0;
    std::string saved;
    if (BuildDocumentFile(document, saved) != DocumentFileStatus::Done) return 0;
    Document again;
    fuzz::Check(ReadDocumentBytes(again, saved) == DocumentFileStatus::Done);
    std::string resaved;
    fuzz::Check(BuildDocumentFile(again, resaved) == DocumentFileStatus::Done);
    fuzz::Check(resaved == saved);
    return 0;
}
