// The simulated desktop's dialogs: DLGTEMPLATEEX templates read and made into a
// dialog window with its controls, dialog units converted from the dialog's font
// as Windows does, the dialog procedure behind the window procedure.
#include "quorvel/win/sim/SimDesktopImpl.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Sim {
namespace {

constexpr WORD kExSignature = 0xFFFF;

// Reads a template laid out in WORDs; templates come from resources, which the
// caller vouches for, as on Windows.
class TTemplateReader {
public:
    explicit TTemplateReader(const void* start)
        : FStart(static_cast<const unsigned char*>(start)) {}

    template <class T> T Read() {
        T value{};
        std::memcpy(&value, FStart + FOffset, sizeof(T));
        FOffset += sizeof(T);
        return value;
    }

    // A string or an ordinal (0xFFFF then the number); 0 alone is neither.
    std::u16string NameOrOrdinal(WORD& ordinal) {
        ordinal = 0;
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            ordinal = Read<WORD>();
            return {};
        }
        std::u16string text;
        for (WORD c = first; c != 0; c = Read<WORD>())
            text += static_cast<char16_t>(c);
        return text;
    }

    std::u16string String() {
        WORD ordinal = 0;
        return NameOrOrdinal(ordinal);
    }

    void AlignTo(std::size_t n) { FOffset = (FOffset + n - 1) / n * n; }
    void Skip(std::size_t n) { FOffset += n; }

private:
    const unsigned char* FStart;
    std::size_t FOffset = 0;
};

const char16_t* OrdinalClass(WORD ordinal) {
    switch (ordinal) {
    case 0x0080: return u"BUTTON";
    case 0x0081: return u"EDIT";
    case 0x0082: return u"STATIC";
    case 0x0083: return u"LISTBOX";
    case 0x0084: return u"SCROLLBAR";
    case 0x0085: return u"COMBOBOX";
    default: return nullptr;
    }
}

struct TBaseUnits {
    int X = 7;
    int Y = 16;
};

TBaseUnits BaseUnits(HFONT font) {
    TBaseUnits units;
    if (font == nullptr)
        return units;
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    SIZE extent{};
    static const char16_t letters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, letters, 52, &extent)) {
        units.X = static_cast<int>((extent.cx / 26 + 1) / 2);
        units.Y = static_cast<int>(metrics.tmHeight);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return units;
}

LRESULT QV_CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& d = Desk("DefDlgProcW");
    auto it = d.Dialogs.find(FromHandle(window));
    const DLGPROC proc = it == d.Dialogs.end() ? nullptr : it->second.Proc;
    const INT_PTR answer = proc ? proc(window, message, wParam, lParam) : 0;
    if (message == WM_NCDESTROY) {
        auto& after = Desk("DefDlgProcW");
        if (auto found = after.Dialogs.find(FromHandle(window)); found != after.Dialogs.end()) {
            const HFONT font = found->second.Font;
            after.Dialogs.erase(found);
            if (font)
                DeleteObject(font);
        }
    }
    if (message == WM_INITDIALOG || answer != 0)
        return answer;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace
} // namespace Sim

namespace Win32 {

using Sim::Desk;
using Sim::FromHandle;

HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM param) {
    Desk(__func__);
    if (dialogTemplate == nullptr)
        return nullptr;
    Sim::TTemplateReader in(dialogTemplate);
    if (in.Read<WORD>() != 1 || in.Read<WORD>() != Sim::kExSignature)
        return nullptr;
    in.Skip(sizeof(DWORD)); // help id
    const DWORD exStyle = in.Read<DWORD>();
    const DWORD style = in.Read<DWORD>();
    const WORD count = in.Read<WORD>();
    const short x = in.Read<short>(), y = in.Read<short>();
    const short cx = in.Read<short>(), cy = in.Read<short>();
    WORD ordinal = 0;
    in.NameOrOrdinal(ordinal); // menu: dialogs here have none
    std::u16string className = in.NameOrOrdinal(ordinal);
    const std::u16string title = in.String();

    HFONT font = nullptr;
    if (style & DS_SETFONT) {
        const WORD points = in.Read<WORD>();
        LOGFONTW lf{};
        lf.lfWeight = in.Read<WORD>();
        lf.lfItalic = in.Read<BYTE>();
        lf.lfCharSet = in.Read<BYTE>();
        const std::u16string face = in.String();
        HDC dc = GetDC(nullptr);
        lf.lfHeight = -Sim::MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(nullptr, dc);
        face.copy(lf.lfFaceName, LF_FACESIZE - 1);
        font = CreateFontIndirectW(&lf);
    }
    const Sim::TBaseUnits units = Sim::BaseUnits(font);
    auto toX = [&](int v) { return Sim::MulDiv(v, units.X, 4); };
    auto toY = [&](int v) { return Sim::MulDiv(v, units.Y, 8); };

    RECT rect{toX(x), toY(y), toX(x) + toX(cx),
              toY(y) + toY(cy)}; // each value on its own, as Windows converts
    const bool child = (style & WS_CHILD) != 0;
    if (!child) {
        if (parent != nullptr) {
            POINT origin{0, 0};
            MapWindowPoints(parent, nullptr, &origin, 1);
            OffsetRect(&rect, origin.x, origin.y);
        }
        AdjustWindowRectEx(&rect, style, 0, exStyle);
    }
    const HWND dialog =
        CreateWindowExW(exStyle, className.empty() ? u"#32770" : className.c_str(), title.c_str(),
                        style & ~WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, nullptr, instance, nullptr);
    if (dialog == nullptr) {
        if (font)
            DeleteObject(font);
        return nullptr;
    }
    Desk(__func__).Dialogs[FromHandle(dialog)] = {proc, font};
    Desk(__func__).Find(dialog)->Proc = &Sim::DialogProc;
    if (font)
        SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);

    HWND focus = nullptr;
    for (WORD i = 0; i < count; ++i) {
        in.AlignTo(sizeof(DWORD));
        in.Skip(sizeof(DWORD)); // help id
        const DWORD itemEx = in.Read<DWORD>();
        const DWORD itemStyle = in.Read<DWORD>();
        const short ix = in.Read<short>(), iy = in.Read<short>();
        const short icx = in.Read<short>(), icy = in.Read<short>();
        const DWORD id = in.Read<DWORD>();
        WORD classOrdinal = 0;
        const std::u16string itemClass = in.NameOrOrdinal(classOrdinal);
        const std::u16string itemTitle = in.String();
        in.Skip(in.Read<WORD>()); // creation data
        const char16_t* cls = classOrdinal ? Sim::OrdinalClass(classOrdinal) : itemClass.c_str();
        // As Wine's dialogs give their controls a 3D look: a border becomes a
        // sunken client edge.
        DWORD controlStyle = itemStyle | WS_CHILD;
        DWORD controlEx = itemEx | WS_EX_NOPARENTNOTIFY;
        if (controlStyle & WS_BORDER) {
            controlStyle &= ~WS_BORDER;
            controlEx |= WS_EX_CLIENTEDGE;
        }
        const HWND control =
            cls == nullptr
                ? nullptr
                : CreateWindowExW(controlEx, cls, itemTitle.c_str(), controlStyle, toX(ix), toY(iy),
                                  toX(icx), toY(icy), dialog,
                                  reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)),
                                  instance, nullptr);
        if (control == nullptr) {
            DestroyWindow(dialog);
            return nullptr;
        }
        if (font)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        if (focus == nullptr && (itemStyle & WS_TABSTOP))
            focus = control;
    }
    SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
    if (IsWindow(dialog) && (style & WS_VISIBLE))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
    const Sim::TWindow* w = Desk(__func__).Find(dialog);
    if (w == nullptr)
        return nullptr;
    for (const Sim::TWindow* c = w->FirstChild; c != nullptr; c = c->Next)
        if (c->Id == id)
            return c->Handle;
    return nullptr;
}

int GetClassNameW(HWND window, LPWSTR name, int capacity) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    if (w == nullptr || name == nullptr || capacity <= 0)
        return 0;
    const std::u16string& cls = w->Class->Name;
    const std::size_t n = std::min(cls.size(), static_cast<std::size_t>(capacity - 1));
    cls.copy(name, n);
    name[n] = 0;
    return static_cast<int>(n);
}

} // namespace Win32
