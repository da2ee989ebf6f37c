// The standard classes: what their tables publish, that fresh objects hold the
// declared defaults, and what their windows are.
#include "vcl/VclTestSupport.h"

#include <set>

using namespace Vcl;
using namespace VclTest;

namespace {

const char* const kStandardClasses[] = {
    "TForm",      "TFrame",       "TLabel",     "TButton",   "TEdit",        "TMemo",
    "TCheckBox",  "TRadioButton", "TComboBox",  "TListBox",  "TGroupBox",    "TPanel",
    "TImage",     "TShape",       "TBevel",     "TTimer",    "TPageControl", "TTabSheet",
    "TScrollBox", "TMainMenu",    "TPopupMenu", "TMenuItem", "TOpenDialog",  "TSaveDialog"};

bool Publishes(const char* className, const char* property) {
    return GetPropInfo(GetClass(className), property) != nullptr;
}

std::u16string WindowText(Win32::HWND window) {
    char16_t buffer[256] = {};
    int n = Win32::GetWindowTextW(window, buffer, 256);
    return std::u16string(buffer, static_cast<std::size_t>(n));
}

Win32::DWORD StyleOf(TWinControl& control) {
    return static_cast<Win32::DWORD>(Win32::GetWindowLongPtrW(control.Handle(), Win32::GWL_STYLE));
}

} // namespace

TEST(StdClasses, AreKnownByNameWithoutRegistration) {
    Sim::TDesktop desktop;
    TForm owner(nullptr);
    for (const char* name : kStandardClasses) {
        const TClassInfo* info = GetClass(name);
        ASSERT_NE(info, nullptr) << name;
        ASSERT_NE(info->Create, nullptr) << name;
        TComponent* made = info->Create(&owner);
        EXPECT_EQ(made->ClassName(), name);
        EXPECT_EQ(made->ClassInfo(), info);
    }
    EXPECT_EQ(&FindClass("tbutton"), &TButton::StaticClass());
}

// The layout component decides from these which controls carry text and fonts.
TEST(StdClasses, PublishFontCaptionAndTextWhereTheFrameworkDoes) {
    struct TRow {
        const char* Class;
        bool Font, Caption, Text;
    };
    const TRow rows[] = {
        {"TLabel", true, true, false},        {"TButton", true, true, false},
        {"TEdit", true, false, true},         {"TMemo", true, false, false},
        {"TCheckBox", true, true, false},     {"TRadioButton", true, true, false},
        {"TComboBox", true, false, true},     {"TListBox", true, false, false},
        {"TGroupBox", true, true, false},     {"TPanel", true, true, false},
        {"TImage", false, false, false},      {"TShape", false, false, false},
        {"TBevel", false, false, false},      {"TTimer", false, false, false},
        {"TPageControl", true, false, false}, {"TTabSheet", true, true, false},
        {"TScrollBox", true, false, false},   {"TMenuItem", false, true, false},
        {"TMainMenu", false, false, false},   {"TOpenDialog", false, false, false},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(Publishes(row.Class, "Font"), row.Font) << row.Class;
        EXPECT_EQ(Publishes(row.Class, "Caption"), row.Caption) << row.Class;
        EXPECT_EQ(Publishes(row.Class, "Text"), row.Text) << row.Class;
    }
    EXPECT_TRUE(Publishes("TMemo", "Lines"));
    EXPECT_TRUE(Publishes("TListBox", "Items"));
    EXPECT_TRUE(Publishes("TComboBox", "Items"));
    EXPECT_TRUE(Publishes("TImage", "Picture"));
    EXPECT_EQ(GetPropInfo(GetClass("TLabel"), "FocusControl")->Kind, tkReference);
    EXPECT_EQ(GetPropInfo(GetClass("TPageControl"), "ActivePage")->Kind, tkReference);
}

TEST(StdClasses, TablesNameEachPropertyOnceAndControlsStartWithTheirBounds) {
    for (const char* name : kStandardClasses) {
        const TClassInfo* info = GetClass(name);
        std::vector<const TPropInfo*> props = info->AllProps();
        std::set<String> seen;
        for (const TPropInfo* p : props)
            EXPECT_TRUE(seen.insert(AnsiUpperCase(p->Name)).second) << name << "." << p->Name;
        if (info->InheritsFrom(&TControl::StaticClass())) {
            ASSERT_GE(props.size(), 5u);
            EXPECT_EQ(props[0]->Name, "Tag") << name;
            EXPECT_EQ(props[1]->Name, "Left") << name;
            EXPECT_EQ(props[4]->Name, "Height") << name;
        }
    }
}

// A default that the constructor does not set would be written for every
// untouched control, and one it sets differently lost on reading.
TEST(StdClasses, FreshObjectsHoldTheirDeclaredDefaults) {
    Sim::TDesktop desktop;
    TForm owner(nullptr);
    for (const char* name : kStandardClasses) {
        const TClassInfo* info = GetClass(name);
        TComponent* made = info->Create(&owner);
        for (const TPropInfo* p : info->AllProps()) {
            if (p->IsOrdinal() && p->Default) {
                EXPECT_EQ(p->GetOrd(*made), *p->Default) << name << "." << p->Name;
            }
            if (p->Kind == tkClass) {
                auto* sub = dynamic_cast<TPersistent*>(p->GetObj(*made));
                ASSERT_NE(sub, nullptr) << name << "." << p->Name;
                for (const TPropInfo* q : sub->ClassInfo()->AllProps())
                    if (q->IsOrdinal() && q->Default) {
                        EXPECT_EQ(q->GetOrd(*sub), *q->Default)
                            << name << "." << p->Name << "." << q->Name;
                    }
            }
        }
    }
}

TEST(StdClasses, WindowedControlsAreSystemControlsWithTheirStyles) {
    Sim::TDesktop desktop;
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  object Button1: TButton\n"
                              "    Caption = 'Go'\n"
                              "    Default = True\n"
                              "  end\n"
                              "  object Edit1: TEdit\n"
                              "    ReadOnly = True\n"
                              "    Text = 'abc'\n"
                              "  end\n"
                              "  object Memo1: TMemo\n"
                              "    ScrollBars = ssVertical\n"
                              "    Lines.Strings = (\n"
                              "      'one'\n"
                              "      'two')\n"
                              "  end\n"
                              "  object GroupBox1: TGroupBox\n"
                              "    object CheckBox1: TCheckBox\n"
                              "      Checked = True\n"
                              "      State = cbChecked\n"
                              "    end\n"
                              "  end\n"
                              "  object ListBox1: TListBox\n"
                              "    MultiSelect = True\n"
                              "  end\n"
                              "  object ComboBox1: TComboBox\n"
                              "    Style = csDropDownList\n"
                              "  end\n"
                              "  object Panel1: TPanel\n"
                              "  end\n"
                              "end\n");
    form->HandleNeeded();
    auto& button = *Find<TButton>(*form, "Button1");
    auto& edit = *Find<TEdit>(*form, "Edit1");
    auto& memo = *Find<TMemo>(*form, "Memo1");
    auto& group = *Find<TGroupBox>(*form, "GroupBox1");
    auto& check = *Find<TCheckBox>(*form, "CheckBox1");
    auto& list = *Find<TListBox>(*form, "ListBox1");
    auto& combo = *Find<TComboBox>(*form, "ComboBox1");
    auto& panel = *Find<TPanel>(*form, "Panel1");

    for (TWinControl* c : std::initializer_list<TWinControl*>{&button, &edit, &memo, &group, &check,
                                                              &list, &combo, &panel}) {
        ASSERT_TRUE(c->HandleAllocated()) << c->Name();
        EXPECT_EQ(Win32::GetParent(c->Handle()), c->Parent()->Handle()) << c->Name();
        EXPECT_TRUE(StyleOf(*c) & Win32::WS_CHILD) << c->Name();
    }
    EXPECT_EQ(StyleOf(button) & 0xF, Win32::BS_DEFPUSHBUTTON);
    EXPECT_TRUE(StyleOf(button) & Win32::WS_TABSTOP);
    EXPECT_EQ(WindowText(button.Handle()), u"Go");
    EXPECT_TRUE(StyleOf(edit) & Win32::ES_READONLY);
    EXPECT_FALSE(StyleOf(edit) & Win32::ES_MULTILINE);
    EXPECT_EQ(WindowText(edit.Handle()), u"abc");
    EXPECT_TRUE(StyleOf(memo) & Win32::ES_MULTILINE);
    EXPECT_TRUE(StyleOf(memo) & Win32::WS_VSCROLL);
    EXPECT_FALSE(StyleOf(memo) & Win32::WS_HSCROLL);
    EXPECT_EQ(WindowText(memo.Handle()), u"one\r\ntwo\r\n");
    EXPECT_EQ(StyleOf(group) & 0xF, Win32::BS_GROUPBOX);
    EXPECT_EQ(Win32::GetParent(check.Handle()), group.Handle());
    EXPECT_TRUE(StyleOf(list) & Win32::LBS_EXTENDEDSEL);
    EXPECT_EQ(StyleOf(combo) & 0x3, Win32::CBS_DROPDOWNLIST);

    // The framework's procedure sits in front of the system one: a move of the
    // window reaches the control.
    Win32::SetWindowPos(button.Handle(), nullptr, 33, 44, 90, 30,
                        Win32::SWP_NOZORDER | Win32::SWP_NOACTIVATE);
    EXPECT_EQ(button.Left(), 33);
    EXPECT_EQ(button.Top(), 44);
    EXPECT_EQ(button.Width(), 90);

    // Changes of a live control reach its window.
    button.SetDefault(false);
    EXPECT_EQ(StyleOf(button) & 0xF, Win32::BS_PUSHBUTTON);
    button.SetText("Stop");
    EXPECT_EQ(WindowText(button.Handle()), u"Stop");
    memo.Lines()->Add("three");
    EXPECT_EQ(WindowText(memo.Handle()), u"one\r\ntwo\r\nthree\r\n");
    memo.SetScrollBars(ssBoth);
    EXPECT_TRUE(StyleOf(memo) & Win32::WS_HSCROLL);
    EXPECT_EQ(WindowText(memo.Handle()), u"one\r\ntwo\r\nthree\r\n");
}

TEST(StdClasses, CheckingARadioButtonUnchecksItsSiblingsOnly) {
    Sim::TDesktop desktop;
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  object A1: TRadioButton\n"
                              "    Checked = True\n"
                              "  end\n"
                              "  object A2: TRadioButton\n"
                              "  end\n"
                              "  object Group: TGroupBox\n"
                              "    object B1: TRadioButton\n"
                              "      Checked = True\n"
                              "    end\n"
                              "  end\n"
                              "end\n");
    auto& a1 = *Find<TRadioButton>(*form, "A1");
    auto& a2 = *Find<TRadioButton>(*form, "A2");
    auto& b1 = *Find<TRadioButton>(*form, "B1");
    EXPECT_TRUE(a1.Checked());
    EXPECT_TRUE(b1.Checked());
    a2.SetChecked(true);
    EXPECT_FALSE(a1.Checked());
    EXPECT_TRUE(a2.Checked());
    EXPECT_TRUE(b1.Checked()) << "another parent is another group";
}

TEST(StdClasses, CheckBoxCheckedAndStateAgree) {
    Sim::TDesktop desktop;
    TForm form(nullptr);
    auto* box = new TCheckBox(&form);
    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetParent(&form);
    form.HandleNeeded();
    EXPECT_EQ(StyleOf(*box) & 0xF, Win32::BS_3STATE);
}

TEST(StdClasses, EditsRefuseBadValuesAndKeepTheirCase) {
    Sim::TDesktop desktop;
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    EXPECT_THROW(edit->SetPasswordChar("ab"), EPropertyError);
    EXPECT_THROW(edit->SetMaxLength(-1), EPropertyError);
    edit->SetPasswordChar("\xE2\x80\xA2"); // one non-ASCII character
    EXPECT_EQ(edit->PasswordChar(), "\xE2\x80\xA2");
    edit->SetPasswordChar("");
    edit->SetText("Mixed");
    edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(edit->GetText(), "MIXED");
    edit->SetText("again");
    EXPECT_EQ(edit->GetText(), "AGAIN");
}

TEST(StdClasses, PageControlPlacesItsSheetsAndResolvesTheActivePage) {
    Sim::TDesktop desktop;
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  object Pages: TPageControl\n"
                              "    Left = 10\n"
                              "    Top = 10\n"
                              "    Width = 300\n"
                              "    Height = 200\n"
                              "    ActivePage = Sheet2\n"
                              "    object Sheet1: TTabSheet\n"
                              "      Caption = 'One'\n"
                              "    end\n"
                              "    object Sheet2: TTabSheet\n"
                              "      Caption = 'Two'\n"
                              "    end\n"
                              "  end\n"
                              "end\n");
    auto& pages = *Find<TPageControl>(*form, "Pages");
    auto& sheet2 = *Find<TTabSheet>(*form, "Sheet2");
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.ActivePage(), &sheet2);
    EXPECT_EQ(sheet2.PageIndex(), 1);
    EXPECT_EQ(sheet2.PageControl(), &pages);
    TRect display = pages.DisplayRect();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(pages.Pages(i)->BoundsRect(), display);
    pages.SetBounds(10, 10, 400, 250);
    EXPECT_EQ(sheet2.Width(), pages.DisplayRect().Width());
    EXPECT_GT(sheet2.Width(), display.Width());

    form->HandleNeeded();
    Win32::SetWindowPos(pages.Handle(), nullptr, 0, 0, 200, 150,
                        Win32::SWP_NOMOVE | Win32::SWP_NOZORDER | Win32::SWP_NOACTIVATE);
    EXPECT_EQ(sheet2.BoundsRect(), pages.DisplayRect());

    TTabSheet stray(form.get());
    EXPECT_THROW(pages.SetActivePage(&stray), EInvalidOperation);

    // The pages follow sheets that join, move and leave, and so do the tabs.
    const int top = pages.DisplayRect().Top;
    stray.SetPageControl(&pages);
    pages.SetChildOrder(&stray, 0);
    ASSERT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.Pages(0), &stray);
    EXPECT_EQ(sheet2.PageIndex(), 2);
    Find<TTabSheet>(*form, "Sheet1")->SetPageControl(nullptr);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.Pages(1), &sheet2);
    EXPECT_THROW(pages.Pages(2), EListError);
    sheet2.SetPageControl(nullptr);
    stray.SetPageControl(nullptr);
    EXPECT_EQ(pages.PageCount(), 0);
    EXPECT_LT(pages.DisplayRect().Top, top); // no tab, no row
}

TEST(StdClasses, MenuItemsNestAndGoWithTheirItem) {
    Sim::TDesktop desktop;
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  object Menu: TMainMenu\n"
                              "    object File1: TMenuItem\n"
                              "      Caption = '&File'\n"
                              "      object Open1: TMenuItem\n"
                              "        Caption = 'Open'\n"
                              "        ShortCut = 16463\n"
                              "      end\n"
                              "      object Close1: TMenuItem\n"
                              "        Caption = 'Close'\n"
                              "      end\n"
                              "    end\n"
                              "    object Help1: TMenuItem\n"
                              "      Caption = 'Help'\n"
                              "    end\n"
                              "  end\n"
                              "end\n");
    auto& menu = *Find<TMainMenu>(*form, "Menu");
    auto& file = *Find<TMenuItem>(*form, "File1");
    ASSERT_EQ(menu.Items()->Count(), 2);
    EXPECT_EQ(menu.Items()->Items(0), &file);
    ASSERT_EQ(file.Count(), 2);
    EXPECT_EQ(file.Items(0)->Caption(), "Open");
    EXPECT_EQ(file.Items(0)->ShortCut(), 16463);
    EXPECT_EQ(file.Items(1)->GetParentMenu(), &menu);
    EXPECT_EQ(file.GetParentComponent(), &menu);
    EXPECT_EQ(file.Items(0)->GetParentComponent(), &file);
    EXPECT_EQ(file.Items(0)->Owner(), form.get());

    EXPECT_THROW(file.Items(0)->Add(&file), EInvalidOperation);
    EXPECT_THROW(file.SetShortCut(0x10000), EPropertyError);

    int before = form->ComponentCount();
    delete &file; // its sub-items go with it
    EXPECT_EQ(form->ComponentCount(), before - 3);
    EXPECT_EQ(form->FindComponent("Open1"), nullptr);
    ASSERT_EQ(menu.Items()->Count(), 1);
    EXPECT_EQ(menu.Items()->Items(0)->Name(), "Help1");
}

TEST(StdClasses, RadioMenuItemsOfAGroupExcludeEachOther) {
    Sim::TDesktop desktop;
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    TMenuItem* items[3];
    for (auto*& item : items) {
        item = new TMenuItem(&form);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        menu->Items()->Add(item);
    }
    items[2]->SetGroupIndex(2);
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked());
    EXPECT_TRUE(menu->AutoPopup());
}

TEST(StdClasses, EventsBoundInCodeFire) {
    Sim::TDesktop desktop;
    TForm form(nullptr);
    struct TCounter {
        int Clicks = 0;
        void Clicked(TObject*) { ++Clicks; }
    } counter;
    auto* button = new TButton(&form);
    auto* item = new TMenuItem(&form);
    auto* timer = new TTimer(&form);
    button->OnClick = TNotifyEvent::Bind<&TCounter::Clicked>(&counter);
    item->OnClick = TNotifyEvent::Bind<&TCounter::Clicked>(&counter);
    timer->OnTimer = TNotifyEvent::Bind<&TCounter::Clicked>(&counter);
    button->Click();
    item->Click();
    timer->Timer();
    item->SetEnabled(false);
    item->Click();
    timer->SetEnabled(false);
    timer->Timer();
    EXPECT_EQ(counter.Clicks, 3);
    EXPECT_THROW(timer->SetInterval(-1), EPropertyError);
}

// What files of the current framework store on its standard classes reads
// strictly, is written back exactly as it was, and what decides a layout is applied.
TEST(StdClasses, CurrentPublishedPropertiesReadWriteBackAndApply) {
    const char* text = "object Form1: TForm\n"
                       "  Left = 0\n"
                       "  Top = 0\n"
                       "  Caption = 'Form1'\n"
                       "  ClientHeight = 200\n"
                       "  ClientWidth = 300\n"
                       "  Color = clBtnFace\n"
                       "  GlassFrame.Enabled = True\n"
                       "  GlassFrame.Top = 30\n"
                       "  OldCreateOrder = False\n"
                       "  PixelsPerInch = 96\n"
                       "  TextHeight = 13\n"
                       "  Touch.InteractiveGestures = [igZoom, igPan]\n"
                       "  object CheckBox1: TCheckBox\n"
                       "    Left = 0\n"
                       "    Top = 0\n"
                       "    Width = 300\n"
                       "    Height = 17\n"
                       "    Align = alTop\n"
                       "    Caption = 'Check'\n"
                       "    TabOrder = 0\n"
                       "  end\n"
                       "  object RadioButton1: TRadioButton\n"
                       "    Left = 0\n"
                       "    Top = 183\n"
                       "    Width = 300\n"
                       "    Height = 17\n"
                       "    Align = alBottom\n"
                       "    TabOrder = 1\n"
                       "  end\n"
                       "  object Button1: TButton\n"
                       "    Left = 8\n"
                       "    Top = 24\n"
                       "    Width = 75\n"
                       "    Height = 25\n"
                       "    DisabledImageIndex = 3\n"
                       "    HotImageIndex = 2\n"
                       "    ImageAlignment = iaCenter\n"
                       "    ImageIndex = 1\n"
                       "    ImageMargins.Left = 4\n"
                       "    ImageMargins.Bottom = 2\n"
                       "    PressedImageName = 'down'\n"
                       "    TabOrder = 2\n"
                       "    Touch.ParentTabletOptions = False\n"
                       "    Touch.TabletOptions = [toPressAndHold, toFlicks]\n"
                       "  end\n"
                       "  object Edit1: TEdit\n"
                       "    Left = 8\n"
                       "    Top = 56\n"
                       "    Width = 121\n"
                       "    Height = 21\n"
                       "    ImeMode = imDisable\n"
                       "    TabOrder = 3\n"
                       "  end\n"
                       "  object ComboBox1: TComboBox\n"
                       "    Left = 136\n"
                       "    Top = 56\n"
                       "    Width = 145\n"
                       "    Height = 21\n"
                       "    AutoCompleteDelay = 250\n"
                       "    ImeMode = imHira\n"
                       "    TabOrder = 4\n"
                       "  end\n"
                       "  object Label1: TLabel\n"
                       "    Left = 8\n"
                       "    Top = 88\n"
                       "    Width = 35\n"
                       "    Height = 13\n"
                       "    Caption = 'Label1'\n"
                       "    GlowSize = 3\n"
                       "  end\n"
                       "  object GroupBox1: TGroupBox\n"
                       "    Left = 200\n"
                       "    Top = 88\n"
                       "    Width = 90\n"
                       "    Height = 60\n"
                       "    Caption = 'Group'\n"
                       "    DefaultHeaderFont = False\n"
                       "    HeaderFont.Charset = DEFAULT_CHARSET\n"
                       "    HeaderFont.Height = -15\n"
                       "    HeaderFont.Name = 'Segoe UI'\n"
                       "    HeaderFont.Style = [fsBold]\n"
                       "    TabOrder = 5\n"
                       "  end\n"
                       "  object ScrollBox1: TScrollBox\n"
                       "    Left = 8\n"
                       "    Top = 104\n"
                       "    Width = 185\n"
                       "    Height = 73\n"
                       "    BorderStyle = bsNone\n"
                       "    Padding.Left = 10\n"
                       "    Padding.Top = 6\n"
                       "    TabOrder = 6\n"
                       "    object Panel1: TPanel\n"
                       "      Left = 10\n"
                       "      Top = 6\n"
                       "      Width = 175\n"
                       "      Height = 67\n"
                       "      Align = alClient\n"
                       "      TabOrder = 0\n"
                       "    end\n"
                       "  end\n"
                       "end\n";
    Sim::TDesktop desktop;
    std::unique_ptr<TComponent> form = Load(text);
    EXPECT_EQ(SaveFormText(*form), text);

    auto* check = Find<TControl>(*form, "CheckBox1");
    auto* radio = Find<TControl>(*form, "RadioButton1");
    auto* panel = Find<TControl>(*form, "Panel1");
    ASSERT_TRUE(check && radio && panel);
    EXPECT_EQ(check->Align(), alTop);
    EXPECT_EQ(radio->Align(), alBottom);
    EXPECT_EQ(check->Width(), 300);
    EXPECT_EQ(radio->Top(), 183);
    // The scroll box keeps its padding clear of what it aligns.
    EXPECT_EQ(panel->Left(), 10);
    EXPECT_EQ(panel->Top(), 6);

    // Names the real classes do not publish there are still refused.
    EXPECT_NE(LoadError("object Form1: TForm\n"
                        "  object CheckBox1: TCheckBox\n"
                        "    ImeMode = imDisable\n"
                        "  end\n"
                        "end\n")
                  .Reason()
                  .find("ImeMode"),
              String::npos);
    EXPECT_NE(LoadError("object Form1: TForm\n"
                        "  object Edit1: TEdit\n"
                        "    ImeMode = imSideways\n"
                        "  end\n"
                        "end\n")
                  .Reason()
                  .find("imSideways"),
              String::npos);
}
