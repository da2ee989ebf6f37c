#include "quorvel/winlayout/WinLayout.h"

#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Startup.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace Quorvel::WinLayout {

using namespace Win32;

namespace {

// The id of this adapter's subclass among others on the same window.
constexpr UINT_PTR kSubclassId = 0x51564C59;
// A program that resizes its window from every pass gets this many more passes.
constexpr int kRepeatedPasses = 8;

// ---- Which windows are laid out ---------------------------------------------------------

// A control that makes and places windows of its own, with the classes of those
// windows (none named: all its children are its own). Lower case.
struct TControlClass {
    std::u16string_view Name;
    std::array<std::u16string_view, 2> Own;
};

constexpr std::array<TControlClass, 14> kControls{{
    {u"combobox", {u"edit", u"combolbox"}},
    {u"comboboxex32", {u"combobox", u"edit"}},
    {u"syslistview32", {u"sysheader32", u"edit"}},
    {u"sysheader32", {u"edit", {}}},
    {u"systreeview32", {u"edit", {}}},
    {u"sysdatetimepick32", {u"msctls_updown32", u"button"}},
    {u"sysmonthcal32", {u"msctls_updown32", u"edit"}},
    {u"sysipaddress32", {u"edit", {}}},
    {u"systabcontrol32", {u"msctls_updown32", {}}},
    {u"toolbarwindow32", {}},
    {u"rebarwindow32", {}},
    {u"msctls_statusbar32", {}},
    {u"syspager", {}},
    {u"msctls_updown32", {}},
}};

// A class name in lower case; longer names than any class has are cut.
using TClassName = std::u16string;

TClassName ClassOf(HWND window) {
    WCHAR name[64]{};
    const int n = GetClassNameW(window, name, 64);
    TClassName lower(name, static_cast<std::size_t>(std::max(n, 0)));
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + (u'a' - u'A'));
    return lower;
}

bool NameIs(std::u16string_view lower, std::u16string_view name) {
    if (lower.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? name[i] + (u'a' - u'A') : name[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

bool Named(const std::vector<std::u16string>& list, std::u16string_view lower) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::u16string& n) { return NameIs(lower, n); });
}

// What happens to a window's children.
enum class TEnter : unsigned char {
    All,       // laid out
    None,      // left to the window
    AllButOwn, // laid out, except the windows the control makes itself
};

// ---- Records ------------------------------------------------------------------------------

// A reference, its values kept as doubles too: a pass scales every window's, and
// they are converted once instead of on every pass.
class TReferenceBounds {
public:
    TReferenceBounds& operator=(const Core::TBounds& bounds) {
        FBounds = bounds;
        FValues[0] = bounds.Left;
        FValues[1] = bounds.Top;
        FValues[2] = bounds.Width;
        FValues[3] = bounds.Height;
        return *this;
    }
    operator const Core::TBounds&() const { return FBounds; }
    Core::TBounds Scaled(const Core::TFactors& factors) const {
        return Core::ScaleBounds(FValues, factors);
    }

private:
    Core::TBounds FBounds;
    double FValues[4] = {}; // left, top, width, height
};

struct TChild {
    HWND Window = nullptr;
    HWND Parent = nullptr;
    bool Laid = false; // moved and sized; otherwise left as it is
    // A combo box whose list drops below its field: its height is its dropped-down
    // rectangle's, which its creator sized; its closed field is its own.
    bool DropDown = false;
    TEnter Enter = TEnter::All;
    const TControlClass* Control = nullptr; // when it is one of kControls
    TReferenceBounds Reference;             // relative to the parent's client area, at factor 1.0
    // The reference as it was recorded, and the resolution it was recorded at:
    // the reference at any other one is made from it.
    Core::TBounds Base;
    int BaseDpiX = 0;
    int BaseDpiY = 0;
    // What it showed after the latest pass: anything else since is the program's.
    Core::TBounds Seen;
    // What the latest pass asked of it, while nothing moved it since.
    Core::TBounds Asked;
    bool HasAsked = false;
    // Whether it may end elsewhere than asked, and how many times in a row it
    // did not: a window is read after its moves until it took two of them, and
    // always when it is a control that sizes itself or did so once.
    bool SizesItself = false;
    unsigned char Took = 0;
    // Where it was put (by the program, or when it was recorded) and the factors
    // of that moment: at those factors it stays exactly there.
    Core::TFactors PlacedAt;
    int PlacedDpiX = 0;
    int PlacedDpiY = 0;
    Core::TBounds Placed;
    bool HasPlaced = false;
    HFONT OriginalFont = nullptr;
    LOGFONTW Font{};
    int ReferenceHeight = 0; // the font's pixel height at factor 1.0; 0: not scaled
    int BaseHeight = 0;      // as it was recorded, at FontDpi
    int FontDpi = 0;
    HFONT Applied = nullptr; // the font the window has now from this layout
};

// The records stay where they are for a whole pass: a move points at its own.
struct TMove {
    TChild* Child;
    Core::TBounds To;
};

struct TFontKey {
    HFONT Original;
    LONG Height;
    bool operator<(const TFontKey& o) const {
        return Original != o.Original ? Original < o.Original : Height < o.Height;
    }
};

struct TCachedFont {
    HFONT Font = nullptr;
    int Uses = 0;
};

struct TLayout {
    HWND Window = nullptr;
    TLayoutOptions Options;
    Core::TReference Reference;
    // The client size recorded when attaching and the resolution it had; the
    // resolution laid out at now, and the one of the latest pass.
    int ClientWidth = 0;
    int ClientHeight = 0;
    int ClientDpiX = 0;
    int ClientDpiY = 0;
    int DpiX = 0;
    int DpiY = 0;
    int LastDpiX = 0;
    int LastDpiY = 0;
    bool FollowDpi = false;
    unsigned Passes = 0;
    std::vector<TChild> Children; // every descendant, in the order they are enumerated
    std::map<TFontKey, TCachedFont> Fonts;
    bool Shown = false;
    Core::TFactors LastFactors; // of the latest pass, for windows made since
    // How this system's combo boxes answer CB_GETDROPPEDCONTROLRECT: Windows
    // gives the whole dropped-down rectangle, Wine the list below the field alone.
    // Asked of a combo box of its own when the first one is recorded.
    int DroppedHasField = -1;
    // A pass is running: a detach waits for its end, a nested one runs after it.
    bool Running = false;
    bool PassAgain = false;
    bool Detached = false;
    std::weak_ptr<TLayout> Self;
    // What one pass works with, kept from pass to pass.
    std::vector<HWND> All;
    std::vector<TMove> Moves;
    std::vector<std::pair<std::size_t, HFONT>> Refont;
};

using TLayouts = std::unordered_map<HWND, std::shared_ptr<TLayout>>;

TLayouts& Layouts() {
    static TLayouts layouts;
    return layouts;
}

std::shared_ptr<TLayout> Find(HWND window) {
    auto it = Layouts().find(window);
    return it == Layouts().end() ? nullptr : it->second;
}

template <class T> bool Contains(const std::vector<T>& list, const T& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool Excluded(const TLayoutOptions& o, HWND window) {
    return Contains(o.ExcludedWindows, window) || Contains(o.ExcludedIds, GetDlgCtrlID(window));
}

bool FixedFont(const TLayoutOptions& o, HWND window) {
    return Contains(o.FixedFontWindows, window) || Contains(o.FixedFontIds, GetDlgCtrlID(window));
}

int AbsHeight(LONG lfHeight) {
    const long long h = lfHeight < 0 ? -static_cast<long long>(lfHeight) : lfHeight;
    return static_cast<int>(std::min<long long>(h, INT_MAX));
}

// The client origin of a parent on the screen, kept while consecutive windows
// share their parent.
class TOrigins {
public:
    POINT Of(HWND parent) {
        if (parent != FParent) {
            FParent = parent;
            FOrigin = {0, 0};
            MapWindowPoints(parent, nullptr, &FOrigin, 1);
        }
        return FOrigin;
    }
    void Forget() { FParent = nullptr; }

private:
    HWND FParent = nullptr;
    POINT FOrigin{0, 0};
};

constexpr LONG kUnanswered = INT_MIN;

// A drop-down combo box's height reaches down to the bottom of its list.
void AddDropped(const TLayout& layout, const TChild& c, Core::TBounds& out) {
    // The answer's success value differs (Wine returns CB_OKAY, which is 0): a
    // rectangle filled in is the answer.
    RECT dropped{kUnanswered, kUnanswered, kUnanswered, kUnanswered};
    SendMessageW(c.Window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    if (dropped.top != kUnanswered && dropped.bottom != kUnanswered) {
        const long long list = static_cast<long long>(dropped.bottom) - dropped.top;
        const long long height = layout.DroppedHasField == 1 ? list : list + out.Height;
        out.Height = static_cast<int>(std::clamp<long long>(height, 0, INT_MAX));
    }
}

// A window's rectangle as the layout sees it, relative to its parent's client
// area. False when the window is gone. Inline: every window of a pass is read.
[[gnu::always_inline]] inline bool Extent(const TLayout& layout, const TChild& c, TOrigins& origins,
                                          Core::TBounds& out) {
    RECT r; // filled in when the answer is true
    if (!GetWindowRect(c.Window, &r))
        return false;
    out = Core::BoundsIn(r, origins.Of(c.Parent));
    if (c.DropDown)
        AddDropped(layout, c, out);
    return true;
}

// Whether CB_GETDROPPEDCONTROLRECT includes the closed field, asked of a hidden
// combo box made as high as a field and a list together.
bool AskDroppedHasField() {
    constexpr int kHeight = 200;
    const HWND probe =
        CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"COMBOBOX", u"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0,
                        100, kHeight, nullptr, nullptr, nullptr, nullptr);
    if (probe == nullptr)
        return true;
    RECT dropped{0, 0, 0, 0};
    SendMessageW(probe, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    DestroyWindow(probe);
    return static_cast<long long>(dropped.bottom) - dropped.top >= kHeight;
}

// The cached scaled font a window was given, found by handle.
const TFontKey* CachedKey(const TLayout& layout, HFONT font) {
    if (font == nullptr)
        return nullptr;
    for (const auto& [key, cached] : layout.Fonts)
        if (cached.Font == font)
            return &key;
    return nullptr;
}

void Release(TLayout& layout, HFONT font) {
    for (auto& [key, cached] : layout.Fonts)
        if (cached.Font == font) {
            --cached.Uses;
            return;
        }
}

// The record of a descendant whose parent's record (null for the layout's own
// window) says what happens to it. Its references come from what it shows now
// at the factors that placed it (1.0 when attaching); its font is its design
// size, and one of this layout's scaled fonts stands for the original it was
// made from.
TChild Record(TLayout& layout, HWND window, const TChild* parent, const Core::TFactors& factors,
              TOrigins& origins) {
    TChild c;
    c.Window = window;
    c.Parent = GetParent(window);
    const TClassName cls = ClassOf(window);
    const TLayoutOptions& o = layout.Options;

    bool laid = parent == nullptr || (parent->Laid && parent->Enter != TEnter::None);
    if (laid && parent != nullptr && parent->Enter == TEnter::AllButOwn && parent->Control) {
        const auto& own = parent->Control->Own;
        laid = own[0].empty() ? false : std::find(own.begin(), own.end(), cls) == own.end();
    }
    c.Laid = laid && !Excluded(o, window);

    for (const TControlClass& control : kControls)
        if (control.Name == cls)
            c.Control = &control;
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (Named(o.LeftClasses, cls))
        c.Enter = TEnter::None;
    else if (Named(o.EnteredClasses, cls) || cls == u"#32770" || !c.Control)
        c.Enter = TEnter::All;
    else
        c.Enter = (exStyle & WS_EX_CONTROLPARENT) ? TEnter::AllButOwn : TEnter::None;
    if (!c.Laid)
        return c;

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    c.DropDown = (cls == u"combobox" || cls == u"comboboxex32") && (style & 0x3) != CBS_SIMPLE;
    c.SizesItself = cls == u"combobox" || cls == u"comboboxex32" || cls == u"combolbox" ||
                    (cls == u"listbox" && !(style & LBS_NOINTEGRALHEIGHT)) ||
                    cls == u"toolbarwindow32" || cls == u"rebarwindow32" ||
                    cls == u"msctls_statusbar32";
    if (c.DropDown && layout.DroppedHasField < 0)
        layout.DroppedHasField = AskDroppedHasField() ? 1 : 0;
    Core::TBounds now{};
    Extent(layout, c, origins, now);
    c.Reference = Core::ReferenceBounds(now, factors);
    c.Base = c.Reference;
    c.BaseDpiX = c.PlacedDpiX = layout.LastDpiX;
    c.BaseDpiY = c.PlacedDpiY = layout.LastDpiY;
    c.Seen = now;
    c.PlacedAt = factors;
    c.Placed = now;
    c.HasPlaced = true;

    // A child dialog's font made its controls; they are scaled themselves, and
    // the dialog keeps its own (Wine's dialogs ignore a new one).
    c.Applied = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    const TFontKey* key = CachedKey(layout, c.Applied);
    c.OriginalFont = key ? key->Original : c.Applied;
    if (c.OriginalFont && cls != u"#32770" && !FixedFont(o, window) &&
        GetObjectW(c.OriginalFont, sizeof(LOGFONTW), &c.Font) == sizeof(LOGFONTW))
        c.ReferenceHeight = c.BaseHeight = AbsHeight(c.Font.lfHeight);
    c.FontDpi = layout.LastDpiX;
    if (key) // the window holds a use of the cached font from now on
        ++layout.Fonts[*key].Uses;
    return c;
}

BOOL QV_CALLBACK CollectWindow(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return 1;
}

void Descendants(HWND window, std::vector<HWND>& all) {
    all.clear();
    EnumChildWindows(window, &CollectWindow, reinterpret_cast<LPARAM>(&all));
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    Descendants(window, all);
    return all;
}

// The windows there are now, compared with the records as they come: the list
// is only written from the first window that differs. True when they are the
// records' windows, which then are not written to the list at all.
struct TTreeCheck {
    const TChild* First;
    const TChild* Next; // the record the next window should be
    const TChild* End;
    std::vector<HWND>* All;
    bool Differs = false;
};

// Out of line, so that a window that matches costs a comparison alone.
[[gnu::noinline]] BOOL ListWindow(TTreeCheck& t, HWND child) {
    if (!t.Differs) {
        t.Differs = true;
        for (const TChild* c = t.First; c != t.Next; ++c)
            t.All->push_back(c->Window);
    }
    t.All->push_back(child);
    return 1;
}

BOOL QV_CALLBACK CheckWindow(HWND child, LPARAM data) {
    auto& t = *reinterpret_cast<TTreeCheck*>(data);
    if (!t.Differs && t.Next != t.End && t.Next->Window == child) {
        ++t.Next;
        return 1;
    }
    return ListWindow(t, child);
}

bool SameTree(const TLayout& layout, std::vector<HWND>& all) {
    all.clear();
    const TChild* first = layout.Children.data();
    TTreeCheck check{first, first, first + layout.Children.size(), &all};
    EnumChildWindows(layout.Window, &CheckWindow, reinterpret_cast<LPARAM>(&check));
    if (!check.Differs && check.Next == check.End)
        return true;
    if (!check.Differs) // fewer windows: the first ones are the records'
        for (const TChild* c = first; c != check.Next; ++c)
            all.push_back(c->Window);
    return false;
}

// The records brought up to the windows there are now: destroyed ones leave,
// new ones (and ones given another parent) join, each after its parent.
void Reconcile(TLayout& layout, const std::vector<HWND>& all, const Core::TFactors& factors) {
    std::vector<TChild>& old = layout.Children;
    if (all.size() == old.size() &&
        std::equal(all.begin(), all.end(), old.begin(),
                   [](HWND w, const TChild& c) { return c.Window == w; }))
        return;
    std::unordered_map<HWND, std::size_t> oldIndex, index;
    oldIndex.reserve(old.size());
    for (std::size_t i = 0; i < old.size(); ++i)
        oldIndex.emplace(old[i].Window, i);
    std::vector<bool> kept(old.size(), false);
    std::vector<TChild> next;
    next.reserve(all.size());
    TOrigins origins;
    for (HWND w : all) {
        const HWND parent = GetParent(w);
        if (auto found = oldIndex.find(w);
            found != oldIndex.end() && old[found->second].Parent == parent) {
            kept[found->second] = true;
            index.emplace(w, next.size());
            next.push_back(old[found->second]);
            continue;
        }
        auto p = index.find(parent);
        const TChild* parentRecord = p == index.end() ? nullptr : &next[p->second];
        if (parentRecord == nullptr && parent != layout.Window)
            continue; // its parent left the tree while it was enumerated
        index.emplace(w, next.size());
        next.push_back(Record(layout, w, parentRecord, factors, origins));
    }
    // Records of windows that are gone give their fonts back.
    for (std::size_t i = 0; i < old.size(); ++i)
        if (!kept[i] && old[i].Applied != old[i].OriginalFont)
            Release(layout, old[i].Applied);
    layout.Children = std::move(next);
    // A pass moves at most every window: its list never grows while it runs.
    layout.Moves.reserve(layout.Children.size());
}

// The font of the child at a pixel height: its own one at its own height, else
// a shared scaled copy of its description; the child holds a use of it.
HFONT FontFor(TLayout& layout, const TChild& child, int size) {
    if (size == AbsHeight(child.Font.lfHeight))
        return child.OriginalFont;
    const LONG height = child.Font.lfHeight < 0 ? -size : size;
    TCachedFont& cached = layout.Fonts[{child.OriginalFont, height}];
    if (!cached.Font) {
        LOGFONTW font = child.Font;
        font.lfHeight = height;
        cached.Font = CreateFontIndirectW(&font);
    }
    ++cached.Uses;
    return cached.Font;
}

// Scaled fonts no record uses any more are deleted, unless a window holds one
// all the same (one the program gave it, or a control passed on): that one stays
// until no window does. The windows are the list, or the records' when the list
// was left empty because they are the same.
void DeleteUnusedFonts(TLayout& layout, std::vector<HWND>& all, bool asRecords) {
    if (std::none_of(layout.Fonts.begin(), layout.Fonts.end(),
                     [](const auto& f) { return f.second.Uses <= 0; }))
        return;
    if (asRecords)
        for (const TChild& c : layout.Children)
            all.push_back(c.Window);
    std::vector<HFONT> held;
    for (HWND w : all)
        if (IsWindow(w))
            held.push_back(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
    for (auto it = layout.Fonts.begin(); it != layout.Fonts.end();) {
        if (it->second.Uses <= 0 && !Contains(held, it->second.Font)) {
            DeleteObject(it->second.Font);
            it = layout.Fonts.erase(it);
        } else {
            ++it;
        }
    }
}

// Every window of the tree holding a scaled font gets the original it was made
// from; then the scaled fonts are deleted.
void Teardown(TLayout& layout) {
    // A handler may pass a scaled font on while the originals go back (a window
    // given its sibling's before that one got its own): the windows are looked
    // at again until none holds one.
    constexpr int kSweeps = 8;
    for (int sweep = 0; sweep < kSweeps && !layout.Fonts.empty() && IsWindow(layout.Window);
         ++sweep) {
        bool gave = false;
        for (HWND w : Descendants(layout.Window))
            if (const TFontKey* key =
                    CachedKey(layout, reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)))) {
                SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(key->Original), 1);
                gave = true;
            }
        if (!gave)
            break;
    }
    for (auto& [key, cached] : layout.Fonts)
        DeleteObject(cached.Font);
    layout.Fonts.clear();
    layout.Children.clear();
}

// A record's reference and font at a resolution, made from what was recorded,
// so that the same resolution always gives the same values.
void AtResolution(TChild& c, int dpiX, int dpiY) {
    c.Reference =
        c.BaseDpiX == dpiX && c.BaseDpiY == dpiY
            ? c.Base
            : Core::StartupBounds(c.Base, Core::DpiRatios(c.BaseDpiX, c.BaseDpiY, dpiX, dpiY));
    if (c.BaseHeight != 0)
        c.ReferenceHeight =
            c.FontDpi == dpiX
                ? c.BaseHeight
                : std::max(Core::StartupAdjust(c.BaseHeight, Core::DpiRatio(c.FontDpi, dpiX)), 1);
    c.HasAsked = false;
}

// The resolution the next pass lays out at; the reference client size is the
// recorded one at that resolution.
void SetResolution(TLayout& layout, int dpiX, int dpiY) {
    layout.DpiX = dpiX;
    layout.DpiY = dpiY;
    layout.Reference = {
        Core::StartupAdjust(layout.ClientWidth, Core::DpiRatio(layout.ClientDpiX, dpiX)),
        Core::StartupAdjust(layout.ClientHeight, Core::DpiRatio(layout.ClientDpiY, dpiY)),
        dpiX,
        dpiY,
        dpiX,
        dpiY};
}

// Bounds compared as two 64-bit words, without a branch a field: a pass
// compares every window's.
inline bool Same(const Core::TBounds& a, const Core::TBounds& b) {
    static_assert(sizeof(Core::TBounds) == 2 * sizeof(std::uint64_t) &&
                  std::has_unique_object_representations_v<Core::TBounds>);
#if defined(__SSE2__) && defined(__x86_64__)
    return _mm_movemask_epi8(_mm_cmpeq_epi32(Core::LanesOf(a), Core::LanesOf(b))) == 0xFFFF;
#else
    std::uint64_t x[2], y[2];
    std::memcpy(x, &a, sizeof x);
    std::memcpy(y, &b, sizeof y);
    return ((x[0] ^ y[0]) | (x[1] ^ y[1])) == 0;
#endif
}

// Moves a window took as asked this many times in a row make it trusted to take
// the next: it is not read again after it.
constexpr unsigned char kTrusted = 2;

// What a window is asked for at the factors, if anything: nothing when it is
// there already, or when it did not take the same last time and nobody moved it
// since. Where it was put counts at the resolution it was put at. A trusted
// window is seen where it is asked to go; the others are counted, to be read.
[[gnu::always_inline]] inline void Plan(TChild& c, const Core::TBounds& now, bool unchanged,
                                        const Core::TFactors& factors, int dpiX, int dpiY,
                                        std::vector<TMove>& moves, std::size_t& reads) {
    c.Seen = now;
    const Core::TBounds to =
        c.HasPlaced && c.PlacedAt == factors && c.PlacedDpiX == dpiX && c.PlacedDpiY == dpiY
            ? c.Placed
            : c.Reference.Scaled(factors);
    if (Same(to, now) || (unchanged && c.HasAsked && Same(c.Asked, to)))
        return;
    c.Asked = to;
    c.HasAsked = true;
    moves.push_back({&c, to});
    if (!c.SizesItself && c.Took >= kTrusted)
        c.Seen = to;
    else
        ++reads;
}

void PassOnce(TLayout& layout) {
    ++layout.Passes;
    RECT client{};
    GetClientRect(layout.Window, &client);
    const Core::TFactors factors =
        Core::PassFactors(client.right - client.left, client.bottom - client.top, layout.Reference);
    // A new resolution since the last pass: every reference and font is made
    // again for it.
    const int dpiX = layout.DpiX, dpiY = layout.DpiY;
    const bool rescale = dpiX != layout.LastDpiX || dpiY != layout.LastDpiY;

    // Windows destroyed since the last pass leave; windows made since join, at
    // the place they were given for the size of that moment.
    std::vector<HWND>& all = layout.All;
    const bool sameTree = SameTree(layout, all);
    if (!sameTree)
        Reconcile(layout, all, layout.LastFactors);

    // What the program moved since the last pass keeps its proportions from
    // where the program put it; read before the fonts change, which some
    // controls answer by sizing themselves. Every changed rectangle then goes in
    // one batch, so each window moves once.
    std::vector<TMove>& moves = layout.Moves;
    moves.clear();
    std::size_t reads = 0; // moves whose windows are read after them
    std::vector<std::pair<std::size_t, HFONT>>& refont = layout.Refont;
    refont.clear();
    TOrigins origins;
    // Nothing changes the records while they are read (a nested pass waits).
    TChild* const children = layout.Children.data();
    const std::size_t count = layout.Children.size();
    for (std::size_t i = 0; i < count; ++i) {
        TChild& c = children[i];
        Core::TBounds now;
        if (!c.Laid || !Extent(layout, c, origins, now))
            continue;
        const bool unchanged = Same(now, c.Seen);
        if (!unchanged) {
            c.Reference = Core::ReferenceBounds(now, layout.LastFactors, c.Reference);
            c.Base = c.Reference;
            c.BaseDpiX = c.PlacedDpiX = layout.LastDpiX;
            c.BaseDpiY = c.PlacedDpiY = layout.LastDpiY;
            c.HasAsked = false;
            c.Took = 0;
            c.PlacedAt = layout.LastFactors;
            c.Placed = now;
            c.HasPlaced = true;
        }
        if (rescale)
            AtResolution(c, dpiX, dpiY);
        if (layout.Options.ResizeFont && c.ReferenceHeight != 0) {
            const int size = Core::ScaleFontPixels(c.ReferenceHeight, factors.Font);
            const HFONT font = FontFor(layout, c, std::clamp(size, 1, INT_MAX));
            if (font != c.Applied) {
                c.Seen = now;
                refont.emplace_back(i, font);
                continue;
            }
            if (font != c.OriginalFont)
                Release(layout, font); // FontFor took a use the child already holds
        }
        Plan(c, now, unchanged, factors, dpiX, dpiY, moves, reads);
    }

    // Fonts before rectangles: a window's new font and its new rectangle then
    // paint once. A control that sizes itself to its font is read again.
    for (const auto& [i, font] : refont) {
        TChild& c = layout.Children[i];
        if (c.Applied != c.OriginalFont)
            Release(layout, c.Applied);
        c.Applied = font;
        SendMessageW(c.Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
        if (layout.Detached)
            return;
    }
    origins.Forget();
    for (const auto& [i, font] : refont) {
        TChild& c = layout.Children[i];
        Core::TBounds now;
        if (Extent(layout, c, origins, now))
            Plan(c, now, false, factors, dpiX, dpiY, moves, reads);
    }
    layout.LastFactors = factors;
    layout.LastDpiX = dpiX;
    layout.LastDpiY = dpiY;

    // A moved window repaints whole: the bits copied from its old place were
    // drawn in its old size and often its old font.
    if (!moves.empty()) {
        constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
        HDWP batch = BeginDeferWindowPos(static_cast<int>(moves.size()));
        for (const TMove& m : moves) {
            const Core::TBounds& b = m.To;
            if (batch)
                batch = DeferWindowPos(batch, m.Child->Window, nullptr, b.Left, b.Top, b.Width,
                                       b.Height, kFlags);
        }
        if (batch) {
            EndDeferWindowPos(batch);
        } else {
            // Without a batch every window still moves, one by one.
            for (const TMove& m : moves) {
                const Core::TBounds& b = m.To;
                SetWindowPos(m.Child->Window, nullptr, b.Left, b.Top, b.Width, b.Height, kFlags);
                if (layout.Detached)
                    return;
            }
        }
        if (layout.Detached)
            return;
        // Where the windows ended, which their controls may have adjusted.
        origins.Forget();
        for (std::size_t k = 0; reads > 0 && k < moves.size(); ++k) {
            TChild& c = *moves[k].Child;
            if (!c.SizesItself && c.Took >= kTrusted)
                continue; // seen where it was asked to go
            --reads;
            const TMove& m = moves[k];
            Extent(layout, c, origins, c.Seen);
            if (c.Seen == m.To)
                c.Took = static_cast<unsigned char>(std::min(c.Took + 1, int{kTrusted}));
            else
                c.SizesItself = true;
        }
    }
    DeleteUnusedFonts(layout, all, sameTree);
    if (layout.Options.OnLayout)
        layout.Options.OnLayout(layout.Window, factors);
}

// One pass, and once more for every size change a handler made during it; a
// detach from inside takes effect when it returns.
void Pass(const std::shared_ptr<TLayout>& held) {
    if (!held)
        return;
    TLayout& layout = *held;
    if (layout.Running) {
        layout.PassAgain = true;
        return;
    }
    layout.Running = true;
    for (int round = 0; round <= kRepeatedPasses && !layout.Detached; ++round) {
        layout.PassAgain = false;
        PassOnce(layout);
        if (!layout.PassAgain)
            break;
    }
    layout.Running = false;
    if (layout.Detached) {
        Teardown(layout);
        auto it = Layouts().find(layout.Window);
        if (it != Layouts().end() && it->second == held)
            Layouts().erase(it);
    }
}

void FirstShow(TLayout& layout) {
    const TLayoutOptions& o = layout.Options;
    const bool startSize = o.StartWidth > 0 && o.StartHeight > 0;
    if (!startSize && o.StartPos == Core::rpDefault)
        return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(layout.Window, MONITOR_DEFAULTTONEAREST), &info);
    RECT win{};
    GetWindowRect(layout.Window, &win);
    const Core::TPoint size = Core::FirstShowSize(
        o.StartWidth, o.StartHeight, win.right - win.left, win.bottom - win.top,
        info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top);
    const Core::TFrameInsets frame = Core::FrameInsets(Core::RectOf(win), Core::RectOf(win));
    const Core::TPoint at =
        Core::PlacementOrigin(o.StartPos, Core::RectOf(info.rcWork), frame, size.X, size.Y, false);
    SetWindowPos(layout.Window, nullptr, at.X, at.Y, size.X, size.Y, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT QV_CALLBACK LayoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data);

// Off the window: at once, or when the running pass returns.
void Detach(const std::shared_ptr<TLayout>& layout) {
    layout->Detached = true;
    RemoveWindowSubclass(layout->Window, &LayoutProc, kSubclassId);
    if (layout->Running)
        return;
    Teardown(*layout);
    Layouts().erase(layout->Window);
}

Core::TSizeLimits Limits(const TLayoutOptions& o) {
    return {o.MinWidth, o.MinHeight, o.MaxWidth, o.MaxHeight};
}

// The messages the layout answers.
[[gnu::noinline]] LRESULT Answer(TLayout& layout, HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam && !layout.Shown) {
            const std::shared_ptr<TLayout> held = layout.Self.lock();
            layout.Shown = true;
            FirstShow(layout);
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const Core::TSizeLimits limits = Limits(layout.Options);
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (info != nullptr && limits.HasMin())
            info->ptMinTrackSize = {limits.MinWidth, limits.MinHeight};
        if (info != nullptr && limits.HasMax()) {
            info->ptMaxTrackSize = {limits.MaxWidth, limits.MaxHeight};
            info->ptMaxSize = {std::min<LONG>(info->ptMaxSize.x, limits.MaxWidth),
                               std::min<LONG>(info->ptMaxSize.y, limits.MaxHeight)};
        }
        return result;
    }
    case WM_SIZING:
        if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
            const Core::TRect r = Core::ClampDrag(Core::RectOf(*rect), Limits(layout.Options));
            *rect = {r.Left, r.Top, r.Right, r.Bottom};
        }
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Pass(layout.Self.lock());
        break;
    case WM_DPICHANGED:
        // Before the program sees it, which may also take the rectangle: the
        // same again changes nothing.
        if (layout.FollowDpi && lParam != 0) {
            const std::shared_ptr<TLayout> held = layout.Self.lock();
            const int x = LOWORD(static_cast<std::uintptr_t>(wParam));
            const int y = HIWORD(static_cast<std::uintptr_t>(wParam));
            if (x > 0 && y > 0 && (x != layout.DpiX || y != layout.DpiY))
                SetResolution(layout, x, y);
            const RECT r = *reinterpret_cast<const RECT*>(lParam);
            const unsigned passes = layout.Passes;
            SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            // A window that keeps its client size gets no size message.
            if (!layout.Detached && layout.Passes == passes && !IsIconic(window))
                Pass(held);
        }
        break;
    case WM_NCDESTROY:
        // The window's subclasses end with it; the scaled fonts end here (or
        // when a pass it was destroyed from returns).
        if (const std::shared_ptr<TLayout> held = layout.Self.lock())
            Detach(held);
        return DefSubclassProc(window, message, wParam, lParam);
    default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Most messages a window gets pass straight on.
LRESULT QV_CALLBACK LayoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    // The subclass goes when the layout is detached, and the layout stays while
    // anything that may detach it from a handler runs.
    auto& layout = *reinterpret_cast<TLayout*>(data);
    switch (message) {
    case WM_GETMINMAXINFO:
        // Without limits the system's sizes stand.
        if (const Core::TSizeLimits limits = Limits(layout.Options);
            !limits.HasMin() && !limits.HasMax())
            break;
        [[fallthrough]];
    case WM_SHOWWINDOW:
    case WM_SIZING:
    case WM_SIZE:
    case WM_DPICHANGED:
    case WM_NCDESTROY:
        if (!layout.Detached)
            return Answer(layout, window, message, wParam, lParam);
        break;
    default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

bool AttachLayout(HWND Window, const TLayoutOptions& Options) {
    // Recording sends messages: a handler attaching the same window meanwhile
    // would make a second layout of it.
    static std::vector<HWND> attaching;
    if (!IsWindow(Window) || Find(Window) || Contains(attaching, Window))
        return false;
    attaching.push_back(Window);
    struct TDone {
        HWND Window;
        ~TDone() { attaching.erase(std::find(attaching.begin(), attaching.end(), Window)); }
    } done{Window};
    auto layout = std::make_shared<TLayout>();
    layout->Window = Window;
    layout->Options = Options;
    layout->Shown = IsWindowVisible(Window) != 0;
    RECT client{};
    GetClientRect(Window, &client);
    HDC dc = GetDC(nullptr);
    int runX = GetDeviceCaps(dc, LOGPIXELSX), runY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    layout->FollowDpi = Options.FollowMonitorDpi &&
                        GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) ==
                            DPI_AWARENESS_PER_MONITOR_AWARE_;
    if (layout->FollowDpi)
        if (const int own = static_cast<int>(GetDpiForWindow(Window)); own > 0)
            runX = runY = own;
    // No resolution, or none that exists, is the one it runs at.
    const int designX = Options.DesignDpiX > 0 ? Options.DesignDpiX : runX;
    const int designY = Options.DesignDpiY > 0 ? Options.DesignDpiY : runY;
    // The windows are recorded at the design resolution, and their references
    // made for the one it runs at; passes then scale by the client size alone.
    layout->ClientWidth = client.right - client.left;
    layout->ClientHeight = client.bottom - client.top;
    layout->ClientDpiX = runX;
    layout->ClientDpiY = runY;
    SetResolution(*layout, runX, runY);
    layout->LastDpiX = designX;
    layout->LastDpiY = designY;
    Reconcile(*layout, Descendants(Window), {});
    for (TChild& c : layout->Children)
        if (c.Laid)
            AtResolution(c, runX, runY);
    layout->LastDpiX = runX;
    layout->LastDpiY = runY;

    // Laid out for another resolution: the window is laid out for the corrected
    // references at once.
    const Core::TDpiRatios ratios = Core::DpiRatios(designX, designY, runX, runY);
    const bool corrected = ratios.X != 1.0 || ratios.Y != 1.0;

    layout->Self = layout;
    if (!SetWindowSubclass(Window, &LayoutProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(layout.get())))
        return false;
    Layouts()[Window] = layout;
    if (corrected)
        Pass(layout);
    return true;
}

bool DetachLayout(HWND Window) {
    const std::shared_ptr<TLayout> layout = Find(Window);
    if (!layout || layout->Detached)
        return false;
    Detach(layout);
    return true;
}

bool HasLayout(HWND Window) {
    const std::shared_ptr<TLayout> layout = Find(Window);
    return layout && !layout->Detached;
}

bool LayOut(HWND Window) {
    const std::shared_ptr<TLayout> layout = Find(Window);
    if (!layout || layout->Detached)
        return false;
    Pass(layout);
    return true;
}

} // namespace Quorvel::WinLayout
