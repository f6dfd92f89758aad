#include "editor/CommandGate.h"

#include <gtest/gtest.h>
#include <string>

using namespace quirel;

namespace {
constexpr CommandRules kWaits { command::New, CommandRules::Guard::No, CommandRules::Hold::No,
    CommandRules::WordLists::Any, CommandRules::TextPass::WaitsForEnd, CommandRules::Controls::Follow };
constexpr CommandRules kWithin { command::Bold, CommandRules::Guard::No, CommandRules::Hold::No,
    CommandRules::WordLists::Any, CommandRules::TextPass::RunsWithin, CommandRules::Controls::Follow };
constexpr CommandRules kGuardedWaits { command::Find, CommandRules::Guard::Yes, CommandRules::Hold::Yes,
    CommandRules::WordLists::Any, CommandRules::TextPass::WaitsForEnd, CommandRules::Controls::Follow };
} // namespace

TEST(CommandGateTest, WhatWaitsForAPassRunsInOrderWhenTheOutermostPassEnds)
{
    CommandGate gate;
    std::string ran;
    gate.Admit(kWaits, [&] { ran += 'a'; }); // no pass: at once
    {
        CommandGate::TextPass outer(gate);
        gate.Admit(kWaits, [&] { ran += 'b'; });
        gate.Admit(kWithin, [&] { ran += '1'; }); // runs within the pass
        {
            CommandGate::TextPass inner(gate);
            // What is kept owns what it carries.
            gate.Admit(kWaits, [&ran, kept = std::string("c")] { ran += kept; });
        }
        EXPECT_EQ(ran, "a1"); // the inner pass ending lets nothing run
        gate.Admit(kWaits, [&] {
            // A waiting action that opens a pass of its own: what arrives then waits for that pass.
            CommandGate::TextPass again(gate);
            gate.Admit(kWaits, [&] { ran += 'e'; });
            ran += 'd';
        });
    }
    EXPECT_EQ(ran, "a1bcde");
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
        gate.Admit(kGuardedWaits, [&] { ++ran; }); // ignored too
    }));
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(gate.GuardedCommandRunning());
    EXPECT_THROW(gate.RunGuarded([] { throw 1; }), int);
    EXPECT_FALSE(gate.GuardedCommandRunning());

    // A guarded command kept for the end of a pass is guarded when it runs.
    {
        CommandGate::TextPass pass(gate);
        gate.Admit(kGuardedWaits, [&] { ran += gate.GuardedCommandRunning() ? 10 : 100; });
    }
    EXPECT_EQ(ran, 11);
}
