// Menus as far as a window's geometry needs them: handles, their count of
// items, the submenus that end with them, and the bar they put under a
// top-level window's caption.
#include "quorvel/win/sim/SimDesktopImpl.h"

namespace Sim {

namespace {
constexpr std::uintptr_t kMenuBase = 0x0B0B0000;
constexpr std::uintptr_t kMenuStep = 0x10;
} // namespace

int TDesktop::TImpl::MenuRow(int dpi) const { return MenuBarRow(Config.Frame, dpi); }

int TDesktop::TImpl::MenuBarHeight(const TWindow& window) const {
    if (window.Menu == nullptr || (window.Style & WS_CHILD) != 0)
        return 0;
    const auto menu = Menus.find(FromHandle(window.Menu));
    if (menu == Menus.end() || menu->second.Items == 0)
        return 0;
    return MenuRow(WindowDpi(window));
}

bool TDesktop::TImpl::DestroyMenuTree(std::uintptr_t menu) {
    const auto found = Menus.find(menu);
    if (found == Menus.end())
        return false;
    const std::vector<std::uintptr_t> popups = std::move(found->second.Popups);
    Menus.erase(found);
    for (const std::uintptr_t popup : popups)
        DestroyMenuTree(popup);
    return true;
}

} // namespace Sim

namespace Win32 {

using Sim::Desk;
using Sim::FromHandle;
using Sim::kFalse;
using Sim::kTrue;

HMENU CreateMenu() {
    auto& d = Desk(__func__);
    const std::uintptr_t key = Sim::kMenuBase + Sim::kMenuStep * ++d.MenuSerial;
    d.Menus.emplace(key, Sim::TDesktop::TImpl::TMenu{});
    return Sim::ToHandle<HMENU>(key);
}

BOOL DestroyMenu(HMENU menu) {
    auto& d = Desk(__func__);
    return d.DestroyMenuTree(FromHandle(menu)) ? kTrue : kFalse;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR item, LPCWSTR) {
    auto& d = Desk(__func__);
    const auto found = d.Menus.find(FromHandle(menu));
    if (found == d.Menus.end())
        return kFalse;
    if ((flags & MF_POPUP) != 0) {
        // The item is a submenu's handle, which has to exist.
        if (item == static_cast<UINT_PTR>(FromHandle(menu)) || d.Menus.count(item) == 0)
            return kFalse;
        found->second.Popups.push_back(item);
    }
    ++found->second.Items;
    return kTrue;
}

int GetMenuItemCount(HMENU menu) {
    auto& d = Desk(__func__);
    const auto found = d.Menus.find(FromHandle(menu));
    return found == d.Menus.end() ? -1 : found->second.Items;
}

BOOL SetMenu(HWND window, HMENU menu) {
    auto& d = Desk(__func__);
    Sim::TWindow* w = d.Find(window);
    if (w == nullptr || (w->Style & WS_CHILD) != 0 ||
        (menu != nullptr && d.Menus.count(FromHandle(menu)) == 0))
        return kFalse;
    w->Menu = menu;
    ++d.Geometry;
    // The frame is computed again, as SetMenu does on Windows.
    d.SetPos(window, nullptr, 0, 0, 0, 0,
             SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return kTrue;
}

HMENU GetMenu(HWND window) {
    auto& d = Desk(__func__);
    const Sim::TWindow* w = d.Find(window);
    return w == nullptr || (w->Style & WS_CHILD) != 0 ? nullptr : w->Menu;
}

} // namespace Win32
