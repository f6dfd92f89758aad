#pragma once

#include "io/Ports.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// Prompts that keep what the program said and asked (Windows-1252 bytes, as given), answer the
// yes/no questions with answer, the yes/no/cancel questions with threeWay and the file dialogs
// with chosen.
class RecordingPrompts : public Prompts {
public:
    void ShowMessage(std::string_view text, Urgency urgency) override
    {
        messages.emplace_back(text);
        urgencies.push_back(urgency);
    }
    bool AskYesNo(std::string_view text) override
    {
        questions.emplace_back(text);
        return answer;
    }
    Answer AskYesNoCancel(std::string_view text) override
    {
        questions.emplace_back(text);
        return threeWay;
    }
    std::filesystem::path ChooseFile(const FileRequest& request) override
    {
        requests.push_back(request);
        return chosen;
    }

    std::vector<std::string> messages;
    std::vector<Urgency> urgencies;
    std::vector<std::string> questions;
    std::vector<FileRequest> requests;
    bool answer = false;
    Answer threeWay = Answer::No;
    std::filesystem::path chosen;
};

} // namespace quirel
