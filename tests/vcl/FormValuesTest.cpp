// Every kind of value a form file holds, read into live components through their
// setters and written back from their getters.
#include "vcl/VclTestSupport.h"

using namespace Vcl;
using namespace VclTest;

namespace {

// A control with a floating-point property, which no standard class has.
class TGauge : public TGraphicControl {
    QV_CLASS_INFO
public:
    using TGraphicControl::TGraphicControl;
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }

private:
    double FRatio = 0;
};

const TClassInfo& TGauge::StaticClass() {
    static const TClassInfo info{"TGauge",
                                 &TGraphicControl::StaticClass(),
                                 {FloatProp<TGauge>("Ratio", &TGauge::Ratio, &TGauge::SetRatio)},
                                 {},
                                 &CreateInstance<TGauge>};
    return info;
}

class FormValues : public ::testing::Test {
protected:
    void SetUp() override { RegisterClass(TGauge::StaticClass()); }
    void TearDown() override { UnRegisterClass(TGauge::StaticClass()); }

    // The properties written for the first child of the form read from `body`.
    std::vector<TFormProperty> Written(const std::string& body) {
        std::unique_ptr<TComponent> form = Load("object Form1: TForm\n" + body + "end\n");
        TFormObject model = WriteComponent(*form);
        EXPECT_FALSE(model.Children.empty());
        return model.Children.empty() ? std::vector<TFormProperty>{}
                                      : model.Children.front().Properties;
    }

    static const TFormValue* ValueOf(const std::vector<TFormProperty>& props,
                                     std::string_view name) {
        for (const TFormProperty& p : props)
            if (p.Name == name)
                return &p.Value;
        return nullptr;
    }

    Sim::TDesktop desktop;
};

using TKind = TFormValue::TKind;

} // namespace

TEST_F(FormValues, IntegersHexAndNegativeNumbers) {
    auto form = Load("object Form1: TForm\n"
                     "  object Button1: TButton\n"
                     "    Tag = $7FFFFFFF\n"
                     "    Left = -12\n"
                     "    Top = $10\n"
                     "    Width = 2147483647\n"
                     "    ModalResult = 2\n"
                     "  end\n"
                     "end\n");
    auto& button = *Find<TButton>(*form, "Button1");
    EXPECT_EQ(button.Tag(), 0x7FFFFFFF);
    EXPECT_EQ(button.Left(), -12);
    EXPECT_EQ(button.Top(), 16);
    EXPECT_EQ(button.Width(), 2147483647);
    EXPECT_EQ(button.ModalResult(), 2);

    auto props = WriteComponent(*form).Children.at(0).Properties;
    EXPECT_EQ(ValueOf(props, "Tag")->Int, 0x7FFFFFFF);
    EXPECT_EQ(ValueOf(props, "Left")->Int, -12);
    EXPECT_EQ(ValueOf(props, "Top")->Int, 16);
    EXPECT_EQ(ValueOf(props, "ModalResult")->Int, 2);
}

TEST_F(FormValues, FloatsKeepEveryBit) {
    auto props = Written("  object G: TGauge\n"
                         "    Ratio = 0.1\n"
                         "  end\n");
    ASSERT_NE(ValueOf(props, "Ratio"), nullptr);
    EXPECT_EQ(ValueOf(props, "Ratio")->Kind, TKind::Float);
    EXPECT_EQ(ValueOf(props, "Ratio")->Float, 0.1);
    auto form = Load("object Form1: TForm\n  object G: TGauge\n    Ratio = -2.5E-3\n  end\nend\n");
    EXPECT_EQ(Find<TGauge>(*form, "G")->Ratio(), -2.5E-3);
    form = Load(SaveFormText(*form));
    EXPECT_EQ(Find<TGauge>(*form, "G")->Ratio(), -2.5E-3);
    form = Load("object Form1: TForm\n  object G: TGauge\n    Ratio = 3\n  end\nend\n");
    EXPECT_EQ(Find<TGauge>(*form, "G")->Ratio(), 3.0) << "an integer is a number too";
}

TEST_F(FormValues, StringsWithQuotesCodesAndNonAscii) {
    auto form = Load("object Form1: TForm\n"
                     "  Caption = 'It''s'#13#10'line two' +\n"
                     "    ' joined'\n"
                     "  object Label1: TLabel\n"
                     "    Caption = #1055#1088#1080#1074#1077#1090', '#955'!'\n"
                     "  end\n"
                     "  object Edit1: TEdit\n"
                     "    Text = 'caf'#233' '#55357#56832\n"
                     "  end\n"
                     "  object Label2: TLabel\n"
                     "    Caption = 'Gr\xC3\xBC\xC3\x9F' + 'e'\n"
                     "  end\n"
                     "end\n");
    EXPECT_EQ(form.get()->ClassName(), "TForm");
    EXPECT_EQ(dynamic_cast<TForm&>(*form).GetText(), "It's\r\nline two joined");
    EXPECT_EQ(Find<TLabel>(*form, "Label1")->GetText(),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xCE\xBB!");
    EXPECT_EQ(Find<TEdit>(*form, "Edit1")->GetText(), "caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(Find<TLabel>(*form, "Label2")->GetText(), "Gr\xC3\xBC\xC3\x9F"
                                                        "e");

    auto again = Load(SaveFormText(*form));
    EXPECT_EQ(dynamic_cast<TForm&>(*again).GetText(), "It's\r\nline two joined");
    EXPECT_EQ(Find<TEdit>(*again, "Edit1")->GetText(), "caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(Find<TLabel>(*again, "Label1")->GetText(), Find<TLabel>(*form, "Label1")->GetText());
}

TEST_F(FormValues, EnumerationsBooleansAndSets) {
    auto props = Written("  object Panel1: TPanel\n"
                         "    Align = alClient\n"
                         "    BevelOuter = bvNone\n"
                         "    Anchors = [akLeft, akRight, akBottom]\n"
                         "    Font.Style = [fsBold, fsItalic]\n"
                         "    ParentFont = False\n"
                         "    Visible = False\n"
                         "  end\n");
    EXPECT_EQ(ValueOf(props, "Align")->Str, "alClient");
    EXPECT_EQ(ValueOf(props, "BevelOuter")->Str, "bvNone");
    EXPECT_EQ(ValueOf(props, "Anchors")->Set,
              (std::vector<String>{"akLeft", "akRight", "akBottom"}));
    EXPECT_EQ(ValueOf(props, "Font.Style")->Set, (std::vector<String>{"fsBold", "fsItalic"}));
    EXPECT_EQ(ValueOf(props, "Visible")->Str, "False");

    // An empty set differs from the default one and is written as such.
    props = Written("  object Button1: TButton\n"
                    "    Anchors = []\n"
                    "  end\n");
    ASSERT_NE(ValueOf(props, "Anchors"), nullptr);
    EXPECT_TRUE(ValueOf(props, "Anchors")->Set.empty());

    // Names are matched whatever their case and written as declared.
    auto form = Load("object Form1: TForm\n"
                     "  object D: TOpenDialog\n"
                     "    Options = [OFREADONLY, ofEnableSizing]\n"
                     "  end\n"
                     "  object C: TComboBox\n"
                     "    style = CSSIMPLE\n"
                     "  end\n"
                     "end\n");
    EXPECT_EQ(Find<TOpenDialog>(*form, "D")->Options(),
              (1u << ofReadOnly) | (1u << ofEnableSizing));
    EXPECT_EQ(Find<TComboBox>(*form, "C")->Style(), csSimple);
    String text = SaveFormText(*form);
    EXPECT_NE(text.find("Options = [ofReadOnly, ofEnableSizing]"), String::npos) << text;
    EXPECT_NE(text.find("Style = csSimple"), String::npos) << text;
}

TEST_F(FormValues, ColoursByNameAndByNumber) {
    auto form = Load("object Form1: TForm\n"
                     "  Color = clBtnFace\n"
                     "  object Shape1: TShape\n"
                     "    Brush.Color = clRed\n"
                     "    Pen.Color = $00123456\n"
                     "    Pen.Width = 3\n"
                     "  end\n"
                     "  object Edit1: TEdit\n"
                     "    Color = clInfoBk\n"
                     "    Font.Color = 255\n"
                     "    ParentFont = False\n"
                     "  end\n"
                     "end\n");
    auto& shape = *Find<TShape>(*form, "Shape1");
    EXPECT_EQ(shape.Brush()->Color(), 0x0000FF);
    EXPECT_EQ(shape.Pen()->Color(), 0x123456);
    EXPECT_EQ(shape.Pen()->Width(), 3);
    auto& edit = *Find<TEdit>(*form, "Edit1");
    EXPECT_EQ(edit.Color(), static_cast<TColor>(0xFF000018));
    EXPECT_EQ(edit.Font()->Color(), 0x0000FF);

    auto model = WriteComponent(*form);
    auto& shapeProps = model.Children.at(0).Properties;
    EXPECT_EQ(ValueOf(shapeProps, "Brush.Color")->Str, "clRed");
    EXPECT_EQ(ValueOf(shapeProps, "Pen.Color")->Int, 0x123456);
    auto& editProps = model.Children.at(1).Properties;
    EXPECT_EQ(ValueOf(editProps, "Color")->Str, "clInfoBk");
    EXPECT_EQ(ValueOf(editProps, "Font.Color")->Str, "clRed") << "a value with a name gets it";
}

TEST_F(FormValues, EventNamesAndReferences) {
    auto form = Load("object Form1: TForm\n"
                     "  PopupMenu = Popup1\n"
                     "  OnCreate = FormCreate\n"
                     "  object Label1: TLabel\n"
                     "    FocusControl = Edit1\n"
                     "    OnClick = Label1Click\n"
                     "  end\n"
                     "  object Edit1: TEdit\n"
                     "    OnChange = nil\n"
                     "  end\n"
                     "  object Button1: TButton\n"
                     "    PopupMenu = DataModule1.Popup2\n"
                     "    OnClick = Button1Click\n"
                     "  end\n"
                     "  object Popup1: TPopupMenu\n"
                     "    Images = ImageList1\n"
                     "    OnPopup = Popup1Popup\n"
                     "  end\n"
                     "end\n");
    auto& label = *Find<TLabel>(*form, "Label1");
    EXPECT_EQ(label.FocusControl(), Find<TEdit>(*form, "Edit1"));
    auto& button = *Find<TButton>(*form, "Button1");
    EXPECT_EQ(button.OnClick.Method().Name, "Button1Click");
    EXPECT_FALSE(button.OnClick.Assigned()) << "a name without code does nothing";
    EXPECT_EQ(button.PopupMenu(), "DataModule1.Popup2");

    String text = SaveFormText(*form);
    for (const char* line :
         {"PopupMenu = Popup1\n", "OnCreate = FormCreate\n", "FocusControl = Edit1\n",
          "OnClick = Label1Click\n", "PopupMenu = DataModule1.Popup2\n", "OnClick = Button1Click\n",
          "Images = ImageList1\n", "OnPopup = Popup1Popup\n"})
        EXPECT_NE(text.find(line), String::npos) << line << text;
    EXPECT_EQ(text.find("OnChange"), String::npos) << "nil is no handler";
}

TEST_F(FormValues, StringListsOfMemosListAndComboBoxes) {
    auto form = Load("object Form1: TForm\n"
                     "  object Memo1: TMemo\n"
                     "    Lines.Strings = (\n"
                     "      'first'\n"
                     "      ''\n"
                     "      'it''s #3')\n"
                     "  end\n"
                     "  object List1: TListBox\n"
                     "    Items.Strings = (\n"
                     "      'a'\n"
                     "      'b')\n"
                     "  end\n"
                     "  object Combo1: TComboBox\n"
                     "    ItemIndex = 1\n"
                     "    Text = 'y'\n"
                     "    Items.Strings = (\n"
                     "      'x'\n"
                     "      'y')\n"
                     "  end\n"
                     "end\n");
    auto& memo = *Find<TMemo>(*form, "Memo1");
    ASSERT_EQ(memo.Lines()->Count(), 3);
    EXPECT_EQ(memo.Lines()->Get(1), "");
    EXPECT_EQ(memo.Lines()->Get(2), "it's #3");
    EXPECT_EQ(memo.GetText(), "first\r\n\r\nit's #3\r\n");
    EXPECT_EQ(Find<TListBox>(*form, "List1")->Items()->Count(), 2);
    auto& combo = *Find<TComboBox>(*form, "Combo1");
    EXPECT_EQ(combo.ItemIndex(), 1) << "the index is kept although the items come after it";
    EXPECT_EQ(combo.Items()->Get(1), "y");

    auto model = WriteComponent(*form);
    const TFormValue* lines = ValueOf(model.Children.at(0).Properties, "Lines.Strings");
    ASSERT_NE(lines, nullptr);
    ASSERT_EQ(lines->List.size(), 3u);
    EXPECT_EQ(lines->List[2].Str, "it's #3");
    auto again = Load(SaveFormText(*form));
    EXPECT_EQ(Find<TComboBox>(*again, "Combo1")->ItemIndex(), 1);
    EXPECT_EQ(Find<TMemo>(*again, "Memo1")->Lines()->Count(), 3);
}

TEST_F(FormValues, ItemIndexBeyondTheItemsSelectsNothing) {
    auto form = Load("object Form1: TForm\n"
                     "  object Combo1: TComboBox\n"
                     "    ItemIndex = 5\n"
                     "    Items.Strings = (\n"
                     "      'x')\n"
                     "  end\n"
                     "end\n");
    EXPECT_EQ(Find<TComboBox>(*form, "Combo1")->ItemIndex(), -1);
}

TEST_F(FormValues, PictureDataIsKeptByteForByte) {
    std::string hex;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i * 7));
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[bytes.back() >> 4];
        hex += digits[bytes.back() & 0xF];
    }
    auto form = Load("object Form1: TForm\n"
                     "  object Image1: TImage\n"
                     "    Stretch = True\n"
                     "    Picture.Data = {\n"
                     "      " +
                     hex +
                     "}\n"
                     "  end\n"
                     "  object Image2: TImage\n"
                     "  end\n"
                     "end\n");
    auto& image = *Find<TImage>(*form, "Image1");
    EXPECT_EQ(image.Picture()->Data(), bytes);
    auto model = WriteComponent(*form);
    const TFormValue* data = ValueOf(model.Children.at(0).Properties, "Picture.Data");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Kind, TKind::Binary);
    EXPECT_EQ(data->Binary, bytes);
    EXPECT_EQ(ValueOf(model.Children.at(1).Properties, "Picture.Data"), nullptr)
        << "an empty picture writes no data";
    auto again = Load(SaveFormText(*form));
    EXPECT_EQ(Find<TImage>(*again, "Image1")->Picture()->Data(), bytes);
}

TEST_F(FormValues, DesignPositionsOfNonVisualComponents) {
    auto form = Load("object Form1: TForm\n"
                     "  object Timer1: TTimer\n"
                     "    Interval = 250\n"
                     "    OnTimer = Timer1Timer\n"
                     "    Left = 16\n"
                     "    Top = 8\n"
                     "  end\n"
                     "  object Save1: TSaveDialog\n"
                     "    Filter = 'Text|*.txt|All|*.*'\n"
                     "    FilterIndex = 2\n"
                     "  end\n"
                     "end\n");
    auto& timer = *Find<TTimer>(*form, "Timer1");
    EXPECT_EQ(timer.Interval(), 250);
    EXPECT_EQ(timer.DesignInfo().Left, 16);
    EXPECT_EQ(timer.DesignInfo().Top, 8);
    auto model = WriteComponent(*form);
    auto& timerProps = model.Children.at(0).Properties;
    ASSERT_EQ(timerProps.size(), 4u);
    EXPECT_EQ(timerProps[2].Name, "Left") << "design positions follow the published values";
    EXPECT_EQ(timerProps[3].Value.Int, 8);
    auto& dialogProps = model.Children.at(1).Properties;
    EXPECT_EQ(ValueOf(dialogProps, "Left"), nullptr) << "a position at the origin is not written";
    EXPECT_EQ(ValueOf(dialogProps, "FilterIndex")->Int, 2);
}
