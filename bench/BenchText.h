#pragma once

#include "document/Cp1252.h"
#include "document/Tokenize.h"

#include <fstream>
#include <string>

namespace quirel::bench {

// Spanish prose repeated until it cuts into about `tokens` tokens (Windows-1252).
inline std::string SpanishText(std::size_t tokens)
{
    const std::string sentence = Utf8ToCp1252(
        "En un lugar de la Mancha, de cuyo nombre no quiero acordarme, no ha mucho tiempo que vivía un hidalgo "
        "de los de lanza en astillero, adarga antigua, rocín flaco y galgo corredor. ¿Qué comería? Una olla de algo "
        "más vaca que carnero, salpicón las más noches, duelos y quebrantos los sábados.\r");
    const std::size_t perSentence = Tokenize(sentence).size();
    std::string text;
    text.reserve(sentence.size() * (tokens / perSentence + 1));
    while (text.size() / sentence.size() * perSentence < tokens)
        text += sentence;
    auto cut = Tokenize(text, tokens);
    text.resize(cut.back().start + cut.back().length);
    return text;
}

// Resident memory of this process in bytes.
inline long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

} // namespace quirel::bench
