// A component attached in code to a form that has none behaves as one read from
// the form file.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"
#include "quorvel/vcl/SysUtils.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;

class Attach : public TQuorvelFixture {};

const std::string Children =
    Button("Button1", 100, 40, 75, 25, "    Font.Height = -12\n    ParentFont = False\n") +
    Button("Button2", 10, 10, 50, 20) + Button("Logo", 300, 200, 32, 32);
const std::string Props = "    FormMinWidth = 300\n    FormMinHeight = 200\n"
                          "    NoResizeCtl = 'logo'\n";

// The same form without its component: the text up to the component's object,
// and after it.
std::string WithoutComponent(const std::string& text) {
    const auto start = text.find("  object Quorvel1: TQuorvel\n");
    const auto end = text.find("  end\n", start) + 6;
    return text.substr(0, start) + text.substr(end);
}

std::vector<std::string> Layout(TCustomForm& form) {
    std::vector<std::string> rows;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(form.Components(i))) {
            const TRect r = c->BoundsRect();
            rows.push_back(c->Name() + " " + std::to_string(r.Left) + "," + std::to_string(r.Top) +
                           "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom) + " " +
                           std::to_string(c->Font()->Size()));
        }
    return rows;
}

TEST_F(Attach, InCodeAsFromTheFileAtAnotherResolution) {
    UseDesktop(DesktopAt(120));
    const std::string text = FormText(Children, Props);
    auto& loaded = Load(text);
    auto& made = Load(WithoutComponent(text));
    TQuorvel* q = TQuorvel::Attach(made, {400, 300, 96, 96}, [](TQuorvel& c) {
        c.SetFormMinWidth(300);
        c.SetFormMinHeight(200);
        c.SetNoResizeCtl("logo");
    });
    ASSERT_EQ(q, &Component(made));
    EXPECT_EQ(q->Name(), "Quorvel1");
    EXPECT_NE(made.FieldAddress("Quorvel1"), nullptr);
    EXPECT_TRUE(q->State().Registered);
    EXPECT_EQ(q->Ctrls()->Count(), Component(loaded).Ctrls()->Count());

    loaded.Show();
    made.Show();
    EXPECT_EQ(Layout(made), Layout(loaded));
    for (auto [w, h] : {std::pair{800, 600}, {333, 222}, {500, 375}}) {
        SetClient(loaded, w, h);
        SetClient(made, w, h);
        EXPECT_EQ(Layout(made), Layout(loaded)) << w << "x" << h;
    }
    // The size limits hold for a user's drag too.
    Desktop->Drag(made.Handle(), Win32::WMSZ_BOTTOMRIGHT, -1000, -1000);
    Desktop->Drag(loaded.Handle(), Win32::WMSZ_BOTTOMRIGHT, -1000, -1000);
    EXPECT_EQ(Edges(made.Handle())[2] - Edges(made.Handle())[0], 300);
    EXPECT_EQ(Layout(made), Layout(loaded));
}

TEST_F(Attach, ZeroDesignValuesStandForTheFormAsItIs) {
    auto& form = Load(WithoutComponent(FormText(Children)));
    TQuorvel* q = TQuorvel::Attach(form, {});
    EXPECT_EQ(q->State().OwnerWidth, 400);
    EXPECT_EQ(q->State().OwnerHeight, 300);
    EXPECT_EQ(q->State().DesignDpiW, 96);
    form.Show();
    SetClient(form, 800, 600);
    EXPECT_EQ(Bounds(Get(form, "Button1")), (TRect{200, 80, 350, 130}));
}

TEST_F(Attach, ARefusedValueAttachesNothingAndNamesAreFree) {
    auto& form = Load(WithoutComponent(FormText(Children)));
    EXPECT_THROW(
        TQuorvel::Attach(form, {400, 300, 96, 96}, [](TQuorvel& c) { c.SetFormMinWidth(-5); }),
        EInvalidOperation);
    EXPECT_EQ(form.FindComponent("Quorvel1"), nullptr);
    EXPECT_EQ(form.FieldAddress("Quorvel1"), nullptr);

    TQuorvel::Attach(form, {400, 300, 96, 96}, {}, "Layout");
    EXPECT_NE(dynamic_cast<TQuorvel*>(form.FindComponent("Layout")), nullptr);
    EXPECT_EQ(TQuorvel::Attach(form, {400, 300, 96, 96})->Name(), "Quorvel1");
}

} // namespace
} // namespace QuorvelTest
