// Round trips of hand-made forms that use every standard class: the model of a
// form read back from its written text is the same, and so is the text.
#include "vcl/VclTestSupport.h"

using namespace Vcl;
using namespace VclTest;

namespace {

// One form with every standard class and a value of every kind, in the order and
// spelling the framework writes them, so that the written text equals it.
const char* const kEveryClass =
    "object MainForm: TForm\n"
    "  Left = 120\n"
    "  Top = 80\n"
    "  BorderStyle = bsSingle\n"
    "  Caption = 'Every class '#8211' '#1074#1089#1077\n"
    "  ClientHeight = 420\n"
    "  ClientWidth = 640\n"
    "  Color = clBtnFace\n"
    "  Constraints.MinWidth = 300\n"
    "  Font.Charset = DEFAULT_CHARSET\n"
    "  Font.Color = clWindowText\n"
    "  Font.Height = -11\n"
    "  Font.Name = 'Tahoma'\n"
    "  Font.Style = []\n"
    "  KeyPreview = True\n"
    "  Menu = MainMenu1\n"
    "  OldCreateOrder = False\n"
    "  ParentFont = False\n"
    "  PixelsPerInch = 96\n"
    "  Position = poScreenCenter\n"
    "  TextHeight = 13\n"
    "  OnCreate = FormCreate\n"
    "  object Label1: TLabel\n"
    "    Left = 8\n"
    "    Top = 8\n"
    "    Width = 60\n"
    "    Height = 13\n"
    "    Alignment = taRightJustify\n"
    "    AutoSize = False\n"
    "    Caption = '&Name:'\n"
    "    FocusControl = Edit1\n"
    "    Transparent = True\n"
    "    Layout = tlCenter\n"
    "    WordWrap = True\n"
    "  end\n"
    "  object Edit1: TEdit\n"
    "    Left = 72\n"
    "    Top = 4\n"
    "    Width = 200\n"
    "    Height = 21\n"
    "    Anchors = [akLeft, akTop, akRight]\n"
    "    CharCase = ecUpperCase\n"
    "    MaxLength = 40\n"
    "    PasswordChar = '*'\n"
    "    TabOrder = 0\n"
    "    Text = 'SECRET'\n"
    "    OnChange = Edit1Change\n"
    "  end\n"
    "  object Memo1: TMemo\n"
    "    Left = 8\n"
    "    Top = 32\n"
    "    Width = 264\n"
    "    Height = 80\n"
    "    Color = clInfoBk\n"
    "    Lines.Strings = (\n"
    "      'Line one'\n"
    "      'Line ''two'''\n"
    "      '')\n"
    "    ReadOnly = True\n"
    "    ScrollBars = ssBoth\n"
    "    TabOrder = 1\n"
    "    WordWrap = False\n"
    "  end\n"
    "  object GroupBox1: TGroupBox\n"
    "    Left = 8\n"
    "    Top = 120\n"
    "    Width = 264\n"
    "    Height = 90\n"
    "    Caption = 'Options'\n"
    "    Font.Charset = DEFAULT_CHARSET\n"
    "    Font.Color = clNavy\n"
    "    Font.Height = -13\n"
    "    Font.Name = 'Verdana'\n"
    "    Font.Style = [fsBold]\n"
    "    ParentFont = False\n"
    "    TabOrder = 2\n"
    "    object CheckBox1: TCheckBox\n"
    "      Left = 8\n"
    "      Top = 20\n"
    "      Width = 120\n"
    "      Height = 17\n"
    "      AllowGrayed = True\n"
    "      Caption = 'Maybe'\n"
    "      State = cbGrayed\n"
    "      TabOrder = 0\n"
    "      OnClick = CheckBox1Click\n"
    "    end\n"
    "    object RadioButton1: TRadioButton\n"
    "      Left = 8\n"
    "      Top = 40\n"
    "      Width = 120\n"
    "      Height = 17\n"
    "      Caption = 'One'\n"
    "      Checked = True\n"
    "      TabOrder = 1\n"
    "      TabStop = True\n"
    "    end\n"
    "    object RadioButton2: TRadioButton\n"
    "      Left = 8\n"
    "      Top = 60\n"
    "      Width = 120\n"
    "      Height = 17\n"
    "      Caption = 'Two'\n"
    "      TabOrder = 2\n"
    "    end\n"
    "  end\n"
    "  object ComboBox1: TComboBox\n"
    "    Left = 8\n"
    "    Top = 216\n"
    "    Width = 145\n"
    "    Height = 21\n"
    "    Style = csDropDownList\n"
    "    ItemIndex = 1\n"
    "    Sorted = True\n"
    "    TabOrder = 3\n"
    "    Text = 'Beta'\n"
    "    Items.Strings = (\n"
    "      'Alpha'\n"
    "      'Beta')\n"
    "  end\n"
    "  object ListBox1: TListBox\n"
    "    Left = 160\n"
    "    Top = 216\n"
    "    Width = 112\n"
    "    Height = 60\n"
    "    ItemHeight = 13\n"
    "    Items.Strings = (\n"
    "      'x'\n"
    "      'y'\n"
    "      'z')\n"
    "    MultiSelect = True\n"
    "    TabOrder = 4\n"
    "    OnDblClick = ListBox1DblClick\n"
    "  end\n"
    "  object Panel1: TPanel\n"
    "    Left = 0\n"
    "    Top = 379\n"
    "    Width = 640\n"
    "    Height = 41\n"
    "    Align = alBottom\n"
    "    BevelOuter = bvLowered\n"
    "    Color = clWhite\n"
    "    ParentBackground = False\n"
    "    ParentColor = False\n"
    "    TabOrder = 5\n"
    "    object Button1: TButton\n"
    "      Left = 472\n"
    "      Top = 8\n"
    "      Width = 75\n"
    "      Height = 25\n"
    "      Anchors = [akRight, akBottom]\n"
    "      Caption = 'OK'\n"
    "      Default = True\n"
    "      ModalResult = 1\n"
    "      TabOrder = 0\n"
    "      OnClick = Button1Click\n"
    "    end\n"
    "    object Button2: TButton\n"
    "      Left = 552\n"
    "      Top = 8\n"
    "      Width = 75\n"
    "      Height = 25\n"
    "      Cancel = True\n"
    "      Caption = 'Cancel'\n"
    "      ModalResult = 2\n"
    "      TabOrder = 1\n"
    "    end\n"
    "    object Bevel1: TBevel\n"
    "      Left = 8\n"
    "      Top = 4\n"
    "      Width = 100\n"
    "      Height = 2\n"
    "      Shape = bsTopLine\n"
    "      Style = bsRaised\n"
    "    end\n"
    "  end\n"
    "  object PageControl1: TPageControl\n"
    "    Left = 280\n"
    "    Top = 4\n"
    "    Width = 352\n"
    "    Height = 300\n"
    "    ActivePage = TabSheet2\n"
    "    TabOrder = 6\n"
    "    object TabSheet1: TTabSheet\n"
    "      Caption = 'Image'\n"
    "      object Image1: TImage\n"
    "        Left = 0\n"
    "        Top = 0\n"
    "        Width = 64\n"
    "        Height = 64\n"
    "        Picture.Data = {\n"
    "          07544269746D6170000102030405FF}\n"
    "        Proportional = True\n"
    "        Stretch = True\n"
    "      end\n"
    "      object Shape1: TShape\n"
    "        Left = 80\n"
    "        Top = 0\n"
    "        Width = 40\n"
    "        Height = 40\n"
    "        Brush.Color = clYellow\n"
    "        Brush.Style = bsDiagCross\n"
    "        Pen.Color = clRed\n"
    "        Pen.Style = psDot\n"
    "        Pen.Width = 2\n"
    "        Shape = stCircle\n"
    "      end\n"
    "    end\n"
    "    object TabSheet2: TTabSheet\n"
    "      Caption = 'Scroll'\n"
    "      ImageIndex = 1\n"
    "      object ScrollBox1: TScrollBox\n"
    "        Left = 0\n"
    "        Top = 0\n"
    "        Width = 344\n"
    "        Height = 272\n"
    "        Align = alClient\n"
    "        BorderStyle = bsNone\n"
    "        TabOrder = 0\n"
    "        object Frame: TFrame\n"
    "          Left = 4\n"
    "          Top = 4\n"
    "          Width = 200\n"
    "          Height = 100\n"
    "          TabOrder = 0\n"
    "        end\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "  object MainMenu1: TMainMenu\n"
    "    Images = ImageList1\n"
    "    Left = 16\n"
    "    Top = 300\n"
    "    object File1: TMenuItem\n"
    "      Caption = '&File'\n"
    "      object Open1: TMenuItem\n"
    "        Caption = '&Open...'\n"
    "        ImageIndex = 0\n"
    "        ShortCut = 16463\n"
    "        OnClick = Open1Click\n"
    "      end\n"
    "      object N1: TMenuItem\n"
    "        Caption = '-'\n"
    "      end\n"
    "      object View1: TMenuItem\n"
    "        Caption = 'View'\n"
    "        object Big1: TMenuItem\n"
    "          Caption = 'Big'\n"
    "          Checked = True\n"
    "          GroupIndex = 1\n"
    "          RadioItem = True\n"
    "        end\n"
    "        object Small1: TMenuItem\n"
    "          Caption = 'Small'\n"
    "          GroupIndex = 1\n"
    "          RadioItem = True\n"
    "        end\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "  object PopupMenu1: TPopupMenu\n"
    "    AutoPopup = False\n"
    "    Left = 48\n"
    "    Top = 300\n"
    "    object Copy1: TMenuItem\n"
    "      Caption = 'Copy'\n"
    "      Enabled = False\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TTimer\n"
    "    Enabled = False\n"
    "    Interval = 250\n"
    "    OnTimer = Timer1Timer\n"
    "    Left = 80\n"
    "    Top = 300\n"
    "  end\n"
    "  object OpenDialog1: TOpenDialog\n"
    "    DefaultExt = 'txt'\n"
    "    Filter = 'Text files (*.txt)|*.txt|All files|*.*'\n"
    "    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]\n"
    "    Title = 'Open a file'\n"
    "    Left = 112\n"
    "    Top = 300\n"
    "  end\n"
    "  object SaveDialog1: TSaveDialog\n"
    "    FileName = 'untitled.txt'\n"
    "    FilterIndex = 2\n"
    "    InitialDir = 'C:\\Temp'\n"
    "    Options = [ofOverwritePrompt, ofHideReadOnly, ofEnableSizing]\n"
    "    Left = 144\n"
    "    Top = 300\n"
    "  end\n"
    "end\n";

// read(write(x)) is x, write(read(write(x))) is write(x).
void ExpectRoundTrip(TComponent& root) {
    TFormObject model = WriteComponent(root);
    String text = WriteFormText(model);
    std::unique_ptr<TComponent> again = LoadForm(ReadFormText(text));
    EXPECT_EQ(WriteComponent(*again), model);
    EXPECT_EQ(SaveFormText(*again), text);
}

class FormRoundTrip : public ::testing::Test {
protected:
    Sim::TDesktop desktop;
};

} // namespace

TEST_F(FormRoundTrip, AFormWithEveryClassWritesBackAsItWasWritten) {
    auto form = Load(kEveryClass);
    String text = SaveFormText(*form);
    EXPECT_EQ(text, kEveryClass);
    ExpectRoundTrip(*form);
}

TEST_F(FormRoundTrip, TheFormIsLiveAfterReading) {
    auto form = LoadAs<TForm>(kEveryClass);
    EXPECT_EQ(form->ClientWidth(), 640);
    EXPECT_EQ(Find<TEdit>(*form, "Edit1")->GetText(), "SECRET");
    EXPECT_EQ(Find<TCheckBox>(*form, "CheckBox1")->State(), cbGrayed);
    EXPECT_TRUE(Find<TRadioButton>(*form, "RadioButton1")->Checked());
    EXPECT_EQ(Find<TPageControl>(*form, "PageControl1")->ActivePage(),
              Find<TTabSheet>(*form, "TabSheet2"));
    EXPECT_EQ(Find<TMainMenu>(*form, "MainMenu1")->Items()->Items(0)->Count(), 3);
    EXPECT_EQ(Find<TFrame>(*form, "Frame")->Parent(), Find<TScrollBox>(*form, "ScrollBox1"));
    EXPECT_FALSE(Find<TPopupMenu>(*form, "PopupMenu1")->AutoPopup());
    EXPECT_EQ(Find<TSaveDialog>(*form, "SaveDialog1")->InitialDir(), "C:\\Temp");
    // The group box's own font reaches its buttons, the form's does not.
    EXPECT_EQ(Find<TCheckBox>(*form, "CheckBox1")->Font()->Name(), "Verdana");
    EXPECT_EQ(Find<TButton>(*form, "Button1")->Font()->Name(), "Tahoma");

    form->Show();
    EXPECT_TRUE(form->Showing());
    ExpectRoundTrip(*form);
}

TEST_F(FormRoundTrip, ComponentsMadeInCodeWriteAndReadBack) {
    TForm form(nullptr);
    form.SetName("Built");
    auto* panel = new TPanel(&form);
    panel->SetName("Panel1");
    panel->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetName("Label1");
    label->SetParent(panel);
    auto* memo = new TMemo(&form);
    memo->SetName("Memo1");
    memo->SetParent(panel);
    memo->Lines()->Add("hello");
    memo->SetText("a\r\nb");
    auto* menu = new TPopupMenu(&form);
    menu->SetName("Popup");
    auto* item = new TMenuItem(&form);
    item->SetName("Item1");
    item->SetCaption("Item");
    menu->Items()->Add(item);
    auto* sub = new TMenuItem(&form);
    sub->SetName("Sub1");
    item->Add(sub);
    auto* image = new TImage(&form);
    image->SetName("Image1");
    image->SetParent(&form);
    image->Picture()->SetData({1, 2, 3});
    auto* timer = new TTimer(&form);
    timer->SetName("Timer1");
    timer->DesignInfo() = {5, 6};

    EXPECT_EQ(label->GetText(), "Label1") << "a named control shows its name";
    EXPECT_EQ(panel->GetText(), "Panel1");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    ExpectRoundTrip(form);

    auto again = Load(SaveFormText(form));
    EXPECT_EQ(Find<TMenuItem>(*again, "Sub1")->Parent(), Find<TMenuItem>(*again, "Item1"));
    EXPECT_EQ(Find<TLabel>(*again, "Label1")->Parent(), Find<TPanel>(*again, "Panel1"));
    EXPECT_EQ(Find<TTimer>(*again, "Timer1")->DesignInfo().Top, 6);
    EXPECT_EQ(Find<TImage>(*again, "Image1")->Picture()->Data(),
              (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(FormRoundTrip, DefaultsAreLeftOutAndNonDefaultsKept) {
    // A control whose every value is its default writes its bounds and tab order only.
    String text = Resave("object F: TForm\n"
                         "  object E: TEdit\n"
                         "    Left = 1\n"
                         "    Top = 2\n"
                         "    Width = 3\n"
                         "    Height = 4\n"
                         "    AutoSelect = True\n"
                         "    AutoSize = False\n"
                         "    Color = clWindow\n"
                         "    ParentColor = False\n"
                         "    TabStop = True\n"
                         "    TabOrder = 0\n"
                         "  end\n"
                         "end\n");
    EXPECT_NE(text.find("  object E: TEdit\n"
                        "    Left = 1\n"
                        "    Top = 2\n"
                        "    Width = 3\n"
                        "    Height = 4\n"
                        "    AutoSize = False\n"
                        "    TabOrder = 0\n"
                        "  end\n"),
              String::npos)
        << text;
    // The same values away from their defaults are all written.
    text = Resave("object F: TForm\n"
                  "  object E: TEdit\n"
                  "    AutoSelect = False\n"
                  "    Color = clBtnFace\n"
                  "    ParentColor = True\n"
                  "    TabStop = False\n"
                  "  end\n"
                  "end\n");
    for (const char* line : {"AutoSelect = False\n", "ParentColor = True\n", "TabStop = False\n"})
        EXPECT_NE(text.find(line), String::npos) << line << text;
    EXPECT_EQ(text.find("    Color = clBtnFace"), String::npos)
        << "a parent's colour is not stored";
    EXPECT_NE(text.find("\n  Color = clBtnFace\n"), String::npos) << "a form's colour is";
}
