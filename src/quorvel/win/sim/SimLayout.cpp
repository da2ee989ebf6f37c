// The simulated desktop's part of the plain-window layout seam: descendants in
// creation order (depth first, as EnumChildWindows enumerates grandchildren
// too), coordinates between windows, deferred-move batches applied move by move
// when the batch ends, fonts' descriptions, and comctl32-style subclass chains:
// one dispatching procedure per window runs the newest subclass first, each
// passing on with DefSubclassProc, the last to the window's own procedure.
#include "quorvel/win/sim/SimDesktopImpl.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace Sim {
namespace {

constexpr std::uintptr_t kDeferBase = 0x0D0D0000;
constexpr std::uintptr_t kDeferStep = 0x10;

// Depth first, without recursion: down to the first child, else on to the next
// sibling of the nearest window that has one.
void CollectDescendants(const TWindow& parent, std::vector<HWND>& out) {
    const TWindow* c = parent.FirstChild;
    while (c != nullptr) {
        out.push_back(c->Handle);
        if (c->FirstChild != nullptr) {
            c = c->FirstChild;
            continue;
        }
        while (c != &parent && c->Next == nullptr)
            c = c->Parent;
        c = c == &parent ? nullptr : c->Next;
    }
}

[[gnu::noinline]] TSubclassChain* ChainOfGone(TDesktop::TImpl& d, HWND window) {
    auto it = d.Subclasses.find(FromHandle(window));
    return it == d.Subclasses.end() ? nullptr : &it->second;
}

// A window's chain: on its record while it lives, else (a window destroyed
// while its chain ran) in the table alone.
inline TSubclassChain* ChainOf(TDesktop::TImpl& d, HWND window) {
    if (const TWindow* w = d.Find(window))
        return w->Subclasses;
    return ChainOfGone(d, window);
}

void EraseChain(TDesktop::TImpl& d, HWND window) {
    d.Subclasses.erase(FromHandle(window));
    if (TWindow* w = d.Find(window))
        w->Subclasses = nullptr;
}

// Below the oldest entry: the window's own procedure, called as
// CallWindowProcW would, which only adds the log's entry.
LRESULT RunOriginal(TDesktop::TImpl& d, const TSubclassChain& chain, HWND window, UINT message,
                    WPARAM wParam, LPARAM lParam) {
    if (d.LogOn || chain.Original == nullptr)
        return CallWindowProcW(chain.Original, window, message, wParam, lParam);
    return chain.Original(window, message, wParam, lParam);
}

// Runs the entry at Index of the window's chain, or the original procedure
// below the oldest entry; entries removed while the chain runs are passed over.
[[gnu::always_inline]] inline LRESULT RunChain(TDesktop::TImpl& d, TSubclassChain& chain,
                                               HWND window, int index, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    while (index >= 0 && chain.Entries[static_cast<std::size_t>(index)].Proc == nullptr)
        --index;
    if (index < 0)
        return RunOriginal(d, chain, window, message, wParam, lParam);
    const TSubclass entry = chain.Entries[static_cast<std::size_t>(index)];
    TDesktop::TImpl::TSubclassFrame frame{window, index, &chain, d.SubclassFrames};
    d.SubclassFrames = &frame;
    const LRESULT result = entry.Proc(window, message, wParam, lParam, entry.Id, entry.Data);
    Desk("DefSubclassProc").SubclassFrames = frame.Outer;
    return result;
}

LRESULT QV_CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool ChainRunning(const TDesktop::TImpl& d, HWND window) {
    for (const auto* f = d.SubclassFrames; f != nullptr; f = f->Outer)
        if (f->Window == window)
            return true;
    return false;
}

// Drops removed entries once no procedure of the chain runs; an empty chain
// gives the window its own procedure back.
void Compact(TDesktop::TImpl& d, HWND window) {
    TSubclassChain* chain = ChainOf(d, window);
    if (chain == nullptr || ChainRunning(d, window))
        return;
    auto& entries = chain->Entries;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const auto& e) { return e.Proc == nullptr; }),
                  entries.end());
    if (!entries.empty())
        return;
    const WNDPROC original = chain->Original;
    EraseChain(d, window);
    // Only where nobody replaced the dispatcher since: theirs stays on top.
    if (TWindow* w = d.Find(window); w != nullptr && w->Proc == &Dispatch)
        w->Proc = original;
}

// After a message that ended the window, or removed a subclass or destroyed
// any window: the outermost call running the chain tidies it.
[[gnu::noinline]] void Tidy(TDesktop::TImpl& d, HWND window, UINT message) {
    if (ChainRunning(d, window))
        return;
    if (message == WM_NCDESTROY || d.Find(window) == nullptr)
        EraseChain(d, window); // the window's subclasses end with it
    else
        Compact(d, window);
}

LRESULT QV_CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& d = Desk("SetWindowSubclass");
    TSubclassChain* chain = ChainOf(d, window);
    if (chain == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    const int top = static_cast<int>(chain->Entries.size()) - 1;
    const std::uint64_t removals = d.SubclassRemovals, destroyed = d.Destroyed;
    const LRESULT result = RunChain(d, *chain, window, top, message, wParam, lParam);
    auto& after = Desk("SetWindowSubclass");
    if (message == WM_NCDESTROY || after.SubclassRemovals != removals ||
        after.Destroyed != destroyed)
        Tidy(after, window, message);
    return result;
}

// A move for a batch that is not the latest, is full, or names no window.
[[gnu::noinline]] HDWP DeferMore(TDesktop::TImpl& d, HDWP batch, const WINDOWPOS& move) {
    const auto key = reinterpret_cast<std::uintptr_t>(batch);
    std::size_t i = d.Deferred.size();
    while (i > 0 && d.Deferred[i - 1].Key != key)
        --i;
    if (i == 0)
        return nullptr;
    auto it = d.Deferred.begin() + static_cast<std::ptrdiff_t>(i - 1);
    if (d.Find(move.hwnd) == nullptr) {
        // As Windows does, a failing entry ends the whole batch.
        d.SpareMoves.push_back(std::move(it->Moves));
        d.Deferred.erase(it);
        return nullptr;
    }
    if (it->Next == it->Limit) {
        const auto used = static_cast<std::size_t>(it->Next - it->Moves.data());
        it->Moves.resize(std::max<std::size_t>(2 * used, 8));
        it->Next = it->Moves.data() + used;
        it->Limit = it->Moves.data() + it->Moves.size();
    }
    *it->Next++ = move;
    return batch;
}

} // namespace
} // namespace Sim

namespace Win32 {

using Sim::Desk;
using Sim::FromHandle;

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM data) {
    auto& d = Desk(__func__);
    const Sim::TWindow* w = d.Find(parent);
    if (w == nullptr || proc == nullptr)
        return Sim::kFalse;
    // The windows there are now, in the list the last enumeration left (a
    // callback that enumerates too makes its own).
    std::vector<HWND> all = std::move(d.SpareEnum);
    all.clear();
    Sim::CollectDescendants(*w, all);
    const std::uint64_t destroyed = d.Destroyed;
    for (HWND child : all) {
        // A window destroyed by an earlier callback is not reported.
        if (Desk(__func__).Destroyed != destroyed && Desk(__func__).Find(child) == nullptr)
            continue;
        if (!proc(child, data))
            break;
    }
    // Kept for the next, unless a callback ended the desktop.
    if (Sim::GCurrentImpl != nullptr)
        Sim::GCurrentImpl->SpareEnum = std::move(all);
    return Sim::kTrue;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    auto& d = Desk(__func__);
    auto origin = [&](HWND window, bool& ok) {
        if (window == nullptr)
            return POINT{0, 0};
        const Sim::TWindow* w = d.Find(window);
        ok = ok && w != nullptr;
        return w ? d.ScreenClientOrigin(*w) : POINT{0, 0};
    };
    bool ok = true;
    const POINT a = origin(from, ok), b = origin(to, ok);
    if (!ok)
        return 0;
    const LONG dx = Sim::Saturate(static_cast<long long>(a.x) - b.x);
    const LONG dy = Sim::Saturate(static_cast<long long>(a.y) - b.y);
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x = Sim::Saturate(static_cast<long long>(points[i].x) + dx);
        points[i].y = Sim::Saturate(static_cast<long long>(points[i].y) + dy);
    }
    return static_cast<int>(static_cast<DWORD>(static_cast<WORD>(dx)) |
                            (static_cast<DWORD>(static_cast<WORD>(dy)) << 16));
}

int GetDlgCtrlID(HWND window) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    if (w == nullptr || w->Parent == nullptr)
        return 0;
    return static_cast<int>(w->Id);
}

HDWP BeginDeferWindowPos(int count) {
    auto& d = Desk(__func__);
    if (count < 0)
        return nullptr;
    const std::uintptr_t value = Sim::kDeferBase + Sim::kDeferStep * ++d.DeferSerial;
    Sim::TDesktop::TImpl::TDeferBatch& batch = d.Deferred.emplace_back();
    batch.Key = value;
    if (!d.SpareMoves.empty()) {
        batch.Moves.swap(d.SpareMoves.back());
        d.SpareMoves.pop_back();
    }
    // Room for the moves announced, up to a limit; more grow the batch.
    constexpr std::size_t kAnnounced = 4096;
    const std::size_t room = std::min(static_cast<std::size_t>(count), kAnnounced);
    if (batch.Moves.size() < room)
        batch.Moves.resize(room);
    // Moving the batch keeps its moves' storage, and so these.
    batch.Next = batch.Moves.data();
    batch.Limit = batch.Next + batch.Moves.size();
    return reinterpret_cast<HDWP>(value);
}

HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                    UINT flags) {
    auto& d = Desk(__func__);
    const auto key = reinterpret_cast<std::uintptr_t>(batch);
    // Nearly always the batch begun last, with room for the move: the rest is
    // out of line.
    if (!d.Deferred.empty()) {
        Sim::TDesktop::TImpl::TDeferBatch& last = d.Deferred.back();
        if (last.Key == key && last.Next != last.Limit && d.Find(window) != nullptr) {
            WINDOWPOS& m = *last.Next++;
            m.hwnd = window;
            m.hwndInsertAfter = insertAfter;
            m.x = x;
            m.y = y;
            m.cx = cx;
            m.cy = cy;
            m.flags = flags;
            return batch;
        }
    }
    return Sim::DeferMore(d, batch, {window, insertAfter, x, y, cx, cy, flags});
}

BOOL EndDeferWindowPos(HDWP batch) {
    auto& d = Desk(__func__);
    const auto key = reinterpret_cast<std::uintptr_t>(batch);
    // Nearly always the batch begun last.
    auto it = d.Deferred.end();
    while (it != d.Deferred.begin() && (it - 1)->Key != key)
        --it;
    if (it == d.Deferred.begin())
        return Sim::kFalse;
    --it;
    // Taken out first: the windows' procedures may begin and end batches of their own.
    const auto used = static_cast<std::size_t>(it->Next - it->Moves.data());
    std::vector<WINDOWPOS> moves = std::move(it->Moves);
    d.Deferred.erase(it);
    BOOL all = Sim::kTrue;
    for (std::size_t i = 0; i < used; ++i) {
        const WINDOWPOS& m = moves[i];
        if (!Desk(__func__).SetPos(m.hwnd, m.hwndInsertAfter, m.x, m.y, m.cx, m.cy, m.flags))
            all = Sim::kFalse;
    }
    if (Sim::GCurrentImpl != nullptr) // unless a procedure ended the desktop
        Sim::GCurrentImpl->SpareMoves.push_back(std::move(moves));
    return all;
}

int GetObjectW(HGDIOBJ object, int size, void* buffer) {
    auto& d = Desk(__func__);
    auto it = d.Fonts.find(reinterpret_cast<std::uintptr_t>(object));
    if (it == d.Fonts.end())
        return 0;
    constexpr int full = static_cast<int>(sizeof(LOGFONTW));
    if (buffer == nullptr)
        return full;
    const int n = std::min(size, full);
    if (n <= 0)
        return 0;
    std::memcpy(buffer, &it->second, static_cast<std::size_t>(n));
    return n;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    auto& d = Desk(__func__);
    Sim::TWindow* w = d.Find(window);
    if (w == nullptr || proc == nullptr)
        return Sim::kFalse;
    if (w->Subclasses == nullptr) {
        Sim::TSubclassChain chain;
        chain.Original = w->Proc;
        w->Subclasses = &d.Subclasses.emplace(FromHandle(window), std::move(chain)).first->second;
        w->Proc = &Sim::Dispatch;
    }
    for (auto& e : w->Subclasses->Entries)
        if (e.Proc == proc && e.Id == id) {
            e.Data = data; // the same subclass again only changes its data
            return Sim::kTrue;
        }
    w->Subclasses->Entries.push_back({proc, id, data});
    return Sim::kTrue;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    auto& d = Desk(__func__);
    Sim::TSubclassChain* chain = Sim::ChainOf(d, window);
    if (chain == nullptr)
        return Sim::kFalse;
    for (auto& e : chain->Entries)
        if (e.Proc == proc && e.Id == id) {
            e.Proc = nullptr;
            ++d.SubclassRemovals;
            Sim::Compact(d, window);
            return Sim::kTrue;
        }
    return Sim::kFalse;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& d = Desk(__func__);
    // The innermost running entry of this window's chain passes on to the next older one.
    for (const auto* f = d.SubclassFrames; f != nullptr; f = f->Outer)
        if (f->Window == window)
            return f->Index == 0
                       ? Sim::RunOriginal(d, *f->Chain, window, message, wParam, lParam)
                       : Sim::RunChain(d, *f->Chain, window, f->Index - 1, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace Win32
