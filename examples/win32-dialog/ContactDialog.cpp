// A plain Win32 dialog from a resource template with proportional layout: the
// layout is attached in WM_INITDIALOG with one call, and from then on every
// control keeps its share of the dialog and its font follows the smaller factor.
//
//   quorvel_win32_dialog.exe [--screenshots DIR]
//
// It runs until the dialog is closed; with --screenshots it shows the dialog at
// its designed size and half as big again, writes each to DIR/<n>-<step>.bmp
// and prints what the layout did.
#include <windows.h>

#include "../native-demo/DemoPlatform.h"
#include "ContactIds.h"

#include "quorvel/winlayout/WinLayout.h"

#include <cstdio>
#include <string>

namespace {

void Fill(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_NAME, L"Ada Lovelace");
    SetDlgItemTextW(dialog, IDC_EMAIL, L"ada@example.org");
    for (const wchar_t* country : {L"United Kingdom", L"France", L"Japan", L"Germany"})
        SendDlgItemMessageW(dialog, IDC_COUNTRY, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(country));
    SendDlgItemMessageW(dialog, IDC_COUNTRY, CB_SETCURSEL, 0, 0);
    for (const wchar_t* group : {L"Family", L"Friends", L"Work", L"Analytical Society",
                                 L"Royal Society", L"Newsletter readers"})
        SendDlgItemMessageW(dialog, IDC_GROUPS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group));
    SendDlgItemMessageW(dialog, IDC_GROUPS, LB_SETSEL, TRUE, 2);
    CheckRadioButton(dialog, IDC_BY_EMAIL, IDC_BY_LETTER, IDC_BY_EMAIL);
    CheckDlgButton(dialog, IDC_NEWSLETTER, BST_CHECKED);
    SetDlgItemTextW(dialog, IDC_NOTES, L"Met at the exhibition.\r\nAsk about the engine.");
}

INT_PTR CALLBACK ContactProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        Fill(dialog);
        // The design size is the smallest the dialog may be dragged to.
        RECT outer{};
        GetWindowRect(dialog, &outer);
        Quorvel::WinLayout::TLayoutOptions options;
        options.MinWidth = outer.right - outer.left;
        options.MinHeight = outer.bottom - outer.top;
        options.StartPos = Quorvel::Core::rpMiddleCenter;
        Quorvel::WinLayout::AttachLayout(dialog, options);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY: PostQuitMessage(0); return TRUE;
    default: return FALSE;
    }
}

LONG FontHeight(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return font.lfHeight;
}

void Report(HWND dialog, const char* step) {
    RECT client{}, notes{};
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, IDC_NOTES), &notes);
    std::printf("%s: client %ldx%ld, notes %ldx%ld, font height %ld\n", step, client.right,
                client.bottom, notes.right - notes.left, notes.bottom - notes.top,
                FontHeight(GetDlgItem(dialog, IDC_NOTES)));
}

// The designed size, then a client area half as big again in both directions.
int Tour(HWND dialog, const std::string& dir) {
    RECT outer{}, client{};
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    const int frameX = (outer.right - outer.left) - client.right;
    const int frameY = (outer.bottom - outer.top) - client.bottom;
    const struct {
        const char* Name;
        int Width, Height;
    } steps[] = {{"designed", client.right, client.bottom},
                 {"larger", client.right * 3 / 2, client.bottom * 3 / 2}};
    int failures = 0, n = 0;
    for (const auto& step : steps) {
        SetWindowPos(dialog, nullptr, 0, 0, step.Width + frameX, step.Height + frameY,
                     SWP_NOMOVE | SWP_NOZORDER);
        Demo::PumpFor(700);
        Report(dialog, step.Name);
        const std::string file = dir + "/" + std::to_string(++n) + "-" + step.Name + ".bmp";
        if (!Demo::CaptureToBmp(dialog, file)) {
            std::printf("  could not write %s\n", file.c_str());
            ++failures;
        }
    }
    DestroyWindow(dialog);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::string screenshots;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--screenshots" && i + 1 < argc)
            screenshots = argv[++i];
        else {
            std::fprintf(stderr, "usage: quorvel_win32_dialog [--screenshots DIR]\n");
            return 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONTACT),
                                     nullptr, &ContactProc, 0);
    if (dialog == nullptr || !Quorvel::WinLayout::HasLayout(dialog)) {
        std::fprintf(stderr, "quorvel_win32_dialog: the dialog or its layout was not made\n");
        return 1;
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    if (!screenshots.empty())
        return Tour(dialog, screenshots);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    return 0;
}
