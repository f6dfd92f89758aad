#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirel {

// A word-list file is a run of 100-byte records without header or trailer. A record holds eight
// little-endian signed 64-bit code fields at offsets 4, 16, 28, 40, 52, 64, 76 and 88 (the four
// bytes before each field are not read). A field greater than zero carries one to five characters:
// its decimal digits, left-padded with zeros to a multiple of three, read three at a time as
// Windows-1252 byte values. The word of a record is its fields' characters in field order.
inline constexpr std::size_t kWordRecordSize = 100;
inline constexpr int kCodeFieldCount = 8;
inline constexpr std::size_t kCharsPerCodeField = 5;
inline constexpr std::size_t kMaxRecordWordLength = kCodeFieldCount * kCharsPerCodeField; // 40
// The largest value a field can carry: five groups of 255.
inline constexpr std::int64_t kMaxCodeFieldValue = 255'255'255'255'255;

using WordRecordBytes = std::array<unsigned char, kWordRecordSize>;

// Byte offset of code field 1..8 inside a record.
constexpr std::size_t CodeFieldOffset(int field)
{
    return 4 + 12 * static_cast<std::size_t>(field - 1);
}

// The characters of one code field. A value of zero or less carries none. Values outside the
// format (more than fifteen digits, or a three-digit group above 255) carry none either: the
// field is skipped and the other fields of the record still count. A group 000 inside the value
// gives the byte 0.
std::string DecodeCodeField(std::int64_t value);

// Appends the characters of one code field to out (the same rules as DecodeCodeField).
void AppendCodeField(std::int64_t value, std::string& out);

// Appends the word of one record (fields 1-8 in order) to out, neither trimmed nor lower-cased.
// record must point at kWordRecordSize readable bytes.
void AppendRecordWord(const unsigned char* record, std::string& out);

// Writes word (Windows-1252 bytes) as a record: five characters per field, unused fields and the
// unread gaps zero. Refuses (returns false, record untouched) a word longer than 40 bytes or one
// holding the byte 0, which the field coding cannot carry.
bool EncodeWordRecord(std::string_view word, WordRecordBytes& record);

} // namespace quirel
