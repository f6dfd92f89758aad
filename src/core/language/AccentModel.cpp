#include "language/AccentModel.h"

#include "language/Mix64.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace quirel {
namespace {

constexpr char kMagic[4] = { 'Q', 'T', 'L', 'D' };
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMaxSlots = 8u << 20; // 64 MB
constexpr int kCountBits = 20;
constexpr std::uint64_t kCountMask = (std::uint64_t { 1 } << kCountBits) - 1;
constexpr std::uint64_t kFingerprintMask = ~kCountMask;

// The upper bits of a slot: 43 bits of the key under a set top bit, so an occupied slot is never 0.
std::uint64_t FingerprintOf(std::uint64_t key)
{
    return ((key << kCountBits) | (std::uint64_t { 1 } << 63)) & kFingerprintMask;
}

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetLittleEndian(const unsigned char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::uint64_t AccentWordHash(std::string_view text)
{
    std::uint64_t h = 0xCBF29CE484222325ULL; // FNV-1a
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001B3ULL;
    }
    return Mix64(h);
}

std::uint64_t AccentKey(AccentFeature feature, std::uint64_t a, std::uint64_t b, std::uint64_t c)
{
    std::uint64_t h = Mix64(static_cast<std::uint64_t>(feature) * 0x9E3779B97F4A7C15ULL ^ a);
    h = Mix64(h ^ (b + 0x632BE59BD9B4E019ULL));
    return Mix64(h ^ (c + 0x8CB92BA72F3D8DD7ULL));
}

std::size_t AccentModel::SlotOf(std::uint64_t key) const
{
    // The key's upper bits pick the slot; its lower bits are the fingerprint.
    return static_cast<std::size_t>((static_cast<unsigned __int128>(key) * m_slots.size()) >> 64);
}

std::uint32_t AccentModel::Count(std::uint64_t key) const
{
    if (m_slots.empty()) return 0;
    const std::uint64_t fingerprint = FingerprintOf(key);
    const std::size_t size = m_slots.size();
    for (std::size_t i = SlotOf(key);; i = i + 1 == size ? 0 : i + 1) {
        const std::uint64_t slot = m_slots[i];
        if (slot == 0) return 0;
        if ((slot & kFingerprintMask) == fingerprint) return static_cast<std::uint32_t>(slot & kCountMask);
    }
}

AccentModel AccentModel::FromCounts(const std::unordered_map<std::uint64_t, std::uint32_t>& counts)
{
    AccentModel model;
    const std::size_t wanted = std::count_if(counts.begin(), counts.end(), [](const auto& e) { return e.second > 0; });
    if (wanted == 0) return model;
    // At most 70 % full: a key that was not counted then ends its search within a few slots.
    model.m_slots.assign(std::max<std::size_t>(16, wanted * 10 / 7 + 1), 0);
    const std::size_t size = model.m_slots.size();
    for (const auto& [key, count] : counts) {
        if (count == 0) continue;
        std::size_t i = model.SlotOf(key);
        while (model.m_slots[i] != 0 && (model.m_slots[i] & kFingerprintMask) != FingerprintOf(key))
            i = i + 1 == size ? 0 : i + 1;
        // Two keys with one fingerprint (about one pair in 10^6 tables) share their slot and add up.
        const std::uint64_t previous = model.m_slots[i] & kCountMask;
        model.m_slots[i] = FingerprintOf(key) | std::min<std::uint64_t>(kMaxAccentCount, previous + count);
        model.m_entries += previous == 0 ? 1 : 0;
    }
    return model;
}

std::string AccentModel::Serialize() const
{
    std::string out(kMagic, sizeof kMagic);
    PutLittleEndian(out, kVersion, 4);
    PutLittleEndian(out, m_slots.size(), 8);
    out.reserve(out.size() + m_slots.size() * 8);
    for (const std::uint64_t slot : m_slots)
        PutLittleEndian(out, slot, 8);
    return out;
}

AccentModelStatus LoadAccentModel(const std::filesystem::path& file, AccentModel& model)
{
    model = AccentModel();
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (!stream) return AccentModelStatus::Missing;
    unsigned char header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, stream.get()) != kHeaderSize
        || std::memcmp(header, kMagic, sizeof kMagic) != 0 || GetLittleEndian(header + 4, 4) != kVersion)
        return AccentModelStatus::Damaged;
    const std::uint64_t slotCount = GetLittleEndian(header + 8, 8);
    if (slotCount == 0 || slotCount > kMaxSlots) return AccentModelStatus::Damaged;
    try {
        model.m_slots.resize(static_cast<std::size_t>(slotCount));
    } catch (const std::bad_alloc&) {
        model = AccentModel();
        return AccentModelStatus::Damaged;
    }
    const bool complete
        = std::fread(model.m_slots.data(), 8, model.m_slots.size(), stream.get()) == model.m_slots.size()
        && std::fgetc(stream.get()) == EOF;
    if constexpr (std::endian::native == std::endian::big) {
        for (std::uint64_t& slot : model.m_slots)
            slot = GetLittleEndian(reinterpret_cast<const unsigned char*>(&slot), 8);
    }
    model.m_entries = static_cast<std::size_t>(
        std::count_if(model.m_slots.begin(), model.m_slots.end(), [](std::uint64_t slot) { return slot != 0; }));
    // A table without a free slot would make the search for a missing key go round for ever.
    if (!complete || model.m_entries == model.m_slots.size()) {
        model = AccentModel();
        return AccentModelStatus::Damaged;
    }
    return AccentModelStatus::Loaded;
}

} // namespace quirel
