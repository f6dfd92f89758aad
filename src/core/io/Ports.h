#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

// How the core talks to the user. Texts are Windows-1252 bytes; every message box carries the
// title "Programador".
class Prompts {
public:
    virtual ~Prompts() = default;

    enum class Urgency { Normal, Topmost };
    // An information message with an OK button.
    virtual void ShowMessage(std::string_view text, Urgency urgency = Urgency::Normal) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    // A report of a write the program did by itself (the word memory, the settings, the recovery
    // copy) that failed: shown in the main window without taking the keyboard, and the call
    // returns at once. The user closes it when they like.
    virtual void ShowNotice(std::string_view text) = 0;
    // A question with the buttons Yes, No and Cancel; a box closed without a choice is Cancel, and
    // so is the answer when there is no one to ask (nothing is then given up).
    enum class Answer { Yes, No, Cancel };
    virtual Answer AskYesNoCancel(std::string_view) { return Answer::Cancel; }
    // A question with the buttons Yes and No whose box can also be closed without a choice (Escape,
    // its close button): Cancel then, and when there is no one to ask. Only No is a No.
    virtual Answer AskYesNoOrClose(std::string_view) { return Answer::Cancel; }

    // What a file dialog shows: open (existing files only) or save, the filter ("Documento",
    // "*.4tf"), the folder it starts in, the name it proposes, and the suffix given to a name typed
    // without one.
    struct FileRequest {
        enum class Mode { Open, Save } mode = Mode::Open;
        std::string filterName;
        std::string pattern;
        std::filesystem::path folder;
        std::string fileName;
        std::string defaultSuffix;
    };
    // The chosen file, or an empty path when the user cancels (or there is no one to ask).
    virtual std::filesystem::path ChooseFile(const FileRequest&) { return {}; }
};

// The "let pending messages run" points of long loops, so the window stays responsive.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

} // namespace quirel
