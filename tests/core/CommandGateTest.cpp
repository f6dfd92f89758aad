#include "editor/CommandGate.h"

#include <gtest/gtest.h>
#include <string>

using namespace quirel;

TEST(CommandGateTest, WhatArrivesDuringAPassRunsInOrderWhenTheOutermostPassEnds)
{
    CommandGate gate;
    std::string ran;
    gate.Admit([&] { ran += 'a'; }); // no pass: at once
    EXPECT_FALSE(gate.Defer([&] { ran += '!'; }));
    {
        CommandGate::TextPass outer(gate);
        gate.Admit([&] { ran += 'b'; });
        {
            CommandGate::TextPass inner(gate);
            EXPECT_TRUE(gate.Defer([&] { ran += 'c'; }));
        }
        EXPECT_EQ(ran, "a"); // the inner pass ending lets nothing run
        gate.Admit([&] {
            // A waiting action that opens a pass of its own: what arrives then waits for that pass.
            CommandGate::TextPass again(gate);
            gate.Admit([&] { ran += 'e'; });
            ran += 'd';
        });
    }
    EXPECT_EQ(ran, "abcde");
    EXPECT_FALSE(gate.InTextPass());
}

TEST(CommandGateTest, GuardedCommandsDoNotNestAndTheGuardIsClearedAfterAnException)
{
    CommandGate gate;
    int ran = 0;
    EXPECT_TRUE(gate.RunGuarded([&] {
        ++ran;
        EXPECT_TRUE(gate.GuardedCommandRunning());
        EXPECT_FALSE(gate.RunGuarded([&] { ++ran; }));
    }));
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(gate.GuardedCommandRunning());
    EXPECT_THROW(gate.RunGuarded([] { throw 1; }), int);
    EXPECT_FALSE(gate.GuardedCommandRunning());
}
