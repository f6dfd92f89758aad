#include "language/SpanishOrder.h"

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
    enum Accent : unsigned char { kPlain = 2, kAcute, kGrave, kCircumflex, kTilde, kDiaeresis, kRing, kCedilla,
        kCaron, kStroke, kLigature };

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

    constexpr Weights MakeWeights()
    {
        Weights w;
        auto set = [&w](int byte, unsigned char primary, Accent accent, bool capital) {
            w.primary[byte] = primary;
            w.accent[byte] = accent;
            w.capital[byte] = capital;
        };
        for (int d = 0; d < 10; ++d)
            set('0' + d, static_cast<unsigned char>(kFirstDigit + d), kPlain, false);
        for (char c = 'a'; c <= 'z'; ++c) {
            set(c, Letter(c), kPlain, false);
            set(c - 32, Letter(c), kPlain, true);
        }
        // Latin-1 letters: the small form is the capital + 32 (except ß and ÿ).
        struct Accented {
            int capital;
            char base;
            Accent accent;
        };
        constexpr Accented kLatin1[] = {
            { 0xC0, 'a', kGrave }, { 0xC1, 'a', kAcute }, { 0xC2, 'a', kCircumflex }, { 0xC3, 'a', kTilde },
            { 0xC4, 'a', kDiaeresis }, { 0xC5, 'a', kRing }, { 0xC6, 'a', kLigature }, { 0xC7, 'c', kCedilla },
            { 0xC8, 'e', kGrave }, { 0xC9, 'e', kAcute }, { 0xCA, 'e', kCircumflex }, { 0xCB, 'e', kDiaeresis },
            { 0xCC, 'i', kGrave }, { 0xCD, 'i', kAcute }, { 0xCE, 'i', kCircumflex }, { 0xCF, 'i', kDiaeresis },
            { 0xD0, 'd', kStroke }, { 0xD2, 'o', kGrave }, { 0xD3, 'o', kAcute }, { 0xD4, 'o', kCircumflex },
            { 0xD5, 'o', kTilde }, { 0xD6, 'o', kDiaeresis }, { 0xD8, 'o', kStroke }, { 0xD9, 'u', kGrave },
            { 0xDA, 'u', kAcute }, { 0xDB, 'u', kCircumflex }, { 0xDC, 'u', kDiaeresis }, { 0xDD, 'y', kAcute },
            { 0xDE, 'z', kLigature }, // þ after z
        };
        for (const Accented& a : kLatin1) {
            const auto primary = static_cast<unsigned char>(Letter(a.base) + (a.capital == 0xDE ? 1 : 0));
            set(a.capital, primary, a.accent, true);
            set(a.capital + 32, primary, a.accent, false);
        }
        set(0xD1, Letter('n') + 1, kPlain, true); // Ñ
        set(0xF1, Letter('n') + 1, kPlain, false); // ñ
        set(0xDF, Letter('s'), kLigature, false); // ß
        set(0xFF, Letter('y'), kDiaeresis, false); // ÿ
        set(0x9F, Letter('y'), kDiaeresis, true); // Ÿ
        set(0x8A, Letter('s'), kCaron, true); // Š
        set(0x9A, Letter('s'), kCaron, false); // š
        set(0x8E, Letter('z'), kCaron, true); // Ž
        set(0x9E, Letter('z'), kCaron, false); // ž
        set(0x8C, Letter('o'), kLigature, true); // Œ
        set(0x9C, Letter('o'), kLigature, false); // œ
        set(0x83, Letter('f'), kStroke, false); // ƒ
        return w;
    }

    constexpr Weights kWeights = MakeWeights();

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
