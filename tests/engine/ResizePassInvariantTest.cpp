// However often and however far the form is resized, returning to the reference
// size gives the start-up layout back exactly: every pass starts again from the
// records, so nothing drifts.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

#include <map>
#include <random>

namespace QuorvelTest {
namespace {

using namespace Vcl;

struct TControlState {
    int Left, Top, Width, Height, FontSize;
    bool ParentFont;
    bool operator==(const TControlState&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TControlState& s) {
    return os << "{" << s.Left << ", " << s.Top << ", " << s.Width << ", " << s.Height << ", font "
              << s.FontSize << (s.ParentFont ? ", parent font}" : "}");
}

// Every control the form owns, and those owned by its frames at any depth.
void Collect(TComponent& owner, const std::string& path,
             std::map<std::string, TControlState>& out) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* c = owner.Components(i);
        const std::string name = path + "/" + c->Name();
        if (auto* control = dynamic_cast<TControl*>(c))
            out[name] = {control->Left(),   control->Top(),          control->Width(),
                         control->Height(), control->Font()->Size(), control->ParentFont()};
        Collect(*c, name, out);
    }
}

std::map<std::string, TControlState> Layout(TCustomForm& form) {
    std::map<std::string, TControlState> out;
    Collect(form, "", out);
    out["form"] = {0, 0, form.ClientWidth(), form.ClientHeight(), form.Font()->Size(), false};
    return out;
}

class ResizePassInvariant : public TQuorvelFixture {};

TEST_F(ResizePassInvariant, RandomPassesEndingAtTheReferenceSizeRestoreTheStartUpLayout) {
    const std::string frame =
        "object Frame2: TFrame2\n  Width = 180\n  Height = 90\n"
        "  object FrameButton: TButton\n    Left = 7\n    Top = 9\n    Width = 61\n"
        "    Height = 23\n    Font.Height = -13\n    ParentFont = False\n  end\n"
        "  object FrameLabel: TLabel\n    Left = 75\n    Top = 13\n    Width = 33\n"
        "    Height = 13\n  end\n"
        "  object FrameEdit: TEdit\n    Left = 7\n    Top = 50\n    Width = 121\n"
        "    Height = 21\n  end\nend\n";
    const std::string children =
        Button("Own", 13, 11, 75, 25, "    Font.Height = -15\n    ParentFont = False\n") +
        Button("Inherits", 97, 11, 75, 25) + Button("Excluded", 181, 11, 75, 25) +
        Button("KeepsFont", 265, 11, 75, 25, "    Font.Height = -16\n    ParentFont = False\n") +
        "  object Panel1: TPanel\n    Left = 13\n    Top = 47\n    Width = 170\n"
        "    Height = 121\n    Font.Height = -13\n    ParentFont = False\n"
        "    object PanelLabel: TLabel\n      Left = 9\n      Top = 7\n      Width = 31\n"
        "      Height = 13\n    end\n"
        "    object PanelEdit: TEdit\n      Left = 9\n      Top = 27\n      Width = 149\n"
        "      Height = 21\n    end\n  end\n"
        "  inline FrameA: TFrame2\n    Left = 197\n    Top = 57\n  end\n"
        "  inline FrameB: TFrame2\n    Left = 197\n    Top = 181\n  end\n"
        "  object Shape1: TShape\n    Left = 7\n    Top = 211\n    Width = 41\n"
        "    Height = 41\n  end\n" +
        Button("Bottom", 311, 271, 83, 27);
    auto& form = LoadWithFrames(
        FormText(children,
                 "    NoResizeFntCtl = 'KeepsFont'\n    NoResizeCtl = 'Excluded;FrameLabel'\n"),
        {frame});
    const auto start = Layout(form);
    ASSERT_EQ(start.at("form").Width, 400);
    ASSERT_EQ(start.at("form").Height, 300);
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> width(140, 1880);
    std::uniform_int_distribution<int> height(20, 1000);
    bool moved = false;
    for (int pass = 0; pass < 1000; ++pass) {
        SetClient(form, width(random), height(random));
        moved = moved || Layout(form) != start;
    }
    ASSERT_TRUE(moved);
    ASSERT_GT(log.Calls, 990);

    SetClient(form, 400, 300);
    EXPECT_DOUBLE_EQ(log.XScale, 1.0);
    EXPECT_DOUBLE_EQ(log.YScale, 1.0);
    const auto end = Layout(form);
    for (const auto& [name, state] : start)
        EXPECT_EQ(end.at(name), state) << name;
    EXPECT_EQ(end.size(), start.size());
}

} // namespace
} // namespace QuorvelTest
