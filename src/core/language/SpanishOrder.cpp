#include "language/SpanishOrder.h"

#include "document/Cp1252.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace quirel {
namespace {

// Key bytes: 1 ends a level; weights start at 2. A sign takes two primary bytes (kSign and its
// own byte) so that signs keep an order among themselves and all stay below the digits.
constexpr unsigned char kLevelEnd = 1;
constexpr unsigned char kSign = 2;
constexpr unsigned char kFirstDigit = 0x10;
constexpr unsigned char kFirstLetter = 0x20;

// Accent weights (the second level); a letter without accent weighs kPlain.
enum Accent : unsigned char {
    kPlain = 2,
    kAcute,
    kGrave,
    kCircumflex,
    kTilde,
    kDiaeresis,
    kRing,
    kCedilla,
    kCaron,
    kStroke,
    kLigature
};

struct Weights {
    std::array<unsigned char, 256> primary {}; // 0: a sign
    std::array<unsigned char, 256> accent {};
    std::array<bool, 256> capital {};
};

constexpr unsigned char Letter(char base)
{
    // a..z at even steps from kFirstLetter, leaving the odd step after n for ñ.
    return static_cast<unsigned char>(kFirstLetter + 2 * (base - 'a'));
}

// The weights of the small letters and digits are listed; a capital letter weighs as its small
// letter (through the program's one case mapping) and is marked capital.
Weights MakeWeights()
{
    Weights w;
    auto set = [&w](int byte, unsigned char primary, Accent accent) {
        w.primary[byte] = primary;
        w.accent[byte] = accent;
    };
    for (int d = 0; d < 10; ++d)
        set('0' + d, static_cast<unsigned char>(kFirstDigit + d), kPlain);
    for (char c = 'a'; c <= 'z'; ++c)
        set(c, Letter(c), kPlain);
    struct Accented {
        int small;
        unsigned char primary;
        Accent accent;
    };
    const Accented kAccented[] = {
        { 0xE0, Letter('a'), kGrave }, { 0xE1, Letter('a'), kAcute }, { 0xE2, Letter('a'), kCircumflex },
        { 0xE3, Letter('a'), kTilde }, { 0xE4, Letter('a'), kDiaeresis }, { 0xE5, Letter('a'), kRing },
        { 0xE6, Letter('a'), kLigature }, { 0xE7, Letter('c'), kCedilla }, { 0xE8, Letter('e'), kGrave },
        { 0xE9, Letter('e'), kAcute }, { 0xEA, Letter('e'), kCircumflex }, { 0xEB, Letter('e'), kDiaeresis },
        { 0xEC, Letter('i'), kGrave }, { 0xED, Letter('i'), kAcute }, { 0xEE, Letter('i'), kCircumflex },
        { 0xEF, Letter('i'), kDiaeresis }, { 0xF0, Letter('d'), kStroke }, { 0xF2, Letter('o'), kGrave },
        { 0xF3, Letter('o'), kAcute }, { 0xF4, Letter('o'), kCircumflex }, { 0xF5, Letter('o'), kTilde },
        { 0xF6, Letter('o'), kDiaeresis }, { 0xF8, Letter('o'), kStroke }, { 0xF9, Letter('u'), kGrave },
        { 0xFA, Letter('u'), kAcute }, { 0xFB, Letter('u'), kCircumflex }, { 0xFC, Letter('u'), kDiaeresis },
        { 0xFD, Letter('y'), kAcute }, { 0xFF, Letter('y'), kDiaeresis },
        { 0xF1, static_cast<unsigned char>(Letter('n') + 1), kPlain }, // ñ between n and o
        { 0xFE, static_cast<unsigned char>(Letter('z') + 1), kLigature }, // þ after z
        { 0xDF, Letter('s'), kLigature }, // ß
        { 0x9A, Letter('s'), kCaron }, // š
        { 0x9E, Letter('z'), kCaron }, // ž
        { 0x9C, Letter('o'), kLigature }, // œ
        { 0x83, Letter('f'), kStroke }, // ƒ
    };
    for (const Accented& a : kAccented)
        set(a.small, a.primary, a.accent);
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char small = ToLowerByte(static_cast<unsigned char>(byte));
        if (small != byte) {
            set(byte, w.primary[small], static_cast<Accent>(w.accent[small]));
            w.capital[byte] = true;
        }
    }
    return w;
}

const Weights kWeights = MakeWeights();

} // namespace

void AppendSpanishSortKey(std::string_view word, std::string& key)
{
    std::size_t signs = 0;
    for (const char c : word)
        signs += kWeights.primary[static_cast<unsigned char>(c)] == 0 ? 1 : 0;
    const std::size_t start = key.size();
    key.resize(start + 3 * word.size() + signs + 2);
    char* out = key.data() + start;
    for (const char c : word) {
        const unsigned char primary = kWeights.primary[static_cast<unsigned char>(c)];
        if (primary != 0) {
            *out++ = static_cast<char>(primary);
        } else {
            *out++ = static_cast<char>(kSign);
            *out++ = c;
        }
    }
    *out++ = static_cast<char>(kLevelEnd);
    for (const char c : word) {
        const unsigned char accent = kWeights.accent[static_cast<unsigned char>(c)];
        *out++ = static_cast<char>(accent != 0 ? accent : static_cast<unsigned char>(kPlain));
    }
    *out++ = static_cast<char>(kLevelEnd);
    for (const char c : word)
        *out++ = static_cast<char>(kWeights.capital[static_cast<unsigned char>(c)] ? 3 : 2);
}

std::vector<std::size_t> SpanishOrder(const std::vector<std::string>& words)
{
    // All keys in one buffer: no allocation per word.
    std::string keys;
    std::size_t total = 0;
    for (const std::string& word : words)
        total += 4 * word.size() + 2;
    keys.reserve(total);
    std::vector<std::size_t> ends;
    ends.reserve(words.size());
    for (const std::string& word : words) {
        AppendSpanishSortKey(word, keys);
        ends.push_back(keys.size());
    }
    auto keyOf = [&](std::size_t i) {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(keys).substr(begin, ends[i] - begin);
    };
    std::vector<std::size_t> order(words.size());
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    // std::string_view compares as unsigned characters (char_traits<char>::compare is memcmp-like).
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keyOf(a) < keyOf(b); });
    return order;
}

} // namespace quirel
