#pragma once

#include "language/AccentModel.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

class WordLists;

// What the accent model learns from. Every text is Windows-1252 with one paragraph per line (LF or
// CR LF).
struct AccentTrainingInput {
    std::vector<std::string> texts; // correctly written Spanish texts, counted in this order
    std::string englishWords; // the English word list, one word per line; may be empty
    std::vector<std::string> heldOutTexts; // texts kept apart for measuring the model; may be empty
};

// What a training did.
struct AccentTrainingReport {
    std::size_t paragraphs = 0; // clean paragraphs learnt
    std::size_t bytes = 0; // their bytes, one line end (LF) each included
    std::size_t countedWords = 0; // words of a group with two or more written forms that were counted
    std::size_t entries = 0; // keys in the model
    std::size_t modelBytes = 0; // bytes the model's table takes
    // The clean paragraphs of the held-out texts that the training text does not hold, each once, in
    // text order (Windows-1252, without line ends).
    std::vector<std::string> heldOut;
};

struct AccentTraining {
    AccentModel model;
    AccentTrainingReport report;
};

// True when a paragraph (Windows-1252) is worth learning from: at least 4 words (word tokens without
// the dashes and apostrophes at their ends, and without a digit), at least 85 % of them known to the
// lists once lower-cased.
bool IsCleanParagraph(std::string_view paragraph, const WordLists& lists);

// Builds the context model of the accent pass with the lists (diccionario, verbos, npropios and
// Apellidos must be loaded). The clean paragraphs of the texts, each once (a paragraph seen before in
// any text is left out), are counted with AccentCounter; every entry of those four lists marks its
// group; a capitalised English word (one capital, then small letters) that diccionario and verbos do
// not hold in lower case is marked as an English name. The held-out texts are cleaned the same way
// after the training and never counted.
AccentTraining TrainAccentModel(const WordLists& lists, const AccentTrainingInput& input);

} // namespace quirel
