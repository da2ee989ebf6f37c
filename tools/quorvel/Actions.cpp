#include "Actions.h"

#include "DesktopOptions.h"
#include "PropertyAssign.h"
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <array>
#include <memory>
#include <utility>

namespace QuorvelTool {

using namespace Vcl;

namespace {

constexpr std::array<std::pair<const char*, Win32::WPARAM>, 8> Edges{{
    {"left", Win32::WMSZ_LEFT},
    {"right", Win32::WMSZ_RIGHT},
    {"top", Win32::WMSZ_TOP},
    {"bottom", Win32::WMSZ_BOTTOM},
    {"topleft", Win32::WMSZ_TOPLEFT},
    {"topright", Win32::WMSZ_TOPRIGHT},
    {"bottomleft", Win32::WMSZ_BOTTOMLEFT},
    {"bottomright", Win32::WMSZ_BOTTOMRIGHT},
}};

struct TWord {
    const char* Name;
    TActionKind Kind;
    const char* Arguments; // usage of the arguments, for messages
    int Count;
};

constexpr std::array<TWord, 13> Words{{
    {"show", TActionKind::Show, "", 0},
    {"client", TActionKind::Client, "WxH", 1},
    {"outer", TActionKind::Outer, "WxH", 1},
    {"drag", TActionKind::Drag, "EDGE DX DY", 3},
    {"maximize", TActionKind::Maximize, "", 0},
    {"restore", TActionKind::Restore, "", 0},
    {"minimize", TActionKind::Minimize, "", 0},
    {"move", TActionKind::Move, "X Y", 2},
    {"set", TActionKind::Set, "COMPONENT.PROPERTY=VALUE", 1},
    {"add", TActionKind::Add, "CLASS NAME OWNER L,T,W,H", 4},
    {"free", TActionKind::Free, "NAME", 1},
    {"dynamic-add", TActionKind::DynamicAdd, "", 0},
    {"dynamic-delete", TActionKind::DynamicDelete, "", 0},
}};

const TWord* FindWord(const std::string& word) {
    for (const TWord& w : Words)
        if (word == w.Name)
            return &w;
    return nullptr;
}

[[noreturn]] void BadArguments(const TWord& word, const std::string& detail) {
    throw EUsageError(std::string("action ") + word.Name + " " + word.Arguments + ": " + detail);
}

int Number(const TWord& word, const std::string& text) {
    auto value = ParseInt(text);
    if (!value)
        BadArguments(word, "'" + text + "' is not a whole number");
    return *value;
}

TSize Size(const TWord& word, const std::string& text) {
    auto size = ParseSize(text);
    if (!size || size->Width < 0 || size->Height < 0 || size->Width > 65535 || size->Height > 65535)
        BadArguments(word, "'" + text + "' is not a size WxH (0 to 65535 each)");
    return *size;
}

// L,T,W,H: the position goes to left and top, the size is returned.
TSize Bounds(const TWord& word, const std::string& text, int& left, int& top) {
    std::array<int, 4> v{};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        std::size_t comma = text.find(',', start);
        if ((i < 3) != (comma != std::string::npos))
            BadArguments(word, "'" + text + "' is not L,T,W,H");
        v[static_cast<std::size_t>(i)] =
            Number(word, text.substr(start, comma == std::string::npos ? comma : comma - start));
        start = comma + 1;
    }
    left = v[0];
    top = v[1];
    if (v[2] < 0 || v[3] < 0)
        BadArguments(word, "width and height must not be negative");
    return {v[2], v[3]};
}

void ForEachComponent(TCustomForm& form, void (Quorvel::TQuorvel::*method)()) {
    bool any = false;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* q = dynamic_cast<Quorvel::TQuorvel*>(form.Components(i))) {
            (q->*method)();
            any = true;
        }
    if (!any)
        throw EInvalidOperation("the form has no TQuorvel");
}

void AddComponent(const TAction& action, TCustomForm& form) {
    TComponent* owner = FindByPath(form, action.Owner);
    auto* parent = dynamic_cast<TWinControl*>(owner);
    if (!owner || (owner != &form && !dynamic_cast<TCustomFrame*>(owner)))
        throw EComponentError("owner " + action.Owner + " is neither the form nor a frame on it");
    const TClassInfo* info = GetClass(action.ClassName);
    if (!info || !info->Create)
        throw EComponentError("class " + action.ClassName + " is not registered");
    if (!info->InheritsFrom(&TControl::StaticClass()))
        throw EComponentError(action.ClassName + " is not a control");
    // Owned here until it has its name; a refused name frees it again.
    std::unique_ptr<TComponent> component(info->Create(owner));
    // "-" leaves it unnamed, as code that creates controls often does.
    if (action.Argument != "-")
        component->SetName(action.Argument);
    auto* control = static_cast<TControl*>(component.release());
    control->SetParent(parent);
    control->SetBounds(action.Left, action.Top, action.Width, action.Height);
}

void FreeComponent(const TAction& action, TCustomForm& form) {
    TComponent* component = FindByPath(form, action.Argument);
    if (!component)
        throw EComponentError("no component named " + action.Argument);
    if (component == &form)
        throw EComponentError("the form itself cannot be freed");
    delete component;
}

} // namespace

bool IsActionWord(const std::string& word) { return FindWord(word) != nullptr; }

std::vector<std::string> ActionWords() {
    std::vector<std::string> words;
    for (const TWord& w : Words)
        words.emplace_back(w.Name);
    return words;
}

std::vector<TAction> ParseActions(const std::vector<std::string>& tokens) {
    std::vector<TAction> actions;
    std::size_t i = 0;
    while (i < tokens.size()) {
        const TWord* word = FindWord(tokens[i]);
        if (!word) {
            std::string list;
            for (const TWord& w : Words)
                list.append(list.empty() ? "" : " ").append(w.Name);
            throw EUsageError("unknown action '" + tokens[i] + "' (actions: " + list + ")");
        }
        if (tokens.size() - i - 1 < static_cast<std::size_t>(word->Count))
            BadArguments(*word, "missing arguments");
        std::vector<std::string> args(tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                      tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1 +
                                          word->Count);
        TAction a;
        a.Kind = word->Kind;
        a.Text = word->Name;
        for (const std::string& arg : args)
            a.Text += " " + arg;
        switch (a.Kind) {
        case TActionKind::Client:
        case TActionKind::Outer: {
            TSize size = Size(*word, args[0]);
            a.X = size.Width;
            a.Y = size.Height;
            break;
        }
        case TActionKind::Drag: {
            bool found = false;
            for (const auto& [name, code] : Edges)
                if (args[0] == name) {
                    a.Edge = code;
                    found = true;
                }
            if (!found)
                BadArguments(*word, "EDGE is one of left right top bottom topleft topright "
                                    "bottomleft bottomright");
            a.X = Number(*word, args[1]);
            a.Y = Number(*word, args[2]);
            break;
        }
        case TActionKind::Move:
            a.X = Number(*word, args[0]);
            a.Y = Number(*word, args[1]);
            break;
        case TActionKind::Set:
            if (!LooksLikeAssignment(args[0]))
                BadArguments(*word, "'" + args[0] + "' is not COMPONENT.PROPERTY=VALUE");
            a.Argument = args[0];
            break;
        case TActionKind::Add: {
            a.ClassName = args[0];
            a.Argument = args[1];
            a.Owner = args[2];
            if (!IsValidIdent(a.ClassName) || (a.Argument != "-" && !IsValidIdent(a.Argument)))
                BadArguments(*word, "CLASS must be an identifier, NAME one or -");
            TSize size = Bounds(*word, args[3], a.Left, a.Top);
            a.Width = size.Width;
            a.Height = size.Height;
            break;
        }
        case TActionKind::Free: a.Argument = args[0]; break;
        case TActionKind::Show:
        case TActionKind::Maximize:
        case TActionKind::Restore:
        case TActionKind::Minimize:
        case TActionKind::DynamicAdd:
        case TActionKind::DynamicDelete: break;
        }
        actions.push_back(std::move(a));
        i += 1 + static_cast<std::size_t>(word->Count);
    }
    return actions;
}

void RunAction(const TAction& action, TCustomForm& form) {
    Sim::TDesktop& desktop = Sim::TDesktop::Current();
    switch (action.Kind) {
    case TActionKind::Show: form.Show(); return;
    case TActionKind::Client:
    case TActionKind::Outer: {
        const TPoint outer = action.Kind == TActionKind::Client
                                 ? form.OuterSizeFor(action.X, action.Y)
                                 : TPoint{action.X, action.Y};
        Win32::RECT r{};
        Win32::GetWindowRect(form.Handle(), &r);
        Win32::MoveWindow(form.Handle(), r.left, r.top, outer.X, outer.Y, 1);
        return;
    }
    case TActionKind::Drag: desktop.Drag(form.Handle(), action.Edge, action.X, action.Y); return;
    case TActionKind::Maximize: desktop.Maximize(form.Handle()); return;
    case TActionKind::Restore: desktop.Restore(form.Handle()); return;
    case TActionKind::Minimize: desktop.Minimize(form.Handle()); return;
    case TActionKind::Move: desktop.MoveTo(form.Handle(), action.X, action.Y); return;
    case TActionKind::Set: AssignProperty(form, action.Argument); return;
    case TActionKind::Add: AddComponent(action, form); return;
    case TActionKind::Free: FreeComponent(action, form); return;
    case TActionKind::DynamicAdd: ForEachComponent(form, &Quorvel::TQuorvel::DynamicAdd); return;
    case TActionKind::DynamicDelete:
        ForEachComponent(form, &Quorvel::TQuorvel::DynamicDelete);
        return;
    }
}

} // namespace QuorvelTool
