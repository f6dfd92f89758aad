// quirel-wordlist: builds and reads the word-list files of Quirel (100-byte records of
// Windows-1252 words) and expands Hunspell dictionaries into plain word lists.

#include "AccentCorpus.h"
#include "AccentTraining.h"
#include "HunspellDictionary.h"
#include "SpellCheck.h"
#include "Utf8.h"
#include "VerbForms.h"
#include "WordListFiles.h"
#include "document/Cp1252.h"
#include "io/Ports.h"
#include "language/AccentModel.h"
#include "language/TrainAccentModel.h"
#include "language/WordListViews.h"
#include "language/WordLists.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using namespace quirel;
using namespace quirel::wordlist;

constexpr const char* kUsage = R"(quirel-wordlist - builds and reads Quirel's word-list files

A word-list file holds one word per 100-byte record, in Windows-1252.

Usage:
  quirel-wordlist encode [--sort] [--unique] INPUT.txt OUTPUT.log
      Turns a UTF-8 word list (one word per line) into a word-list file.
      Blanks around words and blank lines are dropped. Words with a character
      Windows-1252 cannot hold, or longer than 40 characters, are skipped and
      counted on standard error.
        --sort     alphabetical order (case and accents ignored, ñ after n)
        --unique   keep one of the words that are equal ignoring case
      INPUT may be "-" for standard input.

  quirel-wordlist decode INPUT.log
      Prints the words of a word-list file as UTF-8, one per line (an empty
      record gives an empty line).

  quirel-wordlist expand [--only=all|common|proper|verbs | --split=FOLDER]
                         [--verb-flags=FLAGS] DICTIONARY.aff DICTIONARY.dic
      Prints every word form of a Hunspell dictionary (UTF-8, one per line,
      sorted, without repeats): the stems, every prefix and suffix rule that
      applies (strip, add, condition), continuation suffixes (ción/S), and
      prefix x suffix cross products.
        --only=common  forms of stems written in small letters
        --only=proper  forms of capitalised stems (names, places, acronyms)
        --only=verbs   verb forms: the stems carrying a verb flag, forms made by
                       verb flags, and verb forms the dictionary lists without
                       flags (soy, fui, hemos, dámelo)
        --split=FOLDER writes FOLDER/common.txt, FOLDER/proper.txt and
                       FOLDER/verbs.txt in one run instead of printing
        --verb-flags   suffix flags that conjugate verbs (default REIXD); suffix
                       classes whose rules all end in a pronoun (cantarla) are
                       verb flags too

  quirel-wordlist unshadow [--new-only] [--unaccented-only] [--keep-used=TEXT.txt]
                           PRIMARY.txt SECONDARY.txt
      Prints the lines of SECONDARY, except the words PRIMARY does not hold
      but holds with other accents (corazon for corazón, reir for reír,
      Napoléon for Napoleón), comparing without case: once lower-cased they
      would make a misspelling count as known.
        --new-only         also leave out the words PRIMARY holds
        --unaccented-only  only words without any accent can be left out
                           (for proper names: Durán stays beside duran)
        --keep-used        words that TEXT (UTF-8) writes with a capital,
                           exactly as in SECONDARY, stay (Asia beside asía)

  quirel-wordlist sword MODULE_FOLDER OUTPUT_FOLDER
      Writes the books of a SWORD compressed Bible module as plain UTF-8 text,
      one verse per line: OUTPUT_FOLDER/bible-ot-NN.txt and bible-nt-NN.txt (NN:
      the book's block number).

  quirel-wordlist mo CATALOGUE.mo...
      Prints the translations of GNU message catalogues as plain UTF-8
      paragraphs, one per line (markup, placeholders and accelerators removed).

  quirel-wordlist accent-model [--heldout=TEXT.txt]... [--heldout-out=FILE]
                               [--english=WORDS.txt] LISTS_FOLDER OUTPUT TEXT.txt...
      Builds the context model of the accent pass from UTF-8 texts (one
      paragraph per line) with the word lists in LISTS_FOLDER. Paragraphs of
      fewer than 4 words, with fewer than 85 % known words, or seen before are
      left out. --english names the English word list whose capitalised words
      are never accented; --heldout texts are kept apart: their clean
      paragraphs that are not in the training text go to --heldout-out (UTF-8).

  quirel-wordlist check [--repeat=N] FOLDER TEXT.txt
      Loads the word lists in FOLDER, cuts the UTF-8 text into words the way
      the editor does and prints each word the spelling sensor would mark, as
      looked up (one per line), by the editor's own rule: a token with a digit
      (superscripts and fractions included) or without a letter is not
      checked; hyphens, apostrophes and en and em dashes at a word's ends are
      ignored; the word is lower-cased. Figures go to standard error as "name value" lines:
      words, unknown, unknown_per_1000, load_seconds, check_seconds (the
      fastest of N passes, default 1) and words_per_second.

  quirel-wordlist --help

Exit status: 0 on success, 1 when a file cannot be read or written or is not a
word-list file, 2 on a usage error.
)";

int UsageError(const std::string& message)
{
    std::cerr << "quirel-wordlist: " << message << "\nTry 'quirel-wordlist --help'.\n";
    return 2;
}

bool ReadAll(const std::string& path, std::string& out)
{
    if (path == "-") {
        out.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "quirel-wordlist: cannot read " << path << "\n";
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = std::move(buffer).str();
    return true;
}

// Writes lines sorted, one per line, to path ("-" for standard output).
bool WriteLines(const std::string& path, std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += '\n';
    }
    if (path == "-") return std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) std::cerr << "quirel-wordlist: cannot write " << path << "\n";
    return static_cast<bool>(file);
}

// Splits arguments into options (--x or --x=y) and operands.
struct Arguments {
    std::vector<std::string> options;
    std::vector<std::string> operands;
    bool Has(const std::string& option) const
    {
        return std::find(options.begin(), options.end(), option) != options.end();
    }
    std::string Value(const std::string& name, const std::string& fallback) const
    {
        for (const auto& option : options) {
            if (option.starts_with(name + "=")) return option.substr(name.size() + 1);
        }
        return fallback;
    }
    bool OnlyKnown(std::initializer_list<std::string> known, std::string& unknown) const
    {
        for (const auto& option : options) {
            const std::string name = option.substr(0, option.find('='));
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                unknown = option;
                return false;
            }
        }
        return true;
    }
};

Arguments Parse(int argc, char** argv, int first)
{
    Arguments arguments;
    for (int i = first; i < argc; ++i) {
        const std::string text = argv[i];
        if (text.starts_with("--"))
            arguments.options.push_back(text);
        else
            arguments.operands.push_back(text);
    }
    return arguments;
}

int Encode(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({ "--sort", "--unique" }, unknown)) return UsageError("unknown option " + unknown);
    if (arguments.operands.size() != 2) return UsageError("encode needs INPUT and OUTPUT");
    std::string text;
    if (!ReadAll(arguments.operands[0], text)) return 1;
    EncodeReport report;
    const auto words = PrepareWords(text, arguments.Has("--sort") ? SortOrder::Spanish : SortOrder::AsGiven,
        arguments.Has("--unique") ? Repeats::Drop : Repeats::Keep, report);
    const std::string bytes = EncodeRecords(words);
    std::ofstream out(arguments.operands[1], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "quirel-wordlist: cannot write " << arguments.operands[1] << "\n";
        return 1;
    }
    std::cerr << arguments.operands[1] << ": " << report.written << " words written; skipped "
              << report.notRepresentable << " not in Windows-1252, " << report.tooLong << " longer than 40 characters";
    if (arguments.Has("--unique")) std::cerr << ", " << report.repeated << " repeated";
    std::cerr << "\n";
    return 0;
}

int Decode(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({}, unknown)) return UsageError("unknown option " + unknown);
    if (arguments.operands.size() != 1) return UsageError("decode needs one INPUT");
    std::string bytes;
    if (!ReadAll(arguments.operands[0], bytes)) return 1;
    std::vector<std::string> words;
    if (!DecodeRecords(bytes, words)) {
        std::cerr << "quirel-wordlist: " << arguments.operands[0]
                  << " is not a word-list file (its length is not a multiple of 100)\n";
        return 1;
    }
    std::string out;
    for (const auto& word : words) {
        out += Cp1252ToUtf8(word);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int Expand(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({ "--only", "--split", "--verb-flags" }, unknown))
        return UsageError("unknown option " + unknown);
    if (arguments.operands.size() != 2) return UsageError("expand needs the .aff and the .dic file");
    const std::string only = arguments.Value("--only", "all");
    if (only != "all" && only != "common" && only != "proper" && only != "verbs")
        return UsageError("--only takes all, common, proper or verbs");

    std::string affText, dicText;
    if (!ReadAll(arguments.operands[0], affText) || !ReadAll(arguments.operands[1], dicText)) return 1;
    HunspellDictionary dictionary;
    std::string error = dictionary.ParseAffixes(affText);
    if (error.empty()) error = dictionary.ParseWords(dicText);
    if (!error.empty()) {
        std::cerr << "quirel-wordlist: " << error << "\n";
        return 1;
    }
    std::vector<Flag> verbFlags = dictionary.ParseFlags(DecodeUtf8(arguments.Value("--verb-flags", "REIXD")));
    const std::vector<Flag> clitics = FindCliticClasses(dictionary);
    verbFlags.insert(verbFlags.end(), clitics.begin(), clitics.end());

    WordSet all, verbs, otherWords;
    all.reserve(1 << 21);
    ExpandDictionary(dictionary, verbFlags, [&](const std::u32string& form, FormOrigin origin) {
        std::string utf8 = EncodeUtf8(form);
        if (origin.verb) verbs.insert(utf8);
        if (!origin.verb && !origin.flatStem) otherWords.insert(utf8);
        all.insert(std::move(utf8));
    });

    std::vector<std::string> common, proper, verbForms;
    for (const auto& form : all)
        (IsUpperLatin(DecodeUtf8(form.substr(0, 4)).front()) ? proper : common).push_back(form);
    const bool split = !arguments.Value("--split", "").empty();
    if (split || only == "verbs") {
        std::vector<std::string> flat;
        for (const auto& entry : dictionary.Entries()) {
            if (entry.flags.empty() && !entry.word.empty() && !IsUpperLatin(entry.word.front()))
                flat.push_back(EncodeUtf8(entry.word));
        }
        const auto flatVerbs = FindFlatVerbForms(flat, verbs, all);
        // A word listed without flags that is not a verb form of its own (como, para) is another word.
        const WordSet flatVerbSet(flatVerbs.begin(), flatVerbs.end());
        for (const std::string& word : flat) {
            if (!flatVerbSet.count(word)) otherWords.insert(word);
        }
        // verbs.txt holds the forms that are verb forms only: a form that is also a noun, adjective or
        // other word (casa, canto, como) is left to the common words, where the word search finds it.
        std::size_t shared = 0;
        auto keep = [&](const std::string& form) {
            if (otherWords.count(form)) {
                ++shared;
                return;
            }
            verbForms.push_back(form);
        };
        std::for_each(verbs.begin(), verbs.end(), keep);
        std::for_each(flatVerbs.begin(), flatVerbs.end(), keep);
        std::cerr << "quirel-wordlist: " << verbs.size() << " verb forms from flags, " << flatVerbs.size()
                  << " from words without flags; " << shared << " of them are other words too\n";
    }
    std::size_t rules = 0;
    for (const auto& [flag, affixClass] : dictionary.Prefixes())
        rules += affixClass.rules.size();
    for (const auto& [flag, affixClass] : dictionary.Suffixes())
        rules += affixClass.rules.size();
    std::cerr << "quirel-wordlist: " << dictionary.Entries().size() << " stems, " << dictionary.Prefixes().size()
              << " prefix and " << dictionary.Suffixes().size() << " suffix classes (" << rules << " rules, "
              << clitics.size() << " pronoun classes); " << all.size() << " distinct forms: " << common.size()
              << " in small letters, " << proper.size() << " capitalised\n";

    if (split) {
        const std::string folder = arguments.Value("--split", "");
        return WriteLines(folder + "/common.txt", common) && WriteLines(folder + "/proper.txt", proper)
                && WriteLines(folder + "/verbs.txt", verbForms)
            ? 0
            : 1;
    }
    std::vector<std::string> selected = only == "common" ? common
        : only == "proper"                               ? proper
        : only == "verbs"                                ? verbForms
                                                         : std::vector<std::string>(all.begin(), all.end());
    return WriteLines("-", selected) ? 0 : 1;
}

int Unshadow(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({ "--new-only", "--unaccented-only", "--keep-used" }, unknown))
        return UsageError("unknown option " + unknown);
    if (arguments.operands.size() != 2) return UsageError("unshadow needs PRIMARY and SECONDARY");
    std::string primaryText, secondaryText;
    if (!ReadAll(arguments.operands[0], primaryText) || !ReadAll(arguments.operands[1], secondaryText)) return 1;
    ShadowFilter filter;
    filter.dropKnown = arguments.Has("--new-only");
    filter.unaccentedOnly = arguments.Has("--unaccented-only");
    std::unordered_set<std::string> used;
    if (const std::string usedFile = arguments.Value("--keep-used", ""); !usedFile.empty()) {
        std::string usedText;
        if (!ReadAll(usedFile, usedText)) return 1;
        used = CapitalisedWords(usedText);
        filter.used = &used;
    }
    const auto kept = RemoveShadows(SplitLines(primaryText), SplitLines(secondaryText), filter);
    std::string out;
    for (const auto& line : kept) {
        out += line;
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

class ConsolePrompts : public Messages {
public:
    void ShowMessage(std::string_view text, Urgency) override
    {
        std::cerr << "quirel-wordlist: " << Cp1252ToUtf8(text) << "\n";
    }
    void ShowNotice(std::string_view text) override { ShowMessage(text, Urgency::Normal); }
};

int Check(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({ "--repeat" }, unknown)) return UsageError("unknown option " + unknown);
    if (arguments.operands.size() != 2) return UsageError("check needs FOLDER and TEXT");
    const int repeat = std::max(1, std::atoi(arguments.Value("--repeat", "1").c_str()));
    std::string utf8;
    if (!ReadAll(arguments.operands[1], utf8)) return 1;
    const std::string text = Utf8ToCp1252(utf8);

    using Clock = std::chrono::steady_clock;
    const auto loadStart = Clock::now();
    WordLists lists;
    ConsolePrompts prompts;
    LoadAllWordLists(arguments.operands[0], lists, nullptr, &prompts);
    const double loadSeconds = std::chrono::duration<double>(Clock::now() - loadStart).count();

    std::vector<std::string> unknownWords;
    const SpellCheckCount count = CheckSpelling(lists, text, &unknownWords);
    double best = 1e30;
    std::size_t sink = 0;
    for (int pass = 0; pass < repeat; ++pass) {
        const auto start = Clock::now();
        sink += CheckSpelling(lists, text, nullptr).unknown;
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }

    std::string out;
    for (const auto& word : unknownWords) {
        out += Cp1252ToUtf8(word);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::cerr << "words " << count.words << "\nunknown " << count.unknown << "\nunknown_per_1000 "
              << (count.words ? 1000.0 * static_cast<double>(count.unknown) / static_cast<double>(count.words) : 0.0)
              << "\nload_seconds " << loadSeconds << "\ncheck_seconds " << best << "\nwords_per_second "
              << static_cast<double>(count.words) / best << "\n";
    return sink == count.unknown * static_cast<std::size_t>(repeat) ? 0 : 1;
}

int Sword(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({}, unknown)) return UsageError("unknown option " + unknown);
    if (arguments.operands.size() != 2) return UsageError("sword needs MODULE_FOLDER and OUTPUT_FOLDER");
    std::string error;
    const auto books = ReadSwordModule(arguments.operands[0], error);
    if (!error.empty()) std::cerr << "quirel-wordlist: " << error << "\n";
    std::size_t verses = 0;
    for (const SwordBook& book : books) {
        char name[32];
        std::snprintf(name, sizeof name, "bible-%s-%02d.txt", book.testament.c_str(), book.block);
        std::string out;
        for (const std::string& verse : book.verses)
            out += verse + "\n";
        verses += book.verses.size();
        std::ofstream file(std::filesystem::path(arguments.operands[1]) / name, std::ios::binary | std::ios::trunc);
        file << out;
        if (!file) {
            std::cerr << "quirel-wordlist: cannot write " << name << "\n";
            return 1;
        }
    }
    std::cerr << "quirel-wordlist: " << books.size() << " books, " << verses << " verses\n";
    return books.empty() || !error.empty() ? 1 : 0;
}

int Mo(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({}, unknown)) return UsageError("unknown option " + unknown);
    if (arguments.operands.empty()) return UsageError("mo needs at least one CATALOGUE");
    std::string out;
    for (const std::string& path : arguments.operands) {
        std::string bytes;
        std::vector<std::string> paragraphs;
        if (!ReadAll(path, bytes)) return 1;
        if (!ReadMessageCatalogue(bytes, paragraphs)) {
            std::cerr << "quirel-wordlist: " << path << " is not a message catalogue\n";
            return 1;
        }
        for (const std::string& paragraph : paragraphs)
            out += paragraph + "\n";
    }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}

// Reads a UTF-8 text and gives it in Windows-1252 (characters the code page cannot hold left out).
bool ReadCp1252(const std::string& path, std::string& out)
{
    std::string utf8;
    if (!ReadAll(path, utf8)) return false;
    out = Utf8ToCp1252(utf8);
    return true;
}

int AccentModelCommand(const Arguments& arguments)
{
    std::string unknown;
    if (!arguments.OnlyKnown({ "--heldout", "--heldout-out", "--english" }, unknown))
        return UsageError("unknown option " + unknown);
    if (arguments.operands.size() < 3) return UsageError("accent-model needs LISTS_FOLDER, OUTPUT and TEXT files");
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    WordLists lists;
    ConsolePrompts prompts;
    LoadAllWordLists(arguments.operands[0], lists, nullptr, &prompts);
    if (lists.List(WordListId::Diccionario).Size() == 0) {
        std::cerr << "quirel-wordlist: no word lists in " << arguments.operands[0] << "\n";
        return 1;
    }
    AccentTrainingInput input;
    for (std::size_t i = 2; i < arguments.operands.size(); ++i) {
        if (!ReadCp1252(arguments.operands[i], input.texts.emplace_back())) return 1;
    }
    if (const std::string english = arguments.Value("--english", ""); !english.empty()) {
        if (!ReadCp1252(english, input.englishWords)) return 1;
    }
    const std::string heldOutOut = arguments.Value("--heldout-out", "");
    if (!heldOutOut.empty()) {
        for (const auto& option : arguments.options) {
            if (option.starts_with("--heldout=") && !ReadCp1252(option.substr(10), input.heldOutTexts.emplace_back()))
                return 1;
        }
    }
    const AccentTraining training = TrainAccentModel(lists, input);
    const std::string serialized = training.model.Serialize();
    {
        std::ofstream out(arguments.operands[1], std::ios::binary | std::ios::trunc);
        out.write(serialized.data(), static_cast<std::streamsize>(serialized.size()));
        if (!out) {
            std::cerr << "quirel-wordlist: cannot write " << arguments.operands[1] << "\n";
            return 1;
        }
    }
    const AccentTrainingReport& report = training.report;
    if (!heldOutOut.empty()) {
        std::string out;
        for (const std::string& paragraph : report.heldOut)
            out += Cp1252ToUtf8(paragraph) + "\n";
        std::ofstream file(heldOutOut, std::ios::binary | std::ios::trunc);
        file << out;
        if (!file) return 1;
    }
    std::cerr << "quirel-wordlist: " << report.paragraphs << " paragraphs (" << report.bytes << " bytes) learnt, "
              << report.countedWords << " group words counted; " << report.entries << " entries, " << report.modelBytes
              << " bytes; " << report.heldOut.size() << " paragraphs held out; "
              << std::chrono::duration<double>(Clock::now() - start).count() << " s\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return UsageError("a command is missing");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    const Arguments arguments = Parse(argc, argv, 2);
    if (arguments.Has("--help")) {
        std::cout << kUsage;
        return 0;
    }
    if (command == "encode") return Encode(arguments);
    if (command == "decode") return Decode(arguments);
    if (command == "expand") return Expand(arguments);
    if (command == "unshadow") return Unshadow(arguments);
    if (command == "check") return Check(arguments);
    if (command == "sword") return Sword(arguments);
    if (command == "mo") return Mo(arguments);
    if (command == "accent-model") return AccentModelCommand(arguments);
    return UsageError("unknown command " + command);
}
