// `quorvel run`: a form on a fresh simulated desktop, shown, then the actions one
// after another, with a snapshot after the show and after every action.
#pragma once

#include "Actions.h"
#include "DesktopOptions.h"
#include "Snapshot.h"
#include "quorvel/vcl/FormLibrary.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace QuorvelTool {

struct TRunOptions {
    std::string FormFile;
    std::vector<std::string> FrameFiles;
    TDesktopOptions Desktop;
    bool Lenient = false;
    std::vector<std::string> SearchDirs; // more folders for frame and ancestor files
    unsigned CodePage = 1252;            // for text without a byte-order mark (--codepage)
    // The run's form files, units and project files, read once (empty: its own).
    std::shared_ptr<Vcl::TFormLibrary> Library;
    // Unknown classes to take for controls or components, whatever lenient
    // reading would guess.
    std::vector<std::string> VisualClasses;
    std::vector<std::string> NonVisualClasses;
    // CLASS=STANDARD: unknown classes read as standard ones.
    std::vector<std::string> ClassMap;
    // Puts a TQuorvel on a form that has none, with the form's client size and
    // resolution as loaded for design values.
    bool Attach = false;
    // Turns TQuorvel::FollowMonitorDpi on for every component of the form (an
    // attached one too) before it is shown.
    bool FollowMonitorDpi = false;
    std::vector<TAction> Actions;
    // COMPONENT.PROPERTY=VALUE assignments made before the form is shown (the
    // captions of a translation); a refusal is the show step's error.
    std::vector<std::string> Assignments;
    // More actions, planned from the form once it is shown (the sizes of a layout
    // check), run after Actions.
    std::function<std::vector<TAction>(Vcl::TCustomForm&)> Plan;
    // Also loads the form as designed: at its own resolution and stored size, no
    // assignment made, not shown (TRunResult::Designed).
    bool WithDesigned = false;
    // Told before every action: the steps done, the steps there are and the
    // action that starts.
    std::function<void(std::size_t, std::size_t, const std::string&)> Progress;
};

struct TRunResult {
    bool Loaded = false;
    std::string LoadError; // the formatted error when the file did not load as a form
    bool Attached = false; // a TQuorvel was put on the form
    bool Started = false;  // a resize pass ran at least once
    bool ActionFailed = false;
    std::vector<TSnapshot> Snapshots;
    // The form as designed, when asked for: what the checks compare with.
    std::optional<TSnapshot> Designed;
    // Unknown classes lenient reading made up, each "TClass: control" or
    // "TClass: component", sorted.
    std::vector<std::string> GuessedClasses;
    // The framework scaled the form between these resolutions as it was read
    // (the same twice when it did not)...
    int ScaledFromDpi = 96, ScaledToDpi = 96;
    // ... and these components corrected it for the resolution once more when
    // they started: what a Scaled form with the component gets.
    std::vector<std::string> CorrectingComponents;
};

// Raises EUsageError when the desktop options do not make a desktop. Lenient
// reading's warnings go to `err`.
TRunResult RunForm(const TRunOptions& options, std::ostream& err);

} // namespace QuorvelTool
