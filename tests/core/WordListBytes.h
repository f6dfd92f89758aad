#pragma once

#include "TestText.h"
#include "language/WordRecord.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

// The bytes of a word-list file holding words (given in UTF-8), in the order given.
inline std::string WordListBytes(std::initializer_list<const char*> words)
{
    std::string bytes;
    for (const char* word : words) {
        quirel::WordRecordBytes record {};
        EXPECT_TRUE(quirel::EncodeWordRecord(W(word), record)) << word;
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}
