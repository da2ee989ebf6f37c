#include "RunSession.h"

#include "FormFiles.h"
#include "PropertyAssign.h"
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/FormStreaming.h"

#include <memory>
#include <optional>
#include <set>
#include <sstream>

namespace QuorvelTool {

using namespace Vcl;
using Quorvel::TQuorvel;

namespace {

// Collects the factors of every resize pass of one component into the current
// step's list, then calls the handler the component had before.
class TExitResizeHook {
public:
    TExitResizeHook(std::vector<std::pair<double, double>>& sink,
                    Quorvel::TExitResizeEvent previous)
        : FSink(sink), FPrevious(std::move(previous)) {}

    void Fired(TObject* sender, double xScale, double yScale) {
        FSink.emplace_back(xScale, yScale);
        FPrevious(sender, xScale, yScale);
    }

private:
    std::vector<std::pair<double, double>>& FSink;
    Quorvel::TExitResizeEvent FPrevious;
};

bool HasComponent(TCustomForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (dynamic_cast<TQuorvel*>(form.Components(i)))
            return true;
    return false;
}

// The form's client size and resolution as loaded stand for its design values.
void Attach(TCustomForm& form) {
    TQuorvel::Attach(form, {form.ClientWidth(), form.ClientHeight(), form.PixelsPerInch(),
                            form.PixelsPerInch()});
}

// A frame file on its own is shown on a plain form of the frame's size.
std::unique_ptr<TComponent> HostFrame(std::unique_ptr<TComponent> root) {
    auto* frame = dynamic_cast<TCustomFrame*>(root.get());
    if (!frame)
        return root;
    auto host = std::make_unique<TForm>(nullptr);
    host->SetName("FrameHost");
    host->SetClientWidth(frame->Width());
    host->SetClientHeight(frame->Height());
    host->InsertComponent(root.release());
    frame->SetParent(host.get());
    frame->SetLeft(0);
    frame->SetTop(0);
    return host;
}

void CollectGuesses(const TComponent& owner, std::set<std::string>& out) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        const TComponent& c = *owner.Components(i);
        if (IsGenericClass(*c.ClassInfo()))
            out.insert(c.ClassName() +
                       (dynamic_cast<const TControl*>(&c) ? ": control" : ": component"));
        CollectGuesses(c, out);
    }
}

TReadOptions ReadOptionsOf(const TRunOptions& options) {
    return TReadOptions{options.Lenient, options.SearchDirs, options.CodePage, options.ClassMap,
                        options.Library};
}

// The root as the run loads it: a frame file on its own on a plain form.
std::unique_ptr<TComponent> LoadRoot(const TRunOptions& options, std::ostream& err) {
    TFormLoadOptions load = LoadOptions(options.FormFile, ReadOptionsOf(options), err);
    load.FrameFiles = options.FrameFiles;
    load.VisualClasses = options.VisualClasses;
    load.NonVisualClasses = options.NonVisualClasses;
    return LoadFormFile(options.FormFile, load);
}

// The resolution the form was designed at, as its file stores it.
int DesignDpi(const std::string& file) {
    try {
        const TFormObject root = ReadFormDocument(ReadFileBytes(file));
        if (const TFormProperty* p = root.FindProperty("PixelsPerInch"))
            if (p->Value.Kind == TFormValue::TKind::Integer && p->Value.Int >= 48 &&
                p->Value.Int <= 960)
                return static_cast<int>(p->Value.Int);
    } catch (const std::exception&) {
        // The run itself tells what is wrong with the file.
    }
    return 96;
}

// The form as read on a screen of its design resolution, before anything shows
// it or lays it out again.
std::optional<TSnapshot> DesignedSnapshot(const TRunOptions& options) {
    TDesktopOptions desktop = options.Desktop;
    desktop.Screen = desktop.Screen.substr(0, desktop.Screen.find('@')) + "@" +
                     std::to_string(DesignDpi(options.FormFile));
    TDesktopScope scope(desktop);
    std::ostringstream quiet; // the run tells its own warnings
    try {
        std::unique_ptr<TComponent> root = HostFrame(LoadRoot(options, quiet));
        if (auto* form = dynamic_cast<TCustomForm*>(root.get()))
            return TakeSnapshot(*form, "as designed");
    } catch (const std::exception&) {
        // The run reports the file's error.
    }
    return std::nullopt;
}

} // namespace

TRunResult RunForm(const TRunOptions& options, std::ostream& err) {
    TRunResult result;
    if (options.WithDesigned)
        result.Designed = DesignedSnapshot(options);
    TDesktopScope desktop(options.Desktop);

    // Declared before the form so that they outlive it: the form's components may
    // still fire while the form goes.
    std::vector<std::pair<double, double>> events;
    std::vector<std::unique_ptr<TExitResizeHook>> hooks;
    std::unique_ptr<TComponent> root;

    try {
        root = LoadRoot(options, err);
        WarnIdleComponents(options.FormFile, *root, err);
        root = HostFrame(std::move(root));
        std::set<std::string> guessed;
        CollectGuesses(*root, guessed);
        result.GuessedClasses.assign(guessed.begin(), guessed.end());
    } catch (const EReadError& e) {
        result.LoadError = FormatReadError(options.FormFile, e);
        return result;
    } catch (const std::exception& e) {
        result.LoadError = FormatError(options.FormFile, e.what());
        return result;
    }
    auto* form = dynamic_cast<TCustomForm*>(root.get());
    if (!form) {
        result.LoadError =
            FormatError(options.FormFile, "the root " + root->ClassName() + " is not a form");
        return result;
    }
    result.Loaded = true;
    result.ScaledFromDpi = form->LoadScaling().From;
    result.ScaledToDpi = form->LoadScaling().To;
    if (result.ScaledFromDpi != result.ScaledToDpi)
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* q = dynamic_cast<TQuorvel*>(form->Components(i))) {
                const TQuorvel::TState state = q->State();
                if (state.Registered &&
                    (state.DesignDpiW != state.RunDpiW || state.DesignDpiH != state.RunDpiH))
                    result.CorrectingComponents.push_back(q->Name());
            }

    auto bindHooks = [&] {
        for (int i = 0; i < form->ComponentCount(); ++i) {
            auto* component = dynamic_cast<TQuorvel*>(form->Components(i));
            if (!component)
                continue;
            bool bound = false;
            for (const auto& hook : hooks)
                bound = bound || component->OnExitResize.Method().Data == hook.get();
            if (bound)
                continue;
            hooks.push_back(std::make_unique<TExitResizeHook>(events, component->OnExitResize));
            component->OnExitResize =
                Quorvel::TExitResizeEvent::Bind<&TExitResizeHook::Fired>(hooks.back().get());
        }
    };

    auto step = [&](const std::string& label, auto&& action) {
        events.clear();
        std::optional<std::string> error;
        try {
            action();
        } catch (const std::exception& e) {
            error = e.what();
            result.ActionFailed = true;
        }
        bindHooks();
        TSnapshot snapshot = TakeSnapshot(*form, label);
        snapshot.Events = events;
        snapshot.Error = error;
        result.Started = result.Started || !events.empty();
        result.Snapshots.push_back(std::move(snapshot));
    };

    // The component's start-up already ran while the file was read; attaching one
    // counts as part of loading, so a failure there is the show step's error.
    step("show", [&] {
        bindHooks();
        if (options.Attach && !HasComponent(*form)) {
            Attach(*form);
            result.Attached = true;
            bindHooks();
        }
        if (options.FollowMonitorDpi)
            for (int i = 0; i < form->ComponentCount(); ++i)
                if (auto* q = dynamic_cast<TQuorvel*>(form->Components(i)))
                    q->SetFollowMonitorDpi(true);
        for (const std::string& assignment : options.Assignments)
            AssignProperty(*form, assignment);
        form->Show();
    });
    std::vector<TAction> actions = options.Actions;
    if (options.Plan) {
        std::vector<TAction> planned = options.Plan(*form);
        actions.insert(actions.end(), planned.begin(), planned.end());
    }
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (options.Progress)
            options.Progress(i + 1, actions.size() + 1, actions[i].Text);
        step(actions[i].Text, [&] { RunAction(actions[i], *form); });
    }
    return result;
}

} // namespace QuorvelTool
