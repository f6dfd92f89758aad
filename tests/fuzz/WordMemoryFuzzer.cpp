// The word memory: any file gives completions without fault, and a word just remembered is found
// and completes.
#include "FuzzFile.h"
#include "io/WordMemory.h"

using namespace quirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::WriteInput(kWordMemoryFileName, data, size);
    const WordMemory memory(fuzz::Folder());
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string prefix(input.substr(0, input.size() % 7));
    const std::string completion = memory.CompleteWord(prefix);
    fuzz::Check(completion.size() <= kWordMemoryRecordSize); // a record without its zero byte is all word
    memory.IsRemembered(prefix);
    const auto known = [](std::string_view) { return true; };
    if (memory.RememberWord("Zapato", known) == RememberStatus::Stored) {
        fuzz::Check(memory.IsRemembered("zapato"));
        fuzz::Check(!memory.CompleteWord("zapa").empty()); // "zapato" at least completes it
    }
    return 0;
}
