// How the form's messages reach the component: the registry of started
// instances, Enabled, and what is left when components, forms or the unit go
// first.
#include "support/QuorvelFixture.h"

#include "quorvel/component/FormHook.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using namespace Win32;

// A form with two components: the first stops drags at 316 pixels wide, the
// second at 516.
std::string TwoComponents() {
    std::string text = FormText(Button("Button1", 10, 10, 50, 20),
                                "    FormMinWidth = 316\n    FormMinHeight = 250\n");
    const std::string second = "  object Quorvel2: TQuorvel\n    FormMinWidth = 516\n"
                               "    FormMinHeight = 250\n    DesignFrmW = 400\n"
                               "    DesignFrmH = 300\n    DesignDpiW = 96\n    DesignDpiH = 96\n"
                               "  end\n";
    return text.insert(text.find("  object Button1"), second);
}

class Interception : public TQuorvelFixture {
protected:
    TCustomForm& Shown(const std::string& text) {
        auto& form = Load(text);
        form.Show();
        return form;
    }

    // The procedure a form's window has without the component.
    LONG_PTR FrameworkProc() {
        auto& plain = Load("object Plain: TForm\n  ClientHeight = 100\n  ClientWidth = 100\nend\n");
        return GetWindowLongPtrW(plain.Handle(), GWLP_WNDPROC);
    }

    static LONG_PTR ProcOf(TCustomForm& form) {
        return GetWindowLongPtrW(form.Handle(), GWLP_WNDPROC);
    }

    // Drags the left edge 200 pixels right and tells how wide the form became.
    int SqueezeFromTheLeft(TCustomForm& form) {
        Desktop->Drag(form.Handle(), WMSZ_LEFT, 200, 0);
        auto e = Edges(form.Handle());
        // The form's own procedure saw the change as well.
        EXPECT_EQ(form.Width(), e[2] - e[0]);
        return e[2] - e[0];
    }

    static TQuorvel& Second(TCustomForm& form) { return Get<TQuorvel>(form, "Quorvel2"); }
};

const LONG_PTR Own = reinterpret_cast<LONG_PTR>(&Quorvel::FormWndProc);

TEST_F(Interception, OfTwoComponentsOnOneFormTheFirstActs) {
    auto& form = Shown(TwoComponents());
    auto& first = Component(form);
    auto& second = Second(form);
    TPassCounter firstPasses(first), secondPasses(second);
    EXPECT_TRUE(first.State().Registered);
    EXPECT_TRUE(second.State().Registered);
    EXPECT_TRUE(second.State().Subclassed);
    EXPECT_EQ(Quorvel::InstanceList->Count(), 2);
    EXPECT_EQ(ProcOf(form), Own);

    EXPECT_EQ(SqueezeFromTheLeft(form), 316);
    EXPECT_EQ(firstPasses.Count, 1);
    EXPECT_EQ(secondPasses.Count, 0);
    EXPECT_EQ(Get(form, "Button1").Width(), 38);
}

TEST_F(Interception, EitherOfTwoComponentsMayGoFirst) {
    const LONG_PTR framework = FrameworkProc();
    for (bool firstGoesFirst : {true, false}) {
        SCOPED_TRACE(firstGoesFirst ? "first goes first" : "second goes first");
        auto& form = Shown(TwoComponents());
        TComponent* going =
            firstGoesFirst ? static_cast<TComponent*>(&Component(form)) : &Second(form);
        TQuorvel& staying = firstGoesFirst ? Second(form) : Component(form);
        TPassCounter passes(staying);
        delete going;

        // The other one keeps the window and acts on it, without a loop.
        EXPECT_EQ(ProcOf(form), Own);
        EXPECT_EQ(Quorvel::InstanceList->Count(), 1);
        EXPECT_EQ(SqueezeFromTheLeft(form), firstGoesFirst ? 516 : 316);
        EXPECT_EQ(passes.Count, 1);

        // The last one gives the form its own procedure back.
        delete &staying;
        EXPECT_EQ(ProcOf(form), framework);
        MoveWindow(form.Handle(), 100, 100, 416, 339, 1);
        EXPECT_EQ(SqueezeFromTheLeft(form), 216);
        EXPECT_EQ(Quorvel::InstanceList->Count(), 0);
        ReleaseForms();
    }
}

TEST_F(Interception, DestroyedComponentLeavesAWorkingForm) {
    const LONG_PTR framework = FrameworkProc();
    auto& form = Shown(FormText(Button("Button1", 10, 10, 50, 20)));
    const TRect before = Bounds(Get(form, "Button1"));
    delete &Component(form);
    EXPECT_EQ(ProcOf(form), framework);
    EXPECT_EQ(SqueezeFromTheLeft(form), 216);
    EXPECT_EQ(Bounds(Get(form, "Button1")), before);
    SetClient(form, 500, 400);
    EXPECT_EQ(form.ClientWidth(), 500);
}

TEST_F(Interception, EnabledOffAndOnFollowsTheFormsCurrentWindow) {
    const LONG_PTR framework = FrameworkProc();
    auto& form = Shown(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    TPassCounter passes(q);
    q.SetEnabled(false);
    EXPECT_FALSE(q.State().Subclassed);
    EXPECT_EQ(ProcOf(form), framework);
    SqueezeFromTheLeft(form);
    EXPECT_EQ(passes.Count, 0);

    // The form gets a new window meanwhile.
    const HWND old = form.Handle();
    form.DestroyHandle();
    form.Show();
    ASSERT_NE(form.Handle(), old);
    q.SetEnabled(true);
    EXPECT_EQ(q.State().OwnerHandle, form.Handle());
    EXPECT_EQ(ProcOf(form), Own);
    SqueezeFromTheLeft(form);
    EXPECT_EQ(passes.Count, 1);
    EXPECT_EQ(q.State().OwnerHandle, form.Handle());
}

TEST_F(Interception, EnabledToItsOwnValueChangesNothing) {
    auto& form = Shown(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    TPassCounter passes(q);
    const HWND old = form.Handle();
    form.DestroyHandle();
    form.Show();
    // Not even the window handle is taken again.
    q.SetEnabled(true);
    EXPECT_EQ(q.State().OwnerHandle, old);
    SqueezeFromTheLeft(form);
    EXPECT_EQ(passes.Count, 0);

    q.SetEnabled(false);
    q.SetEnabled(false);
    EXPECT_FALSE(q.State().Subclassed);
    q.SetEnabled(true);
    EXPECT_EQ(q.State().OwnerHandle, form.Handle());
    SqueezeFromTheLeft(form);
    EXPECT_EQ(passes.Count, 1);
}

TEST_F(Interception, FormsAreFoundIndependently) {
    auto& a = Shown(FormText("", "    FormMinWidth = 316\n    FormMinHeight = 250\n"));
    auto& b = Shown(FormText("", "    FormMinWidth = 366\n    FormMinHeight = 250\n"));
    EXPECT_NE(Component(a).State().OwnerHandle, Component(b).State().OwnerHandle);
    EXPECT_EQ(SqueezeFromTheLeft(b), 366);
    EXPECT_EQ(SqueezeFromTheLeft(a), 316);
    Forms[0].reset();
    EXPECT_EQ(Quorvel::InstanceList->Count(), 1);
    EXPECT_EQ(SqueezeFromTheLeft(b), 366);
}

TEST_F(Interception, UnregisteredInstanceIsNeverInstalled) {
    // A plain form class publishes no field for the component.
    auto& form = Load("object Form1: TForm\n  ClientHeight = 300\n  ClientWidth = 400\n"
                      "  object Quorvel1: TQuorvel\n  end\nend\n");
    form.Show();
    auto& q = Component(form);
    q.SetEnabled(false);
    q.SetEnabled(true);
    EXPECT_FALSE(q.State().Registered);
    EXPECT_FALSE(q.State().Subclassed);
    EXPECT_NE(ProcOf(form), Own);
}

TEST_F(Interception, FormFieldReassignedByTheApplication) {
    auto& form = Shown(FormText(Button("Button1", 10, 10, 50, 20),
                                "    FormMinWidth = 316\n    FormMinHeight = 250\n"));
    auto& q = Component(form);
    TPassCounter passes(q);
    TComponent** field = form.FieldAddress("Quorvel1");
    ASSERT_EQ(*field, &q);

    // Pointing elsewhere: the registry item is skipped, the form goes on working.
    for (TComponent* other :
         {static_cast<TComponent*>(&Get(form, "Button1")), static_cast<TComponent*>(nullptr)}) {
        *field = other;
        MoveWindow(form.Handle(), 100, 100, 416, 339, 1);
        EXPECT_EQ(SqueezeFromTheLeft(form), 216);
        EXPECT_EQ(passes.Count, 0);
    }
    *field = &q;
    MoveWindow(form.Handle(), 100, 100, 416, 339, 1);
    EXPECT_EQ(SqueezeFromTheLeft(form), 316);
    EXPECT_EQ(passes.Count, 2);
}

TEST_F(Interception, FormsOutlivingTheUnit) {
    auto& form = Shown(FormText(Button("Button1", 10, 10, 50, 20),
                                "    FormMinWidth = 316\n    FormMinHeight = 250\n"));
    Load(FormText(""));
    Quorvel::UnitFinalization();
    EXPECT_EQ(Quorvel::InstanceList, nullptr);
    // Nothing is found any more; the forms keep working and can go.
    EXPECT_EQ(SqueezeFromTheLeft(form), 216);
    ReleaseForms();
    EXPECT_EQ(Desktop->WindowCount(), 0u);
}

} // namespace
} // namespace QuorvelTest
