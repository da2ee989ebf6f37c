// Controls of a loaded form: fonts taken from the parent, renaming, and bounds
// kept in step with constraints and with the windows.
#include "vcl/VclTestSupport.h"

using namespace Vcl;
using namespace VclTest;

namespace {

const char* const kNested = "object Form1: TForm\n"
                            "  Font.Name = 'Tahoma'\n"
                            "  Font.Height = -11\n"
                            "  object Panel1: TPanel\n"
                            "    object Panel2: TPanel\n"
                            "      object Label1: TLabel\n"
                            "      end\n"
                            "      object Edit1: TEdit\n"
                            "      end\n"
                            "    end\n"
                            "    object Own: TButton\n"
                            "      Font.Name = 'Courier New'\n"
                            "      ParentFont = False\n"
                            "    end\n"
                            "  end\n"
                            "  object Box: TGroupBox\n"
                            "    Font.Style = [fsBold]\n"
                            "    ParentFont = False\n"
                            "    object Inside: TCheckBox\n"
                            "    end\n"
                            "  end\n"
                            "end\n";

class Controls : public ::testing::Test {
protected:
    Sim::TDesktop desktop;
};

} // namespace

TEST_F(Controls, AFontChangeReachesEveryChildThatTakesItsParentsFont) {
    auto form = LoadAs<TForm>(kNested);
    auto& label = *Find<TLabel>(*form, "Label1");
    auto& edit = *Find<TEdit>(*form, "Edit1");
    auto& own = *Find<TButton>(*form, "Own");
    auto& box = *Find<TGroupBox>(*form, "Box");
    auto& inside = *Find<TCheckBox>(*form, "Inside");
    EXPECT_EQ(label.Font()->Name(), "Tahoma");
    EXPECT_EQ(own.Font()->Name(), "Courier New");
    EXPECT_EQ(inside.Font()->Style(), 1u << fsBold);

    form->Font()->SetName("Arial");
    form->Font()->SetSize(12);
    for (TControl* c :
         std::initializer_list<TControl*>{&label, &edit, Find<TPanel>(*form, "Panel2")}) {
        EXPECT_EQ(c->Font()->Name(), "Arial") << c->Name();
        EXPECT_EQ(c->Font()->Size(), 12) << c->Name();
        EXPECT_TRUE(c->ParentFont()) << c->Name();
    }
    EXPECT_EQ(own.Font()->Name(), "Courier New") << "an own font stays";
    EXPECT_FALSE(own.ParentFont());
    EXPECT_EQ(box.Font()->Name(), "Tahoma");
    EXPECT_EQ(inside.Font()->Name(), "Tahoma") << "follows its own parent, not the form";

    own.SetParentFont(true);
    EXPECT_EQ(own.Font()->Name(), "Arial");
    EXPECT_EQ(own.Font()->Size(), 12);

    // A child's own change ends its ParentFont, and the form's next change passes it by.
    label.Font()->SetColor(0x0000FF);
    EXPECT_FALSE(label.ParentFont());
    form->Font()->SetName("Verdana");
    EXPECT_EQ(label.Font()->Name(), "Arial");
    EXPECT_EQ(edit.Font()->Name(), "Verdana");

    // Written back, only the controls with their own font store one.
    String text = SaveFormText(*form);
    auto again = Load(text);
    EXPECT_EQ(Find<TEdit>(*again, "Edit1")->Font()->Name(), "Verdana");
    EXPECT_EQ(Find<TLabel>(*again, "Label1")->Font()->Color(), 0x0000FF);
    EXPECT_EQ(Find<TLabel>(*again, "Label1")->Font()->Name(), "Arial");
    EXPECT_EQ(SaveFormText(*again), text);
}

TEST_F(Controls, AControlGivenAParentInCodeTakesItsFont) {
    TForm form(nullptr);
    form.Font()->SetName("Segoe UI");
    TPanel* panel = new TPanel(&form);
    TLabel* label = new TLabel(&form);
    label->SetParent(panel);
    EXPECT_NE(label->Font()->Name(), "Segoe UI") << "the panel has no parent yet";
    panel->SetParent(&form);
    EXPECT_EQ(panel->Font()->Name(), "Segoe UI");
    EXPECT_EQ(label->Font()->Name(), "Segoe UI");
}

TEST_F(Controls, FontHeightsReadAtTheFormsStoredResolution) {
    const char* text = "object Form1: TForm\n"
                       "  Font.Height = -15\n"
                       "  Font.Name = 'Tahoma'\n"
                       "  PixelsPerInch = 120\n"
                       "  Scaled = False\n"
                       "  object Label1: TLabel\n"
                       "  end\n"
                       "  object Big: TLabel\n"
                       "    Font.Height = -20\n"
                       "    ParentFont = False\n"
                       "  end\n"
                       "end\n";
    auto form = LoadAs<TForm>(text);
    EXPECT_EQ(form->Font()->Height(), -15);
    EXPECT_EQ(form->Font()->Size(), 9);
    EXPECT_EQ(Find<TLabel>(*form, "Label1")->Font()->Size(), 9);
    EXPECT_EQ(Find<TLabel>(*form, "Big")->Font()->Size(), 12);

    TFormObject model = WriteComponent(*form);
    const TFormProperty* height = model.FindProperty("Font.Height");
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->Value.Int, -15);
    EXPECT_EQ(model.Children.at(1).FindProperty("Font.Height")->Value.Int, -20);
    EXPECT_EQ(SaveFormText(*LoadForm(model)), SaveFormText(*form));

    // The same height at the usual resolution is a smaller size.
    auto at96 = LoadAs<TForm>("object Form1: TForm\n  Font.Height = -15\nend\n");
    EXPECT_EQ(at96->Font()->Size(), 11);
}

TEST_F(Controls, ColoursAndHintsOfTheirOwnAreKept) {
    // Without ParentColor and ParentShowHint in the file, the values still count.
    String text = Resave("object Form1: TForm\n"
                         "  object Label1: TLabel\n"
                         "    Color = clYellow\n"
                         "    ShowHint = True\n"
                         "  end\n"
                         "end\n");
    auto form = Load(text);
    auto& label = *Find<TLabel>(*form, "Label1");
    EXPECT_EQ(label.Color(), 0x00FFFF);
    EXPECT_TRUE(label.ShowHint());
    EXPECT_FALSE(label.ParentColor());
    EXPECT_FALSE(label.ParentShowHint());
}

TEST_F(Controls, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
    TForm form(nullptr);
    auto* first = new TButton(&form);
    first->SetName("Button1");
    auto* second = new TButton(&form);
    EXPECT_THROW(second->SetName("button1"), EComponentError);
    EXPECT_EQ(second->Name(), "");
    for (const char* bad : {"1st", "two words", "dash-ed", "a.b"})
        EXPECT_THROW(second->SetName(bad), EComponentError) << bad;
    second->SetName("_Second2");
    EXPECT_EQ(form.FindComponent("_SECOND2"), second);
    first->SetName("");
    second->SetName("Button1");
    EXPECT_EQ(form.FindComponent("Button1"), second) << "a freed name can be taken";

    TForm other(nullptr);
    auto* elsewhere = new TButton(&other);
    elsewhere->SetName("Button1");
    EXPECT_EQ(elsewhere->Name(), "Button1") << "another owner, another name space";
}

TEST_F(Controls, ATextThatWasTheNameFollowsARename) {
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetName("Button1");
    EXPECT_EQ(button->GetText(), "Button1") << "from an empty name";
    button->SetName("OkButton");
    EXPECT_EQ(button->GetText(), "OkButton");
    button->SetText("OK");
    button->SetName("Button2");
    EXPECT_EQ(button->GetText(), "OK") << "a text of its own stays";

    auto* edit = new TEdit(&form);
    edit->SetName("Edit1");
    EXPECT_EQ(edit->GetText(), "Edit1");
    auto* memo = new TMemo(&form);
    memo->SetName("Memo1");
    EXPECT_EQ(memo->Lines()->Count(), 0) << "a memo's lines are no caption";
    auto* list = new TListBox(&form);
    list->SetName("List1");
    EXPECT_EQ(list->Items()->Count(), 0);

    // Reading a form file names components without touching their text.
    auto loaded = Load("object Form1: TForm\n  object Button1: TButton\n  end\nend\n");
    EXPECT_EQ(Find<TButton>(*loaded, "Button1")->GetText(), "");
    EXPECT_EQ(SaveFormText(*loaded).find("Caption"), String::npos);
}

TEST_F(Controls, ConstraintsAdjustBoundsReadBeforeThem) {
    auto form = Load("object Form1: TForm\n"
                     "  object Panel1: TPanel\n"
                     "    Left = 5\n"
                     "    Top = 6\n"
                     "    Width = 50\n"
                     "    Height = 500\n"
                     "    Constraints.MaxHeight = 200\n"
                     "    Constraints.MinWidth = 100\n"
                     "  end\n"
                     "end\n");
    auto& panel = *Find<TPanel>(*form, "Panel1");
    EXPECT_EQ(panel.Width(), 100);
    EXPECT_EQ(panel.Height(), 200);
    EXPECT_EQ(panel.Left(), 5);
    TFormObject model = WriteComponent(*form);
    EXPECT_EQ(model.Children.at(0).FindProperty("Width")->Value.Int, 100);
    EXPECT_EQ(model.Children.at(0).FindProperty("Height")->Value.Int, 200);
    panel.SetBounds(0, 0, 10, 1000);
    EXPECT_EQ(panel.BoundsRect(), (TRect{0, 0, 100, 200}));
}

TEST_F(Controls, BoundsAndWindowsStayInStepBothWays) {
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  Left = 100\n"
                              "  Top = 50\n"
                              "  ClientHeight = 300\n"
                              "  ClientWidth = 400\n"
                              "  object Button1: TButton\n"
                              "    Left = 10\n"
                              "    Top = 20\n"
                              "    Width = 75\n"
                              "    Height = 25\n"
                              "  end\n"
                              "  object Pages: TPageControl\n"
                              "    Left = 10\n"
                              "    Top = 60\n"
                              "    Width = 300\n"
                              "    Height = 200\n"
                              "    object Sheet1: TTabSheet\n"
                              "    end\n"
                              "  end\n"
                              "end\n");
    form->Show();
    Win32::HWND window = form->Handle();
    Win32::RECT r{};
    Win32::GetWindowRect(window, &r);
    EXPECT_EQ(RectOf(r), form->BoundsRect());
    EXPECT_EQ(form->Left(), 100);
    Win32::GetClientRect(window, &r);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 300);

    // The user moves and sizes the window.
    desktop.MoveTo(window, 300, 200);
    EXPECT_EQ(form->Left(), 300);
    EXPECT_EQ(form->Top(), 200);
    int width = form->Width();
    desktop.Drag(window, Win32::WMSZ_BOTTOMRIGHT, 40, 30);
    EXPECT_EQ(form->Width(), width + 40);
    EXPECT_EQ(form->ClientWidth(), 440);
    EXPECT_EQ(form->ClientHeight(), 330);

    // The program moves the form and a child.
    form->SetBounds(10, 20, 500, 400);
    Win32::GetWindowRect(window, &r);
    EXPECT_EQ(RectOf(r), (TRect{10, 20, 510, 420}));
    auto& button = *Find<TButton>(*form, "Button1");
    button.SetBounds(30, 40, 100, 30);
    Win32::GetClientRect(button.Handle(), &r);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 30);
    Win32::MoveWindow(button.Handle(), 7, 8, 60, 20, 1);
    EXPECT_EQ(button.BoundsRect(), (TRect{7, 8, 67, 28}));

    // Maximizing keeps the window and the form's bounds together.
    desktop.Maximize(window);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    Win32::GetWindowRect(window, &r);
    EXPECT_EQ(RectOf(r), form->BoundsRect());
    desktop.Restore(window);
    EXPECT_EQ(form->BoundsRect(), (TRect{10, 20, 510, 420}));
    // The sheets follow the page control's window too.
    auto& pages = *Find<TPageControl>(*form, "Pages");
    Win32::MoveWindow(pages.Handle(), 10, 60, 320, 240, 1);
    EXPECT_EQ(Find<TTabSheet>(*form, "Sheet1")->BoundsRect(), pages.DisplayRect());
}

namespace {
Win32::BOOL QV_CALLBACK CountWindow(Win32::HWND, Win32::LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return 1;
}
} // namespace

// A nested control whose window is asked for before its parents' gets one
// window, not a second beside the one its parent's creation made.
TEST_F(Controls, AChildAskedForItsWindowFirstGetsOnlyOne) {
    auto form = LoadAs<TForm>(kNested);
    ASSERT_FALSE(form->HandleAllocated());
    auto& edit = *Find<TEdit>(*form, "Edit1");
    const Win32::HWND window = edit.Handle();
    EXPECT_EQ(edit.Handle(), window);
    int windows = 0;
    Win32::EnumChildWindows(Find<TPanel>(*form, "Panel2")->Handle(), &CountWindow,
                            reinterpret_cast<Win32::LPARAM>(&windows));
    EXPECT_EQ(windows, 1);
    windows = 0;
    Win32::EnumChildWindows(form->Handle(), &CountWindow,
                            reinterpret_cast<Win32::LPARAM>(&windows));
    EXPECT_EQ(windows, 6); // Panel1, Panel2, Edit1, Own, Box, Inside
}
