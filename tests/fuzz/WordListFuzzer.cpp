// A word-list file: any bytes load without fault, one entry per whole record, and every entry is
// found again.
#include "FuzzFile.h"
#include "language/WordLists.h"
#include "language/WordRecord.h"

using namespace quirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = fuzz::WriteInput("diccionario.log", data, size);
    WordList list;
    LoadWordList(file, list, 256, nullptr, nullptr);
    fuzz::Check(list.Size() == (size % kWordRecordSize == 0 ? size / kWordRecordSize : 0));
    for (std::size_t i = 1; i <= list.Size(); ++i)
        fuzz::Check(list.Contains(list.Entry(i)));
    return 0;
}
