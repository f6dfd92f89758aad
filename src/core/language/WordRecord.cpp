#include "language/WordRecord.h"

namespace quirel {
namespace {

std::int64_t ReadInt64LittleEndian(const unsigned char* bytes)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return static_cast<std::int64_t>(value);
}

void WriteInt64LittleEndian(std::int64_t value, unsigned char* bytes)
{
    auto bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<unsigned char>(bits & 0xFF);
        bits >>= 8;
    }
}

} // namespace

void AppendCodeField(std::int64_t value, std::string& out)
{
    if (value <= 0 || value > kMaxCodeFieldValue) return;
    // Padding the decimal digits to a multiple of three and reading them in threes is the same as
    // taking the value's base-1000 digits, most significant first.
    unsigned char groups[kCharsPerCodeField];
    std::size_t count = 0;
    for (auto rest = static_cast<std::uint64_t>(value); rest != 0; rest /= 1000) {
        const auto group = static_cast<unsigned>(rest % 1000);
        if (group > 255) return;
        groups[count++] = static_cast<unsigned char>(group);
    }
    while (count > 0)
        out += static_cast<char>(groups[--count]);
}

std::string DecodeCodeField(std::int64_t value)
{
    std::string out;
    AppendCodeField(value, out);
    return out;
}

void AppendRecordWord(const unsigned char* record, std::string& out)
{
    for (int field = 1; field <= kCodeFieldCount; ++field)
        AppendCodeField(ReadInt64LittleEndian(record + CodeFieldOffset(field)), out);
}

bool EncodeWordRecord(std::string_view word, WordRecordBytes& record)
{
    if (word.size() > kMaxRecordWordLength || word.find('\0') != std::string_view::npos) return false;
    record.fill(0);
    for (int field = 1; field <= kCodeFieldCount; ++field) {
        const std::size_t first = static_cast<std::size_t>(field - 1) * kCharsPerCodeField;
        if (first >= word.size()) break;
        std::int64_t value = 0;
        for (char c : word.substr(first, kCharsPerCodeField))
            value = value * 1000 + static_cast<unsigned char>(c);
        WriteInt64LittleEndian(value, record.data() + CodeFieldOffset(field));
    }
    return true;
}

} // namespace quirel
