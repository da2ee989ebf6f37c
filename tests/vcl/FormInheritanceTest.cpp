// Visual form inheritance: a descendant read over its ancestor's form file, what
// strict and lenient reading say when an ancestor is missing, errors named in the
// file that holds them, and descendants written as their differences.
#include "vcl/VclTestSupport.h"

#include <filesystem>
#include <fstream>

using namespace Vcl;
using namespace VclTest;
namespace fs = std::filesystem;

namespace {

class TFamily : public ::testing::Test {
protected:
    TFamily() {
        FDir = fs::temp_directory_path() /
               ("quorvel-family-" +
                String(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    ~TFamily() override {
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }
    String Write(const String& name, const String& text) const {
        std::ofstream(FDir / name, std::ios::binary) << text;
        return (FDir / name).string();
    }
    Sim::TDesktop desktop;
    fs::path FDir;
};

const char* const kBase = "object BaseDialog: TBaseDialog\n"
                          "  Caption = 'Base'\n"
                          "  ClientHeight = 200\n"
                          "  ClientWidth = 300\n"
                          "  PixelsPerInch = 96\n"
                          "  TextHeight = 13\n"
                          "  object ButtonPanel: TPanel\n"
                          "    Left = 0\n"
                          "    Top = 160\n"
                          "    Width = 300\n"
                          "    Height = 40\n"
                          "    TabOrder = 0\n"
                          "    object OkButton: TButton\n"
                          "      Left = 130\n"
                          "      Top = 8\n"
                          "      Width = 75\n"
                          "      Height = 25\n"
                          "      Caption = 'OK'\n"
                          "      TabOrder = 0\n"
                          "    end\n"
                          "  end\n"
                          "  object Timer1: TTimer\n"
                          "    Left = 8\n"
                          "    Top = 8\n"
                          "  end\n"
                          "end\n";

const char* const kDerived = "inherited NameDialog: TNameDialog\n"
                             "  Caption = 'Name'\n"
                             "  ClientWidth = 400\n"
                             "  PixelsPerInch = 96\n"
                             "  TextHeight = 13\n"
                             "  inherited ButtonPanel: TPanel\n"
                             "    Width = 400\n"
                             "    inherited OkButton: TButton\n"
                             "      Left = 230\n"
                             "    end\n"
                             "  end\n"
                             "  object NameEdit: TEdit\n"
                             "    Left = 8\n"
                             "    Top = 40\n"
                             "    Width = 200\n"
                             "    Height = 21\n"
                             "    TabOrder = 1\n"
                             "  end\n"
                             "end\n";

} // namespace

TEST_F(TFamily, ADescendantShowsItsAncestorsControlsAndWritesOnlyItsDifferences) {
    Write("BaseDialog.dfm", kBase);
    String path = Write("NameDialog.dfm", kDerived);
    auto form = LoadFormFile(path);
    EXPECT_EQ(form->Name(), "NameDialog");
    auto& form_ = dynamic_cast<TCustomForm&>(*form);
    EXPECT_EQ(form_.ClientWidth(), 400);
    EXPECT_EQ(form_.ClientHeight(), 200) << "the ancestor's value where the descendant has none";
    auto& ok = *Find<TButton>(*form, "OkButton");
    EXPECT_EQ(ok.Left(), 230);
    EXPECT_EQ(ok.Width(), 75);
    EXPECT_EQ(ok.GetText(), "OK");
    EXPECT_TRUE(ok.ComponentState().Contains(csAncestor));
    EXPECT_EQ(ok.Parent(), Find<TPanel>(*form, "ButtonPanel"));
    ASSERT_NE(form->FindComponent("Timer1"), nullptr);
    // New objects come after the inherited ones.
    EXPECT_EQ(form->Components(form->ComponentCount() - 1)->Name(), "NameEdit");
    EXPECT_FALSE(form->FindComponent("NameEdit")->ComponentState().Contains(csAncestor));

    EXPECT_EQ(SaveFormText(*form), kDerived);

    // A value set back to what the ancestor has disappears from the file; one
    // set back to the class default is written, as it undoes the ancestor's.
    ok.SetLeft(130);
    String text = SaveFormText(*form);
    EXPECT_EQ(text.find("OkButton"), String::npos) << text;
    ok.SetText("");
    EXPECT_NE(SaveFormText(*form).find("inherited OkButton: TButton\n      Caption = ''"),
              String::npos);
}

TEST_F(TFamily, TheUnitNamesTheAncestorUpAChainWithAFrameInside) {
    Write("BaseFrame.dfm", "object BaseFrame: TBaseFrame\n"
                           "  Width = 200\n"
                           "  Height = 100\n"
                           "  TabOrder = 0\n"
                           "  object Title: TLabel\n"
                           "    Left = 4\n"
                           "    Top = 4\n"
                           "    Width = 50\n"
                           "    Height = 13\n"
                           "    Caption = 'Title'\n"
                           "  end\n"
                           "end\n");
    // A frame derived from a base frame: nothing in the file tells its ancestor.
    Write("AddressFrame.dfm", "inherited AddressFrame: TAddressFrame\n"
                              "  object Street: TEdit\n"
                              "    Left = 4\n"
                              "    Top = 30\n"
                              "    Width = 150\n"
                              "    Height = 21\n"
                              "    TabOrder = 0\n"
                              "  end\n"
                              "end\n");
    Write("AddressFrame.pas", "unit AddressFrame;\ninterface\ntype\n"
                              "  TAddressFrame = class(BaseFrame.TBaseFrame)\n  end;\n");
    Write("Base.dfm", "object BaseForm: TBaseForm\n"
                      "  ClientHeight = 300\n"
                      "  ClientWidth = 400\n"
                      "  PixelsPerInch = 96\n"
                      "  TextHeight = 13\n"
                      "  inline Address: TAddressFrame\n"
                      "    Left = 10\n"
                      "    Top = 10\n"
                      "    TabOrder = 0\n"
                      "  end\n"
                      "end\n");
    Write("Middle.dfm", "inherited MiddleForm: TMiddleForm\n"
                        "  Caption = 'Middle'\n"
                        "  PixelsPerInch = 96\n"
                        "  TextHeight = 13\n"
                        "end\n");
    Write("Middle.pas", "type TMiddleForm = class(TBaseForm) end;\n");
    const String derived = "inherited Last: TLastForm\n"
                           "  PixelsPerInch = 96\n"
                           "  TextHeight = 13\n"
                           "  inherited Address: TAddressFrame\n"
                           "    inherited Street: TEdit\n"
                           "      Width = 250\n"
                           "    end\n"
                           "  end\n"
                           "end\n";
    String path = Write("Last.dfm", derived);
    Write("Last.pas", "type\n  TLastForm = class ( TMiddleForm )\n  end;\n");

    auto form = LoadFormFile(path);
    EXPECT_EQ(dynamic_cast<TControl&>(*form).GetText(), "Middle");
    auto& frame = *Find<TFrame>(*form, "Address");
    EXPECT_EQ(frame.Left(), 10);
    EXPECT_EQ(Find<TEdit>(frame, "Street")->Width(), 250);
    EXPECT_EQ(Find<TLabel>(frame, "Title")->GetText(), "Title") << "the frame's own ancestor";
    EXPECT_EQ(SaveFormText(*form), derived);
}

TEST_F(TFamily, AMissingAncestorIsAnErrorInStrictReadingAndAWarningInLenient) {
    Write("BaseDialog.dfm", kBase);
    String path = Write("Broken.dfm", "inherited Broken: TBroken\n"
                                      "  inherited ButtonPanel: TPanel\n"
                                      "    inherited NoSuchButton: TButton\n"
                                      "      Left = 1\n"
                                      "    end\n"
                                      "  end\n"
                                      "end\n");
    Write("Broken.pas", "type TBroken = class(TBaseDialog) end;\n");
    TFormLoadOptions options;
    try {
        LoadFormFile(path, options);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Reason(), "Ancestor for 'NoSuchButton' not found");
        EXPECT_EQ(e.FileName(), path);
        EXPECT_EQ(e.Line(), 3);
    }
    std::vector<String> warnings;
    options.Lenient = true;
    options.OnWarning = [&](const EReadError& e) { warnings.push_back(e.Reason()); };
    auto form = LoadFormFile(path, options);
    EXPECT_NE(form->FindComponent("NoSuchButton"), nullptr);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("NoSuchButton"), String::npos);

    // An inherited root whose ancestor is nowhere.
    String orphan = Write("Orphan.dfm", "inherited Orphan: TOrphan\n"
                                        "  object Other: TButton\n"
                                        "  end\n"
                                        "  object ButtonPanel: TPanel\n"
                                        "  end\n"
                                        "end\n");
    try {
        LoadFormFile(orphan);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Reason(), "Ancestor for 'Orphan' not found");
    }
}

TEST_F(TFamily, AnErrorInAFrameFileNamesThatFileAndTheFormThatIncludedIt) {
    Write("Frame2.dfm", "object Frame2: TFrame2\n"
                        "  TabOrder = 0\n"
                        "  object Web: TWebBrowser\n"
                        "  end\n"
                        "end\n");
    String form = Write("Form1.dfm", "object Form1: TForm1\n"
                                     "  ClientWidth = 100\n"
                                     "  inline Frame21: TFrame2\n"
                                     "  end\n"
                                     "end\n");
    try {
        LoadFormFile(form);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Reason(), "Class TWebBrowser not found");
        EXPECT_EQ(e.FileName(), (FDir / "Frame2.dfm").string());
        EXPECT_EQ(e.Line(), 3);
        EXPECT_EQ(e.Column(), 3);
        ASSERT_EQ(e.IncludedBy().size(), 1u);
        EXPECT_EQ(e.IncludedBy()[0].FileName, form);
        EXPECT_EQ(e.IncludedBy()[0].Line, 3);
    }
}

namespace {

const char* const kPanels = "object PanelsForm: TPanelsForm\n"
                            "  ClientHeight = 300\n"
                            "  ClientWidth = 400\n"
                            "  PixelsPerInch = 96\n"
                            "  TextHeight = 13\n"
                            "  object Header: TPanel\n"
                            "    Left = 0\n"
                            "    Top = 0\n"
                            "    Width = 400\n"
                            "    Height = 40\n"
                            "    Align = alTop\n"
                            "    TabOrder = 0\n"
                            "  end\n"
                            "  object Toolbar: TPanel\n"
                            "    Left = 0\n"
                            "    Top = 0\n"
                            "    Width = 400\n"
                            "    Height = 30\n"
                            "    Align = alTop\n"
                            "    TabOrder = 1\n"
                            "  end\n"
                            "  object Body: TPanel\n"
                            "    Left = 0\n"
                            "    Top = 70\n"
                            "    Width = 400\n"
                            "    Height = 230\n"
                            "    Align = alClient\n"
                            "    TabOrder = 2\n"
                            "  end\n"
                            "end\n";

std::vector<String> ControlNames(const TComponent& parent) {
    std::vector<String> names;
    const auto& win = dynamic_cast<const TWinControl&>(parent);
    for (int i = 0; i < win.ControlCount(); ++i)
        names.push_back(win.Controls(i)->Name());
    return names;
}

} // namespace

// `[n]` after the class puts a control at that place among its parent's controls:
// it comes first among controls of the same alignment at the same position, and
// writing keeps it where neither the ancestor nor the order of the file would.
TEST_F(TFamily, ChildPositionsPutControlsInPlaceAndSurviveWriting) {
    Write("PanelsForm.dfm", kPanels);
    const String derived = "inherited SplitForm: TSplitForm\n"
                           "  PixelsPerInch = 96\n"
                           "  TextHeight = 13\n"
                           "  inherited Toolbar: TPanel [0]\n"
                           "  end\n"
                           "  object Splitter1: TSplitter [1]\n"
                           "    Left = 0\n"
                           "    Top = 0\n"
                           "    Width = 400\n"
                           "    Height = 4\n"
                           "    Cursor = crVSplit\n"
                           "    Align = alTop\n"
                           "  end\n"
                           "end\n";
    auto form = LoadFormFile(Write("SplitForm.dfm", derived));
    EXPECT_EQ(ControlNames(*form), (std::vector<String>{"Toolbar", "Splitter1", "Header", "Body"}));
    // Same alignment and position: the list order decides who is on top.
    EXPECT_EQ(Find<TPanel>(*form, "Toolbar")->Top(), 0);
    EXPECT_EQ(Find<TSplitter>(*form, "Splitter1")->Top(), 30);
    EXPECT_EQ(Find<TPanel>(*form, "Header")->Top(), 34);
    EXPECT_EQ(Find<TPanel>(*form, "Body")->Top(), 74);
    // Written with the positions (and the bounds alignment gave), it reads back the same.
    const String written = SaveFormText(*form);
    EXPECT_NE(written.find("inherited Toolbar: TPanel [0]\n"), String::npos) << written;
    EXPECT_NE(written.find("object Splitter1: TSplitter [1]\n"), String::npos) << written;
    auto reread = LoadFormFile(Write("SplitForm.dfm", written));
    EXPECT_EQ(ControlNames(*reread), ControlNames(*form));
    EXPECT_EQ(SaveFormText(*reread), written);

    // Without positions the ancestor's order holds and the splitter comes last.
    const String plain = "inherited SplitForm: TSplitForm\n"
                         "  PixelsPerInch = 96\n"
                         "  TextHeight = 13\n"
                         "  object Splitter1: TSplitter\n"
                         "    Left = 0\n    Top = 0\n    Width = 400\n    Height = 4\n"
                         "    Align = alTop\n"
                         "  end\n"
                         "end\n";
    form = LoadFormFile(Write("SplitForm.dfm", plain));
    EXPECT_EQ(ControlNames(*form), (std::vector<String>{"Header", "Toolbar", "Body", "Splitter1"}));
    EXPECT_EQ(Find<TSplitter>(*form, "Splitter1")->Top(), 70);
    EXPECT_EQ(SaveFormText(*form).find('['), String::npos);

    // An order changed after reading is written as positions, and reads back the same.
    auto& win = dynamic_cast<TWinControl&>(*form);
    win.SetChildOrder(form->FindComponent("Body"), 0);
    win.SetChildOrder(form->FindComponent("Splitter1"), 1);
    const std::vector<String> changed{"Body", "Splitter1", "Header", "Toolbar"};
    ASSERT_EQ(ControlNames(*form), changed);
    const String text = SaveFormText(*form);
    EXPECT_NE(text.find("inherited Body: TPanel [0]\n"), String::npos) << text;
    EXPECT_NE(text.find("object Splitter1: TSplitter [1]\n"), String::npos) << text;
    auto again = LoadFormFile(Write("SplitForm.dfm", text));
    EXPECT_EQ(ControlNames(*again), changed);
    EXPECT_EQ(SaveFormText(*again), text);
}

TEST_F(TFamily, ChildPositionsInAPlainFormAreClampedToTheList) {
    const String text = "object Form1: TForm1\n"
                        "  ClientHeight = 100\n"
                        "  ClientWidth = 100\n"
                        "  object A: TPanel [5]\n"
                        "    TabOrder = 0\n"
                        "  end\n"
                        "  object B: TPanel\n"
                        "    TabOrder = 1\n"
                        "  end\n"
                        "  object C: TPanel [0]\n"
                        "    TabOrder = 2\n"
                        "  end\n"
                        "end\n";
    auto form = LoadFormText(text);
    EXPECT_EQ(ControlNames(*form), (std::vector<String>{"C", "A", "B"}));
    // Written as the order reading makes: only C needs its place.
    const String written = SaveFormText(*form);
    EXPECT_EQ(written.find("A: TPanel ["), String::npos) << written;
    EXPECT_NE(written.find("object C: TPanel [0]\n"), String::npos) << written;
    EXPECT_EQ(ControlNames(*LoadFormText(written)), ControlNames(*form));
}

// An inherited control put on another parent is written where it now is, even
// when none of its own values changed, so reading the file puts it there again.
TEST_F(TFamily, AnInheritedControlOnAnotherParentIsWrittenThere) {
    Write("BaseDialog.dfm", kBase);
    auto form = LoadFormFile(Write("NameDialog.dfm", kDerived));
    auto& ok = *Find<TButton>(*form, "OkButton");
    ok.SetParent(&dynamic_cast<TWinControl&>(*form));
    ok.SetLeft(130); // the ancestor's values
    ok.SetTop(8);
    const String text = SaveFormText(*form);
    auto again = LoadFormFile(Write("NameDialog.dfm", text));
    EXPECT_EQ(Find<TButton>(*again, "OkButton")->Parent(), again.get()) << text;
    EXPECT_EQ(SaveFormText(*again), text);
}

// An inherited object of a class the framework does not have is what its
// ancestor object is, however little the descendant stores of it: buttons moved
// in a descendant stay controls, a timer moved stays a component.
TEST_F(TFamily, AnInheritedObjectOfAnUnknownClassTakesItsAncestorObjectsKind) {
    Write("VendorBase.dfm", "object VendorBase: TVendorBase\n"
                            "  ClientHeight = 200\n"
                            "  ClientWidth = 300\n"
                            "  object Go: TVendorButton\n"
                            "    Left = 8\n"
                            "    Top = 8\n"
                            "    Width = 75\n"
                            "    Height = 25\n"
                            "    Caption = 'Go'\n"
                            "    TabOrder = 0\n"
                            "  end\n"
                            "  object Tick: TVendorTimer\n"
                            "    Interval = 10\n"
                            "    Left = 40\n"
                            "    Top = 40\n"
                            "  end\n"
                            "end\n");
    const String path = Write("VendorChild.dfm", "inherited VendorChild: TVendorChild\n"
                                                 "  inherited Go: TVendorButton\n"
                                                 "    Left = 100\n"
                                                 "    Top = 120\n"
                                                 "  end\n"
                                                 "  inherited Tick: TVendorTimer\n"
                                                 "    Left = 60\n"
                                                 "    Top = 60\n"
                                                 "  end\n"
                                                 "end\n");
    Write("VendorChild.pas", "type TVendorChild = class(TVendorBase) end;\n");
    TFormLoadOptions options;
    options.Lenient = true;
    auto form = LoadFormFile(path, options);
    auto* go = dynamic_cast<TControl*>(form->FindComponent("Go"));
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->Left(), 100);
    EXPECT_EQ(go->Width(), 75);
    EXPECT_EQ(dynamic_cast<TControl*>(form->FindComponent("Tick")), nullptr);
}
