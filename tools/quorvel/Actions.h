// The actions of `quorvel run`: what a user or the program does to the form, in
// the order given on the command line.
#pragma once

#include "quorvel/vcl/Forms.h"
#include "quorvel/win/Win32.h"

#include <string>
#include <vector>

namespace QuorvelTool {

enum class TActionKind {
    Show,
    Client,
    Outer,
    Drag,
    Maximize,
    Restore,
    Minimize,
    Move,
    Set,
    Add,
    Free,
    DynamicAdd,
    DynamicDelete
};

struct TAction {
    TActionKind Kind = TActionKind::Show;
    std::string Text; // the action as typed, words joined by blanks
    int X = 0, Y = 0; // sizes, drag deltas or a position
    Win32::WPARAM Edge = 0;
    std::string Argument; // an assignment, or a component's name
    std::string ClassName, Owner;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Whether the word starts an action.
bool IsActionWord(const std::string& word);
// Every action word, in the order the help lists them.
std::vector<std::string> ActionWords();

// Parses every action of the tokens; raises EUsageError for an unknown action or
// arguments that do not fit it, before anything runs.
std::vector<TAction> ParseActions(const std::vector<std::string>& tokens);

// Carries out one action on the form. Raises an exception with a message when it
// fails (a setter's refusal, an unknown component, ...).
void RunAction(const TAction& action, Vcl::TCustomForm& form);

} // namespace QuorvelTool
