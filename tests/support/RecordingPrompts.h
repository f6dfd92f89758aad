#pragma once

#include "editor/Prompts.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// Prompts that keep what the program said and asked (Windows-1252 bytes, as given), answer the
// yes/no questions with answer (or close the box when closed is set and it can be closed), the
// yes/no/cancel questions with threeWay and the file dialogs with chosen. "Buscar" gives search,
// "Reemplazar" replace, "Re-Editar" runs reEdit over the document (as the dialog's buttons would);
// the other dialogs are left without a choice.
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
    void ShowNotice(std::string_view text) override { notices.emplace_back(text); }
    Answer AskYesNoOrClose(std::string_view text) override
    {
        questions.emplace_back(text);
        if (!closeAnswers.empty()) {
            const Answer next = closeAnswers.front();
            closeAnswers.erase(closeAnswers.begin());
            return next;
        }
        return closed ? Answer::Cancel : answer ? Answer::Yes : Answer::No;
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
    SearchWords AskSearchWord() override { return search; }
    SearchWords AskReplaceWords() override { return replace; }
    bool ReEdit(Document& document) override
    {
        if (!reEdit) return false;
        reEdit(document);
        return true;
    }

    std::vector<std::string> messages;
    std::vector<Urgency> urgencies;
    std::vector<std::string> questions;
    std::vector<std::string> notices; // shown without taking the keyboard
    std::vector<FileRequest> requests;
    bool answer = false;
    bool closed = false; // a question that can be closed without an answer is closed
    std::vector<Answer> closeAnswers; // else the answers to those questions, first to last, while there are any
    Answer threeWay = Answer::No;
    std::filesystem::path chosen;
    SearchWords search;
    SearchWords replace;
    std::function<void(Document&)> reEdit;
};

} // namespace quirel
