// A real form with the component, on real windows.
//
//   quorvel_native_demo.exe [form.dfm] [--screenshots DIR]
//
// Without a form file it shows the form below. It runs until the form is
// closed; with --screenshots it instead steps through sizes on its own (designed
// size, larger, maximized, restored, smaller), writes the form at each step to
// DIR/<n>-<step>.bmp and prints what the component did.
#include "DemoPlatform.h"

#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/SysUtils.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Win32;

namespace {

const char* const DemoForm = R"(object DemoForm: TDemoForm
  Left = 200
  Top = 150
  Caption = 'Quorvel on a real window'
  ClientHeight = 320
  ClientWidth = 480
  Font.Charset = DEFAULT_CHARSET
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  object Quorvel1: TQuorvel
    FormPos = rpMiddleCenter
    ResizeFont = True
    DesignFrmW = 480
    DesignFrmH = 320
    DesignDpiW = 96
    DesignDpiH = 96
  end
  object NameEdit: TEdit
    Left = 16
    Top = 16
    Width = 300
    Height = 24
    Text = 'Proportional layout'
  end
  object SearchButton: TButton
    Left = 328
    Top = 15
    Width = 136
    Height = 26
    Caption = 'Search'
  end
  object NotesMemo: TMemo
    Left = 16
    Top = 52
    Width = 300
    Height = 196
    Lines.Strings = (
      'Every control keeps its place'
      'and its share of the form.'
      ''
      'Fonts grow and shrink with it.')
  end
  object OptionsPanel: TPanel
    Left = 328
    Top = 52
    Width = 136
    Height = 196
    object ExactCheck: TCheckBox
      Left = 12
      Top = 28
      Width = 112
      Height = 20
      Caption = 'Exact match'
      Checked = True
    end
    object ArchiveCheck: TCheckBox
      Left = 12
      Top = 56
      Width = 112
      Height = 20
      Caption = 'Archived too'
    end
    object NewestRadio: TRadioButton
      Left = 12
      Top = 100
      Width = 112
      Height = 20
      Caption = 'Newest first'
      Checked = True
    end
    object OldestRadio: TRadioButton
      Left = 12
      Top = 128
      Width = 112
      Height = 20
      Caption = 'Oldest first'
    end
  end
  object OkButton: TButton
    Left = 248
    Top = 268
    Width = 104
    Height = 32
    Caption = 'OK'
  end
  object CloseButton: TButton
    Left = 360
    Top = 268
    Width = 104
    Height = 32
    Caption = 'Close'
  end
end
)";

struct TPassLog {
    int Count = 0;
    void Pass(Vcl::TObject*, double x, double y) {
        ++Count;
        std::printf("  pass %d: scale %.3f x %.3f\n", Count, x, y);
    }
};

std::string ClientText(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// The client size from the form's frame, for MoveWindow.
void SetClient(Vcl::TCustomForm& form, int width, int height) {
    const Vcl::TPoint outer = form.OuterSizeFor(width, height);
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    MoveWindow(form.Handle(), r.left, r.top, outer.X, outer.Y, 1);
}

int Tour(Vcl::TCustomForm& form, const std::string& dir) {
    const HWND h = form.Handle();
    struct TStep {
        const char* Name;
        std::function<void()> Do;
    };
    const std::vector<TStep> steps = {
        {"designed", [] {}},
        {"larger", [&] { SetClient(form, 720, 480); }},
        {"maximized", [&] { ShowWindow(h, SW_MAXIMIZE); }},
        {"restored", [&] { ShowWindow(h, SW_RESTORE); }},
        {"smaller", [&] { SetClient(form, 360, 240); }},
    };
    int failures = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const TStep& step = steps[i];
        std::printf("%s\n", step.Name);
        step.Do();
        Demo::PumpFor(700);
        std::printf("  client %s, memo font %d pt\n", ClientText(h).c_str(),
                    dynamic_cast<Vcl::TControl*>(form.FindComponent("NotesMemo"))->Font()->Size());
        const std::string file = dir + "/" + std::to_string(i + 1) + "-" + step.Name + ".bmp";
        if (!Demo::CaptureToBmp(h, file)) {
            std::printf("  could not write %s\n", file.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::string formFile, screenshots;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshots" && i + 1 < argc)
            screenshots = argv[++i];
        else if (!arg.empty() && arg[0] != '-')
            formFile = arg;
        else {
            std::fprintf(stderr, "usage: quorvel_native_demo [form.dfm] [--screenshots DIR]\n");
            return 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        Quorvel::UnitInitialization();
        std::unique_ptr<Vcl::TComponent> root =
            formFile.empty() ? Vcl::LoadFormText(DemoForm) : Vcl::LoadFormFile(formFile);
        auto* form = dynamic_cast<Vcl::TCustomForm*>(root.get());
        if (form == nullptr) {
            std::fprintf(stderr, "the form file does not hold a form\n");
            return 1;
        }
        TPassLog passes;
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* q = dynamic_cast<Quorvel::TQuorvel*>(form->Components(i)))
                q->OnExitResize = Quorvel::TExitResizeEvent::Bind<&TPassLog::Pass>(&passes);
        form->Show();
        const int result = screenshots.empty() ? (Demo::RunUntilClosed(form->Handle()), 0)
                                               : Tour(*form, screenshots);
        root.reset();
        Quorvel::UnitFinalization();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvel_native_demo: %s\n", e.what());
        return 1;
    }
}
