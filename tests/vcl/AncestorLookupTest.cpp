// Where an inherited form's ancestor comes from, in the order the library looks:
// the unit beside the form, the project files, the form files by the objects
// they hold; copies of one class told apart; every file read once per run; and
// errors named in the file that holds them with each file on the way.
#include "vcl/VclTestSupport.h"

#include "quorvel/vcl/FormLibrary.h"

#include <filesystem>
#include <fstream>

using namespace Vcl;
using namespace VclTest;
namespace fs = std::filesystem;

namespace {

class TLookup : public ::testing::Test {
protected:
    TLookup() {
        FDir = fs::temp_directory_path() /
               ("quorvel-lookup-" +
                String(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(FDir);
        // Forms two levels down, so that the project folders looked in (the
        // form's and the two above it) stay inside the test's own.
        fs::create_directories(FDir / "app" / "forms");
    }
    ~TLookup() override {
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }
    String Write(const String& name, const String& text) const {
        const fs::path path = FDir / "app" / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    void Remove(const String& name) const { fs::remove(FDir / "app" / name); }
    String Path(const String& name) const { return (FDir / "app" / name).string(); }

    // The file the form was read over, or "none".
    String AncestorOf(const String& path, TFormLoadOptions options = {}) {
        options.Lenient = true;
        const auto form = LoadFormFile(path, options);
        return form->Ancestry() ? fs::path(form->Ancestry()->FileName).filename().string()
                                : String("none");
    }

    Sim::TDesktop desktop;
    fs::path FDir;
};

// A form with a panel and, optionally, more named controls.
String Base(const String& cls, std::initializer_list<const char*> more = {},
            const char* extra = "") {
    String text = "object " + cls.substr(1) + ": " + cls +
                  "\n  ClientHeight = 200\n  ClientWidth = 300\n  PixelsPerInch = 96\n"
                  "  TextHeight = 13\n" +
                  extra +
                  "  object Panel1: TPanel\n    Left = 0\n    Top = 0\n    Width = 300\n"
                  "    Height = 40\n    TabOrder = 0\n  end\n";
    for (const char* name : more)
        text += String("  object ") + name +
                ": TButton\n    Left = 8\n    Top = 50\n"
                "    Width = 75\n    Height = 25\n  end\n";
    return text + "end\n";
}

const char* const kDescendant = "inherited Orders: TOrders\n"
                                "  Caption = 'Orders'\n"
                                "  inherited Panel1: TPanel\n"
                                "    Height = 50\n"
                                "  end\n"
                                "end\n";

} // namespace

TEST_F(TLookup, TheUnitBesideThenTheProjectThenTheObjects) {
    Write("forms/BaseA.dfm", Base("TBaseA"));
    Write("forms/BaseB.dfm", Base("TBaseB", {"Extra"}));
    Write("forms/BaseC.dfm", Base("TBaseC", {"Extra", "More"}));
    const String form = Write("forms/Orders.dfm", kDescendant);
    // The beside unit declares several classes, with a comment in the header.
    Write("forms/Orders.pas", "unit Orders;\ninterface\ntype\n  THelper = class(TObject);\n"
                              "  TOrders = class {sealed} (Forms.TBaseC)\n  end;\n");
    // The project names another unit for the form Orders (the unit's name need
    // not be the form file's).
    Write("App.dpr", "program App;\nuses\n  Forms,\n"
                     "  OrdersUnit in 'forms\\OrdersUnit.pas' {Orders};\nbegin\nend.\n");
    Write("forms/OrdersUnit.pas", "type TOrders = class(TBaseB) end;\n");
    EXPECT_EQ(AncestorOf(form), "BaseC.dfm");
    Remove("forms/Orders.pas");
    EXPECT_EQ(AncestorOf(form), "BaseB.dfm");
    // An MSBuild project the same; any of its units may declare the class.
    Remove("App.dpr");
    Write("App.dproj", "<Project><ItemGroup>\n"
                       "<DCCReference Include=\"forms\\Other.pas\"><Form>Other</Form>"
                       "</DCCReference>\n<DCCReference Include=\"Shared.pas\"/>\n"
                       "</ItemGroup></Project>\n");
    Write("Shared.pas", "type\n  TOrders = class(TBaseC)\n  end;\n");
    EXPECT_EQ(AncestorOf(form), "BaseC.dfm");
    // Without any unit: the objects, and of the files that hold them the one
    // that adds the fewest.
    Remove("App.dproj");
    EXPECT_EQ(AncestorOf(form), "BaseA.dfm");
    // A unit's word holds even where the objects would tell otherwise, and a
    // class it names that has no form file ends the lookup.
    Write("forms/Orders.pas", "type TOrders = class(TMissing);\n");
    EXPECT_EQ(AncestorOf(form), "none");
    try {
        LoadFormFile(form);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Reason(), "Ancestor for 'Orders' not found");
        EXPECT_EQ(e.FileName(), form);
        EXPECT_EQ(e.Line(), 1);
    }
}

// A parent class without a form file of its own is followed up the units, and
// of two files of the ancestor's class the one holding the inherited objects
// wins over the first found.
TEST_F(TLookup, IntermediateClassesAndCopiesOfTheAncestor) {
    Write("forms/Orders.pas", "type\n  TOrders = class(TMiddle)\n  end;\n"
                              "  TMiddle = class(TBase<TOrder>)\n  end;\n");
    Write("old/Base.dfm", Base("TBase"));
    Write("new/Base.dfm", Base("TBase", {"Special"}));
    const String form = Write("forms/Orders.dfm", "inherited Orders: TOrders\n"
                                                  "  inherited Special: TButton\n"
                                                  "    Caption = 'Special'\n"
                                                  "  end\n"
                                                  "end\n");
    TFormLoadOptions options;
    options.SearchDirs = {Path("old"), Path("new")};
    EXPECT_EQ(AncestorOf(form, options), "Base.dfm");
    auto loaded = LoadFormFile(form, options);
    EXPECT_EQ(loaded->Ancestry()->FileName, Path("new/Base.dfm"));
    EXPECT_EQ(Find<TButton>(*loaded, "Special")->GetText(), "Special");
    Write("forms/Orders.dfm", kDescendant);
    EXPECT_EQ(LoadFormFile(form, options)->Ancestry()->FileName, Path("old/Base.dfm"));
}

// Without units, a base form with many descendants: each descendant is read
// over the base, not over a sibling that holds the same objects; an object a
// descendant inherits from a middle form names the middle form; forms and
// frames keep to their kind; an inline frame of a class tells what the class
// inherits when its own file says nothing.
TEST_F(TLookup, TheObjectsTellBaseFromSiblingsAndFormsFromFrames) {
    Write("forms/Base.dfm", Base("TBase", {"OkButton", "CancelButton"}));
    for (int i = 0; i < 4; ++i)
        Write("forms/Sibling" + std::to_string(i) + ".dfm",
              "inherited Sibling" + std::to_string(i) + ": TSibling" + std::to_string(i) +
                  "\n  inherited OkButton: TButton\n    Caption = 'Go'\n  end\n" +
                  (i % 2 ? ""
                         : "  object Edit" + std::to_string(i) +
                               ": TEdit\n    Left = 1\n    Top = 1\n"
                               "    Width = 9\n    Height = 9\n  end\n") +
                  "end\n");
    Write("forms/Middle.dfm", "inherited Middle: TMiddle\n"
                              "  object Grid: TStringGrid\n    Left = 0\n    Top = 90\n"
                              "    Width = 100\n    Height = 100\n  end\n"
                              "end\n");
    const String ofMiddle = Write("forms/OfMiddle.dfm", "inherited OfMiddle: TOfMiddle\n"
                                                        "  inherited Grid: TStringGrid\n"
                                                        "    Width = 200\n"
                                                        "  end\n"
                                                        "end\n");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(AncestorOf(Path("forms/Sibling" + std::to_string(i) + ".dfm")), "Base.dfm") << i;
    EXPECT_EQ(AncestorOf(Path("forms/Middle.dfm")), "Base.dfm");
    EXPECT_EQ(AncestorOf(ofMiddle), "Middle.dfm");
    auto loaded = LoadFormFile(ofMiddle);
    EXPECT_EQ(Find<TButton>(*loaded, "CancelButton")->Width(), 75) << "the base's, through Middle";

    // An empty form base and an empty frame base: each descendant its kind.
    Write("frames/EmptyForm.dfm", "object EmptyForm: TEmptyForm\n  ClientHeight = 100\n"
                                  "  ClientWidth = 100\n  PixelsPerInch = 96\n"
                                  "  TextHeight = 13\nend\n");
    Write("frames/EmptyFrame.dfm", "object EmptyFrame: TEmptyFrame\n  Width = 100\n"
                                   "  Height = 100\n  TabOrder = 0\nend\n");
    Write("frames/ListFrame.dfm", "object ListFrame: TListFrame\n  Width = 100\n"
                                  "  Height = 100\n  TabOrder = 0\n"
                                  "  object List: TListBox\n    Left = 0\n    Top = 0\n"
                                  "    Width = 100\n    Height = 100\n  end\nend\n");
    const String form = Write("frames/Dialog.dfm", "inherited Dialog: TDialog\n"
                                                   "  Caption = 'Dialog'\n"
                                                   "end\n");
    const String frame = Write("frames/Panel.dfm", "inherited PanelFrame: TPanelFrame\n"
                                                   "  TabOrder = 1\n"
                                                   "end\n");
    EXPECT_EQ(AncestorOf(form), "EmptyForm.dfm");
    EXPECT_EQ(AncestorOf(frame), "EmptyFrame.dfm");
    // Nothing at all in the file, but a form using it as a frame inherits List.
    const String bare = Write("frames/Bare.dfm", "inherited Bare: TBare\nend\n");
    EXPECT_EQ(AncestorOf(bare), "none");
    Write("frames/User.dfm", "object User: TUser\n  ClientHeight = 100\n  ClientWidth = 100\n"
                             "  inline Bare1: TBare\n    Left = 0\n    Top = 0\n"
                             "    inherited List: TListBox\n      Width = 50\n    end\n"
                             "  end\nend\n");
    EXPECT_EQ(AncestorOf(bare), "ListFrame.dfm");
    // Two form bases that fit equally well are no answer.
    Write("frames/OtherEmptyForm.dfm", "object OtherEmptyForm: TOtherEmptyForm\n"
                                       "  ClientHeight = 100\n  ClientWidth = 100\nend\n");
    EXPECT_EQ(AncestorOf(form), "none");
}

// One library for a run: the folder is indexed once from the first line of each
// file, the ancestor is read once for all its descendants, and files nothing
// needs are never read whole.
TEST_F(TLookup, ARunReadsEachFileOnce) {
    Write("forms/Base.dfm", Base("TBase", {"OkButton"}));
    std::vector<String> forms;
    for (int i = 0; i < 6; ++i) {
        const String n = std::to_string(i);
        forms.push_back(Write("forms/Form" + n + ".dfm",
                              "inherited Form" + n + ": TForm" + n +
                                  "\n  inherited OkButton: TButton\n    Caption = 'Go'\n"
                                  "  end\nend\n"));
        Write("forms/Form" + n + ".pas", "type TForm" + n + " = class(TBase) end;\n");
    }
    for (int i = 0; i < 5; ++i)
        Write("forms/Plain" + std::to_string(i) + ".dfm", Base("TPlain" + std::to_string(i)));
    TFormLoadOptions options;
    options.Library = std::make_shared<TFormLibrary>();
    for (const String& form : forms)
        EXPECT_EQ(Find<TButton>(*LoadFormFile(form, options), "OkButton")->GetText(), "Go");
    TFormLibrary::TCounts counts = options.Library->Counts();
    EXPECT_EQ(counts.Folders, 1u);
    EXPECT_EQ(counts.RootLines, 12u);
    EXPECT_EQ(counts.Documents, 7u) << "the six forms and their base, not the plain forms";
    EXPECT_EQ(counts.Units, 6u);

    // Without units the objects decide, and every form file is read, once.
    for (int i = 0; i < 6; ++i)
        Remove("forms/Form" + std::to_string(i) + ".pas");
    options.Library = std::make_shared<TFormLibrary>();
    for (const String& form : forms)
        EXPECT_EQ(AncestorOf(form, options), "Base.dfm");
    counts = options.Library->Counts();
    EXPECT_EQ(counts.RootLines, 12u);
    EXPECT_EQ(counts.Documents, 12u);
}

// An error names the file and line that hold it, then each file on the way to
// the form named: an ancestor's ancestor, a frame inside an ancestor, a frame
// file that does not read, an ancestor that is missing further up.
TEST_F(TLookup, EveryDiagnosticNamesItsFileThenEachFileOnTheWay) {
    Write("forms/Base.dfm", "object Base: TBase\n  ClientHeight = 100\n  ClientWidth = 100\n"
                            "  inline Address1: TAddress\n    Left = 0\n    Top = 0\n"
                            "  end\nend\n");
    Write("forms/Base.pas", "type TBase = class(TForm);\n");
    Write("forms/Address.dfm", "object Address: TAddress\n  TabOrder = 0\n"
                               "  object Street: TEdit\n    Bogus = 1\n  end\nend\n");
    Write("forms/Middle.dfm", "inherited Middle: TMiddle\n  Caption = 'Middle'\nend\n");
    Write("forms/Middle.pas", "type TMiddle = class(TBase);\n");
    const String form = Write("forms/Last.dfm", "inherited Last: TLast\n  Caption = 'Last'\nend\n");
    Write("forms/Last.pas", "type TLast = class(TMiddle);\n");
    auto way = [](const EReadError& e) {
        String text = fs::path(e.FileName()).filename().string() + ":" + std::to_string(e.Line());
        for (const auto& by : e.IncludedBy())
            text +=
                " < " + fs::path(by.FileName).filename().string() + ":" + std::to_string(by.Line);
        return text;
    };
    auto errorOf = [&](const String& path, TFormLoadOptions options = {}) {
        try {
            LoadFormFile(path, options);
        } catch (const EReadError& e) {
            return way(e);
        }
        return String("no error");
    };
    EXPECT_EQ(errorOf(form), "Address.dfm:4 < Base.dfm:4 < Middle.dfm:1 < Last.dfm:1");

    // A frame file that does not read is the error, not a frame without a file.
    Write("forms/Address.dfm", "object Address: TAddress\n  TabOrder = \nend\n");
    EXPECT_EQ(errorOf(form), "Address.dfm:2 < Base.dfm:4 < Middle.dfm:1 < Last.dfm:1");

    // The ancestor missing further up: in the file that names it.
    Write("forms/Middle.pas", "type TMiddle = class(TGone);\n");
    EXPECT_EQ(errorOf(form), "Middle.dfm:1 < Last.dfm:1");
    std::vector<String> warnings;
    TFormLoadOptions lenient;
    lenient.Lenient = true;
    lenient.OnWarning = [&](const EReadError& e) { warnings.push_back(way(e)); };
    LoadFormFile(form, lenient);
    EXPECT_EQ(warnings, std::vector<String>{"Middle.dfm:1 < Last.dfm:1"});
}
