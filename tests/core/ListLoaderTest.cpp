// The word lists' loader: what reads the lists waits for a load on its way, and one load runs at a time.
#include "editor/ListLoader.h"

#include "TempFolder.h"
#include "language/WordRecord.h"

#include <gtest/gtest.h>
#include <string>

using namespace quirel;

namespace {

class CallingPump : public EventPump {
public:
    void ProcessPendingEvents() override { call(); }
    std::function<void()> call;
};

} // namespace

TEST(ListLoaderTest, WhatReadsTheListsWaitsForALoadOnItsWayAndRunsInOrder)
{
    TempFolder folder;
    ListLoader loader(folder.Path());
    std::string ran;
    loader.AfterLoad([&] { ran += 'a'; }); // nothing on its way: at once
    loader.Expect();
    loader.AfterLoad([&] { ran += 'b'; });
    loader.AfterLoad([&] {
        // An action that announces another load: what still waits, waits for that one.
        ran += 'c';
        loader.Expect();
    });
    loader.AfterLoad([&] { ran += 'd'; });
    EXPECT_EQ(ran, "a");
    EXPECT_FALSE(loader.Ready());
    loader.Load(nullptr, nullptr); // an empty folder: every list is skipped
    EXPECT_EQ(ran, "abc");
    EXPECT_FALSE(loader.Ready());
    loader.Load(nullptr, nullptr);
    EXPECT_EQ(ran, "abcd");
    EXPECT_TRUE(loader.Ready());
}

TEST(ListLoaderTest, OneLoadRunsAtATimeAndWhatArrivesDuringItSeesTheListsWhole)
{
    TempFolder folder;
    std::string records;
    for (int i = 0; i < 300; ++i) {
        // In order, enough of them for the load to let events run.
        const std::string word = i == 299
            ? std::string("perro")
            : std::string("b") + static_cast<char>('a' + i / 26) + static_cast<char>('a' + i % 26) + "o";
        WordRecordBytes record {};
        ASSERT_TRUE(EncodeWordRecord(word, record));
        records.append(record.begin(), record.end());
    }
    folder.Write("diccionario.log", records);
    ListLoader loader(folder.Path());
    const auto knowsPerro = [&] { return loader.Words().List(WordListId::Diccionario).Contains("perro"); };

    CallingPump pump;
    int calls = 0;
    std::string ran;
    pump.call = [&] {
        // The window lets events run: a second load is refused, and what reads the lists waits.
        ++calls;
        EXPECT_TRUE(loader.Loading());
        loader.Load(nullptr, nullptr);
        loader.AfterLoad([&] { ran += knowsPerro() ? 'y' : 'n'; });
        EXPECT_EQ(ran, "");
    };
    loader.Load(&pump, nullptr);
    ASSERT_GT(calls, 0);
    EXPECT_EQ(ran, std::string(static_cast<std::size_t>(calls), 'y'));
    EXPECT_FALSE(loader.Loading());
    EXPECT_TRUE(loader.Ready());
}
