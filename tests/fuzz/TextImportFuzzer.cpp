// The plain-text import: any bytes become a document without fault, every token in the current
// format.
#include "FuzzFile.h"
#include "io/TextImport.h"

using namespace quirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = fuzz::WriteInput("texto.txt", data, size);
    TextFileContents contents = ReadTextFile(file);
    fuzz::Check(contents.status == TextImportStatus::Done);
    Document document;
    if (ImportText(document, std::move(contents.text), "Candara") != TextImportStatus::Done) return 0;
    fuzz::Check(document.TokenCount() <= kMaxTokens);
    fuzz::Check(document.Fonts().LastIndex() == 0);
    for (int i = 1; i <= document.TokenCount(); ++i)
        fuzz::Check(document.Records().Get(i) == document.CurrentRecord());
    return 0;
}
