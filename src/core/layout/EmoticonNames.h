#pragma once

namespace quirel {

// Emoticon pictures are numbered 1 to kEmoticonCount; a record's emoticon number 0 means none.
inline constexpr int kEmoticonCount = 188;

// The name the emoticon list shows for picture `number`, as Windows-1252 text: pictures 1 to 26
// have names of their own ("enfadado", "pestañear", … "guiño"), 27 to kEmoticonCount are all
// "emoji". Any other number gives the empty text; the result is never null and lives for the
// whole run.
const char* EmoticonName(int number);

} // namespace quirel
