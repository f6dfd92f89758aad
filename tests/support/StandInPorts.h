#pragma once

#include "CountingPump.h"
#include "FakePageView.h"
#include "NoPrinter.h"
#include "RecordingPrompts.h"
#include "editor/EditorPorts.h"

namespace quirel {

// The ports of an editor under test besides its canvas: prompts that record, a pump with a hook,
// a page view that records, the system's files (or others) and no printer.
struct StandInPorts {
    EditorPorts For(Canvas& canvas) { return { canvas, prompts, pump, view, *files, printer }; }
    // With other prompts, and other file operations.
    EditorPorts For(Canvas& canvas, Prompts& askUser) { return { canvas, askUser, pump, view, *files, printer }; }
    EditorPorts For(Canvas& canvas, Prompts& askUser, FilePort& fileOps)
    {
        return { canvas, askUser, pump, view, fileOps, printer };
    }

    RecordingPrompts prompts;
    CountingPump pump;
    FakePageView view;
    FilePort* files = &SystemFiles();
    NoPrinter printer;
};

} // namespace quirel
