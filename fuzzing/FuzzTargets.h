// The fuzz targets as plain functions: each takes one input, runs it, and raises
// TFinding for anything but the outcomes the code documents. The same functions
// run inside the libFuzzer programs and inside the replay of the regression inputs
// in the ordinary test suite.
#pragma once

#include <string>
#include <string_view>

namespace QuorvelFuzz {

// A finding: deliberately not a std::exception, so that no handler in the code
// under test, nor the targets' own handlers for documented errors, can take it.
struct TFinding {
    std::string What;
};

[[noreturn]] void Finding(const std::string& what);

// The text reader: what reads must write, and what is written must read back to
// the same model and be written again as the same text.
void FuzzTextReader(std::string_view input);

// The binary reader: what reads is written as text (or refused as having no text
// form), and that text reads back to the same model.
void FuzzBinaryReader(std::string_view input);

// The loader: the input is a form file, text up to the first NUL byte and the
// bytes after it the run's parameters (or a binary form file, whose parameters
// come from its bytes). The form is read leniently on a fresh simulated desktop,
// gets a TQuorvel when it has none, is shown, resized, dragged, maximized and
// restored, a control is added and freed with the reconciliation in between,
// and in the end nothing of it may be left on the desktop.
void FuzzLoader(std::string_view input);

// The layout core: every function at values drawn from the input, the ends of
// the 32-bit range among them; only what each promises is checked, and the
// sanitizers watch the arithmetic.
void FuzzCore(std::string_view input);

// The plain Win32 adapter: on a fresh simulated desktop the input builds a tree
// of windows of many classes and styles under one top-level window, gives them
// fonts (the program's, at the ends of the height range too, and each other's),
// resizes, moves, drags and destroys them, attaches and detaches the layout, and
// arms a child's handler to do any of that during a pass. No window may hold a
// deleted font, and once the top-level window is destroyed no window and no
// scaled font may be left.
void FuzzAdapter(std::string_view input);

} // namespace QuorvelFuzz
