#pragma once

#include "editor/Prompts.h"
#include "language/AccentModel.h"
#include "language/WordLists.h"

#include <deque>
#include <filesystem>
#include <functional>

namespace quirel {

// The word lists and the accent command's context model of the program's folder, and the wait for
// them: a load is announced before it starts (the window shows the page first), and what reads the
// lists meanwhile waits until the load ends, then runs in the order it arrived.
class ListLoader {
public:
    // The lists and the model are read from folder (empty until Load).
    explicit ListLoader(std::filesystem::path folder);

    WordLists& Words() { return m_lists; }
    const WordLists& Words() const { return m_lists; }
    const AccentModel& Accents() const { return m_accents; }

    // A load is on its way: from now until it ends, AfterLoad waits.
    void Expect() { m_ready = false; }
    // No load is on its way, or the last one has ended.
    bool Ready() const { return m_ready; }
    // Runs action now when the lists are complete, or when the coming load ends.
    void AfterLoad(std::function<void()> action);

    // A load is running (it lets events run through pump).
    bool Loading() const { return m_loading; }
    // Loads the word lists present in the folder (missing files are skipped, damaged ones told
    // through prompts, which may be null), then the context model (kAccentModelFileName; without
    // it the accent command uses the list rule alone); pump lets the window breathe meanwhile.
    // Then what waited for the lists runs, in order. Refused (nothing done) while a load runs.
    void Load(EventPump* pump, Prompts* prompts);

private:
    void Loaded();

    std::filesystem::path m_folder;
    WordLists m_lists;
    AccentModel m_accents;
    bool m_loading = false;
    bool m_ready = true;
    std::deque<std::function<void()>> m_waiting;
};

} // namespace quirel
