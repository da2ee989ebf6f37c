// Reading form files into live components: where errors are reported, the order
// of setters and Loaded, published fields, frames, unregistered classes and
// lenient reading.
#include "vcl/VclTestSupport.h"

#include <filesystem>
#include <fstream>

using namespace Vcl;
using namespace VclTest;
namespace fs = std::filesystem;

namespace {

struct TLogEntry {
    String Who;
    String What;
    bool Loading;
    bool Reading;
    bool operator==(const TLogEntry&) const = default;
};
std::vector<TLogEntry> Log;

void Record(const TComponent& c, const String& what) {
    Log.push_back({c.Name(), what, c.ComponentState().Contains(csLoading),
                   c.ComponentState().Contains(csReading)});
}

// A control that records every setter call and its Loaded.
class TProbe : public TWinControl {
    QV_CLASS_INFO
public:
    using TWinControl::TWinControl;
    int Value() const { return FValue; }
    void SetValue(int value) {
        Record(*this, "Value=" + std::to_string(value));
        FValue = value;
    }
    const String& Note() const { return FNote; }
    void SetNote(const String& note) {
        Record(*this, "Note=" + note);
        FNote = note;
    }
    void Loaded() override {
        Record(*this, "Loaded");
        TWinControl::Loaded();
    }

private:
    int FValue = 0;
    String FNote;
};

const TClassInfo& TProbe::StaticClass() {
    static const TClassInfo info{"TProbe",
                                 &TWinControl::StaticClass(),
                                 {IntProp<TProbe>("Value", &TProbe::Value, &TProbe::SetValue, 0),
                                  StrProp<TProbe>("Note", &TProbe::Note, &TProbe::SetNote)},
                                 {},
                                 &CreateInstance<TProbe>};
    return info;
}

// A form class with published fields for two of its components.
class TProbeForm : public TForm {
    QV_CLASS_INFO
public:
    using TForm::TForm;
    TComponent* Probe1 = nullptr;
    TComponent* Edit1 = nullptr;
    bool FieldsSetBeforeLoaded = false;
    void Loaded() override {
        Record(*this, "Loaded");
        FieldsSetBeforeLoaded = Probe1 != nullptr && Edit1 != nullptr;
        TForm::Loaded();
    }
};

const TClassInfo& TProbeForm::StaticClass() {
    static const TClassInfo info{
        "TProbeForm",
        &TForm::StaticClass(),
        {},
        {{"Probe1", [](TObject& o) { return &static_cast<TProbeForm&>(o).Probe1; }},
         {"Edit1", [](TObject& o) { return &static_cast<TProbeForm&>(o).Edit1; }}},
        &CreateInstance<TProbeForm>};
    return info;
}

class FormReading : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClasses({&TProbe::StaticClass(), &TProbeForm::StaticClass()});
        Log.clear();
    }
    void TearDown() override {
        UnRegisterClass(TProbe::StaticClass());
        UnRegisterClass(TProbeForm::StaticClass());
    }

    static TFormLoadOptions Named(const char* fileName, bool lenient = false) {
        TFormLoadOptions options;
        options.FileName = fileName;
        options.Lenient = lenient;
        return options;
    }

    Sim::TDesktop desktop;
};

// A folder of its own for form files, removed afterwards.
class TTempDir {
public:
    TTempDir() {
        FPath = fs::temp_directory_path() /
                ("quorvel-vcl-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FPath);
        fs::create_directories(FPath);
    }
    ~TTempDir() {
        std::error_code ec;
        fs::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    String Write(const String& name, const String& text) const {
        fs::path path = FPath / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    fs::path Path() const { return FPath; }

private:
    fs::path FPath;
};

const char* const kFrameFile = "object Frame2: TFrame2\n"
                               "  Left = 0\n"
                               "  Top = 0\n"
                               "  Width = 200\n"
                               "  Height = 120\n"
                               "  TabOrder = 0\n"
                               "  object Title: TLabel\n"
                               "    Left = 4\n"
                               "    Top = 4\n"
                               "    Caption = 'Frame title'\n"
                               "  end\n"
                               "  object Inner: TPanel\n"
                               "    Left = 4\n"
                               "    Top = 24\n"
                               "    Width = 190\n"
                               "    Height = 90\n"
                               "    Caption = 'inner'\n"
                               "    object Go: TButton\n"
                               "      Caption = 'Go'\n"
                               "      OnClick = GoClick\n"
                               "    end\n"
                               "  end\n"
                               "end\n";

const char* const kFormWithFrame = "object Form1: TForm1\n"
                                   "  Caption = 'Host'\n"
                                   "  ClientHeight = 300\n"
                                   "  ClientWidth = 400\n"
                                   "  inline Frame21: TFrame2\n"
                                   "    Left = 8\n"
                                   "    Top = 16\n"
                                   "    TabOrder = 3\n"
                                   "    inherited Inner: TPanel\n"
                                   "      Caption = 'overridden'\n"
                                   "      inherited Go: TButton\n"
                                   "        Left = 50\n"
                                   "      end\n"
                                   "    end\n"
                                   "  end\n"
                                   "end\n";

} // namespace

// ---- Errors ----------------------------------------------------------------------------

TEST_F(FormReading, ErrorsCarryFileLineAndColumn) {
    struct TCase {
        const char* Text;
        int Line, Column;
        const char* Contains;
    };
    const TCase cases[] = {
        {"object Form1: TForm\n  object X: TNoSuchClass\n  end\nend\n", 2, 3, "TNoSuchClass"},
        {"object Form1: TForm\n  object B: TButton\n    Colour = clRed\n  end\nend\n", 3, 5,
         "Colour"},
        {"object Form1: TForm\n  object B: TButton\n    Caption = 12\n  end\nend\n", 3, 5,
         "Caption"},
        {"object Form1: TForm\n  Left = 'ten'\nend\n", 2, 3, "Left"},
        {"object Form1: TForm\n  object B: TButton\n    Align = alMiddle\n  end\nend\n", 3, 5,
         "alMiddle"},
        {"object Form1: TForm\n  object B: TButton\n    Anchors = [akLeft, akAround]\n  end\nend\n",
         3, 5, "akAround"},
        {"object Form1: TForm\n  object B: TButton\n    Font.Slant = 3\n  end\nend\n", 3, 5,
         "Font.Slant"},
        {"object Form1: TForm\n  object E: TEdit\n    MaxLength = -1\n  end\nend\n", 3, 5,
         "MaxLength"},
        {"object Form1: TForm\n  object E: TEdit\n    PasswordChar = '**'\n  end\nend\n", 3, 5,
         "PasswordChar"},
        {"object Form1: TForm\n  object S: TShape\n    Pen.Width = 0\n  end\nend\n", 3, 5, "pen"},
        // Values of defined properties are reported where the value stands.
        {"object Form1: TForm\n  object T: TTimer\n    Left = 'x'\n  end\nend\n", 3, 12, "integer"},
        {"object Form1: TForm\n  object I: TImage\n    Picture.Data = 'png'\n  end\nend\n", 3, 20,
         "binary"},
        {"object Form1: TForm\n  object A: TButton\n  end\n  object a: TEdit\n  end\nend\n", 4, 3,
         "already exists"},
        {"object Form1: TForm\n  object 1: TButton\n  end\nend\n", 2, 10, "'1'"},
    };
    for (const TCase& c : cases) {
        EReadError e = LoadError(c.Text, Named("forms/Main.dfm"));
        EXPECT_EQ(e.FileName(), "forms/Main.dfm") << c.Text;
        EXPECT_EQ(e.Line(), c.Line) << c.Text << e.what();
        EXPECT_EQ(e.Column(), c.Column) << c.Text << e.what();
        EXPECT_NE(AnsiLowerCase(e.Message()).find(AnsiLowerCase(c.Contains)), String::npos)
            << e.what();
        EXPECT_EQ(String(e.what()).rfind("forms/Main.dfm:" + std::to_string(c.Line) + ":", 0), 0u)
            << e.what();
    }
}

TEST_F(FormReading, AFailedReadLeavesNoWindowsBehind) {
    LoadError("object Form1: TForm\n"
              "  object P: TPanel\n"
              "    object B: TButton\n"
              "    end\n"
              "  end\n"
              "  object E: TEdit\n"
              "    MaxLength = -5\n"
              "  end\n"
              "end\n");
    EXPECT_EQ(desktop.WindowCount(), 0u);
}

// ---- Order of reading -----------------------------------------------------------------

TEST_F(FormReading, SettersRunInFileOrderWhileLoadingThenLoadedRootFirst) {
    auto form = LoadAs<TProbeForm>("object Main: TProbeForm\n"
                                   "  object Probe1: TProbe\n"
                                   "    Note = 'first'\n"
                                   "    Value = 1\n"
                                   "    object Probe2: TProbe\n"
                                   "      Value = 2\n"
                                   "    end\n"
                                   "  end\n"
                                   "  object Edit1: TEdit\n"
                                   "  end\n"
                                   "  object Probe3: TProbe\n"
                                   "    Value = 3\n"
                                   "    Note = 'last'\n"
                                   "  end\n"
                                   "end\n");
    const std::vector<TLogEntry> expected{
        {"Probe1", "Note=first", true, true}, {"Probe1", "Value=1", true, true},
        {"Probe2", "Value=2", true, true},    {"Probe3", "Value=3", true, true},
        {"Probe3", "Note=last", true, true},  {"Main", "Loaded", true, false},
        {"Probe1", "Loaded", true, false},    {"Probe2", "Loaded", true, false},
        {"Probe3", "Loaded", true, false},
    };
    EXPECT_EQ(Log, expected);
    EXPECT_TRUE(form->FieldsSetBeforeLoaded);
    EXPECT_EQ(form->Probe1, form->FindComponent("Probe1"));
    EXPECT_EQ(form->Edit1, form->FindComponent("Edit1"));
    for (int i = 0; i < form->ComponentCount(); ++i) {
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading));
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csReading));
    }
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));

    // Freeing a component empties the field that referred to it.
    delete form->FindComponent("Edit1");
    EXPECT_EQ(form->Edit1, nullptr);
}

TEST_F(FormReading, ClientSizeSurvivesABorderStyleLaterInTheFile) {
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  ClientHeight = 200\n"
                              "  ClientWidth = 300\n"
                              "  BorderStyle = bsDialog\n"
                              "end\n");
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    form->HandleNeeded();
    Win32::RECT client{};
    Win32::GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(form->Width(), 300 + 2 * Sim::FrameBorder(Win32::WS_POPUP | Win32::WS_CAPTION,
                                                        Win32::WS_EX_DLGMODALFRAME));
}

TEST_F(FormReading, AFormSmallerThanItsFrameHasAnEmptyClientArea) {
    auto form = LoadAs<TForm>("object Form1: TForm\n"
                              "  ClientHeight = 0\n"
                              "  ClientWidth = 0\n"
                              "end\n");
    EXPECT_EQ(form->ClientWidth(), 0);
    EXPECT_EQ(form->ClientHeight(), 0);
    form->SetBounds(0, 0, 2, 2);
    EXPECT_EQ(form->ClientWidth(), 0);
    String text = SaveFormText(*form);
    EXPECT_NE(text.find("ClientWidth = 0\n"), String::npos) << text;
    EXPECT_EQ(Resave(text), text);
}

// ---- Frames ------------------------------------------------------------------------------

TEST_F(FormReading, InlineFrameComesFromItsOwnFileBesideTheForm) {
    TTempDir dir;
    dir.Write("Frame2.dfm", kFrameFile);
    String formPath = dir.Write("Form1.dfm", kFormWithFrame);
    auto form = LoadFormFile(formPath);

    auto& frame = *Find<TFrame>(*form, "Frame21");
    EXPECT_EQ(frame.ClassName(), "TFrame2");
    EXPECT_TRUE(frame.ComponentState().Contains(csInline));
    EXPECT_EQ(frame.Parent(), form.get());
    EXPECT_EQ(frame.Left(), 8) << "the block's overrides come after the frame's file";
    EXPECT_EQ(frame.Width(), 200) << "values of the frame's file stay where not overridden";
    EXPECT_EQ(frame.TabOrder(), 3);
    EXPECT_EQ(form->FindComponent("Inner"), nullptr) << "the frame owns its components";
    auto& inner = *Find<TPanel>(frame, "Inner");
    auto& go = *Find<TButton>(frame, "Go");
    EXPECT_EQ(inner.GetText(), "overridden");
    EXPECT_EQ(go.Left(), 50);
    EXPECT_EQ(go.GetText(), "Go");
    EXPECT_EQ(go.OnClick.Method().Name, "GoClick");
    EXPECT_EQ(go.Parent(), &inner);
    EXPECT_EQ(Find<TLabel>(frame, "Title")->GetText(), "Frame title");
    ASSERT_NE(frame.FieldAddress("Go"), nullptr) << "a frame class with no table gets fields";
    EXPECT_EQ(*frame.FieldAddress("Go"), &go);
    EXPECT_EQ(*form->FieldAddress("Frame21"), &frame);

    String text = SaveFormText(*form);
    EXPECT_NE(text.find("inline Frame21: TFrame2\n"), String::npos) << text;
    EXPECT_NE(text.find("inherited Inner: TPanel\n"), String::npos) << text;
    EXPECT_NE(text.find("inherited Go: TButton\n"), String::npos) << text;
    TFormLoadOptions options;
    options.FileName = formPath;
    auto again = LoadFormText(text, options);
    EXPECT_EQ(SaveFormText(*again), text);
    EXPECT_EQ(Find<TButton>(*Find<TFrame>(*again, "Frame21"), "Go")->Left(), 50);
}

TEST_F(FormReading, InlineFrameFromTheGivenFrameFiles) {
    TTempDir frames;
    String framePath = frames.Write("SomeName.txt", kFrameFile);
    TFormLoadOptions options;
    options.FrameFiles = {framePath};
    auto form = Load(kFormWithFrame, options);
    auto& frame = *Find<TFrame>(*form, "Frame21");
    EXPECT_EQ(Find<TPanel>(frame, "Inner")->GetText(), "overridden");
    EXPECT_EQ(Find<TLabel>(frame, "Title")->GetText(), "Frame title");

    // Without the frame's file a strict read cannot know the frame's contents.
    EReadError e = LoadError(kFormWithFrame, Named("Form1.dfm"));
    EXPECT_EQ(e.Line(), 5);
}

TEST_F(FormReading, AFrameThatContainsItselfIsRefused) {
    TTempDir dir;
    dir.Write("Loop.dfm", "object Loop: TLoopFrame\n"
                          "  inline Inner: TLoopFrame\n"
                          "  end\n"
                          "end\n");
    String formPath = dir.Write("Form1.dfm", "object Form1: TForm1\n"
                                             "  inline Outer: TLoopFrame\n"
                                             "  end\n"
                                             "end\n");
    EXPECT_THROW(LoadFormFile(formPath), EReadError);
}

// ---- Unregistered and unknown classes ------------------------------------------------------

TEST_F(FormReading, AnUnregisteredRootIsAPlainFormWithAFieldPerComponent) {
    auto form = LoadAs<TForm>("object Form1: TForm1\n"
                              "  Caption = 'Mine'\n"
                              "  object Button1: TButton\n"
                              "  end\n"
                              "  object Panel1: TPanel\n"
                              "    object Edit1: TEdit\n"
                              "    end\n"
                              "  end\n"
                              "  object TPanel\n"
                              "  end\n"
                              "end\n");
    EXPECT_EQ(form->ClassName(), "TForm1");
    EXPECT_TRUE(form->InheritsFrom(TForm::StaticClass()));
    for (const char* name : {"Button1", "Panel1", "Edit1"}) {
        TComponent** field = form->FieldAddress(name);
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(*field, form->FindComponent(name));
    }
    EXPECT_EQ(form->ComponentCount(), 4);
    String text = SaveFormText(*form);
    EXPECT_EQ(text.rfind("object Form1: TForm1\n", 0), 0u) << text;
    EXPECT_NE(text.find("  object TPanel\n"), String::npos) << "a nameless object stays nameless";
}

TEST_F(FormReading, LenientReadingKeepsWhatItDoesNotKnow) {
    const char* text = "object Form1: TForm1\n"
                       "  Caption = 'Host'\n"
                       "  object Button1: TButton\n"
                       "    Caption = 'OK'\n"
                       "    Glyph.Data = {\n"
                       "      0102}\n"
                       "    Spacing = -1\n"
                       "    Margins.Left = 7\n"
                       "  end\n"
                       "  object Grid: TFancyGrid\n"
                       "    Left = 10\n"
                       "    Top = 20\n"
                       "    Width = 100\n"
                       "    Height = 50\n"
                       "    Columns = <\n"
                       "      item\n"
                       "        Title = 'A'\n"
                       "      end>\n"
                       "    object Edit1: TEdit\n"
                       "    end\n"
                       "  end\n"
                       "  object Query: TFancyQuery\n"
                       "    SQL.Strings = (\n"
                       "      'select 1')\n"
                       "    Ratio = 0.25\n"
                       "  end\n"
                       "end\n";
    EXPECT_THROW(Load(text), EReadError) << "strict reading knows no TFancyGrid";

    TFormLoadOptions lenient;
    lenient.Lenient = true;
    auto form = Load(text, lenient);
    auto* grid = dynamic_cast<TWinControl*>(form->FindComponent("Grid"));
    ASSERT_NE(grid, nullptr) << "a class with bounds becomes a control";
    EXPECT_EQ(grid->ClassName(), "TFancyGrid");
    EXPECT_EQ(grid->Left(), 10);
    EXPECT_EQ(grid->Height(), 50);
    EXPECT_EQ(Find<TEdit>(*form, "Edit1")->Parent(), grid);
    TComponent* query = form->FindComponent("Query");
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(dynamic_cast<TControl*>(query), nullptr) << "without bounds, a plain component";
    EXPECT_EQ(query->ClassName(), "TFancyQuery");
    EXPECT_EQ(Find<TButton>(*form, "Button1")->GetText(), "OK");

    // Everything comes back as it was.
    TFormObject original = ReadFormText(text);
    TFormObject written = WriteComponent(*form);
    auto props = [](const TFormObject& o, std::string_view name) {
        for (const TFormObject& c : o.Children)
            if (c.Name == name)
                return c.Properties;
        return std::vector<TFormProperty>{};
    };
    for (const char* name : {"Button1", "Query"})
        for (const TFormProperty& p : props(original, name)) {
            auto got = props(written, name);
            EXPECT_NE(std::find(got.begin(), got.end(), p), got.end()) << name << "." << p.Name;
        }
    String saved = SaveFormText(*form);
    EXPECT_EQ(Resave(saved, lenient), saved);
}

// An unknown class may have a property of its own under a name that every control
// publishes: the stand-in keeps such a value raw instead of refusing the file.
TEST_F(FormReading, LenientStandInsKeepValuesOfTheirOwnTypeRaw) {
    const char* text = "object Form1: TForm1\n"
                       "  object Grid: TOldGrid\n"
                       "    Left = 10\n"
                       "    Top = 8\n"
                       "    Width = 120\n"
                       "    Height = 60\n"
                       "    Margins = 4\n"
                       "    Cursor = 'Hand'\n"
                       "    HelpType = htNever\n"
                       "    HelpContext = 7\n"
                       "  end\n"
                       "end\n";
    TFormLoadOptions lenient;
    lenient.Lenient = true;
    auto form = Load(text, lenient);
    auto* grid = dynamic_cast<TControl*>(form->FindComponent("Grid"));
    ASSERT_NE(grid, nullptr);
    const auto& raw = grid->BagIfAny()->Unknown;
    ASSERT_EQ(raw.size(), 3u);
    EXPECT_EQ(raw[0].Name, "Margins");
    EXPECT_EQ(raw[1].Name, "Cursor");
    EXPECT_EQ(raw[2].Name, "HelpType");
    EXPECT_EQ(grid->Margins()->Left(), 3);
    EXPECT_EQ(GetPropInfo(*grid, "HelpContext")->GetOrd(*grid), 7) << "a value that fits is taken";
    String saved = SaveFormText(*form);
    EXPECT_EQ(Resave(saved, lenient), saved);

    // A class the framework has keeps such a value too, but says so; strict reading
    // refuses it.
    std::vector<String> warnings;
    lenient.OnWarning = [&](const EReadError& e) { warnings.push_back(e.Message()); };
    const char* button = "object Form1: TForm1\n"
                         "  object Button1: TButton\n"
                         "    Margins = 4\n"
                         "  end\n"
                         "end\n";
    auto kept = Load(button, lenient);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("3:5: Button1.Margins: ", 0), 0u) << warnings[0];
    EXPECT_NE(SaveFormText(*kept).find("Margins = 4"), String::npos);
    EXPECT_THROW(Load(button), EReadError);
}

// Whatever lenient reading keeps as stored instead of applying it is a warning
// with the file, the line of the value, the object and the property; what it
// takes says nothing.
TEST_F(FormReading, LenientReadingWarnsForEveryValueItCannotTake) {
    const char* text = "object Main: TMainForm\n"          // 1
                       "  Caption = 'Main'\n"              // 2
                       "  Flavour = 3\n"                   // 3
                       "  object Button1: TButton\n"       // 4
                       "    Left = 8\n"                    // 5
                       "    Shine = True\n"                // 6
                       "    Font.Glow = 2\n"               // 7
                       "    Align = alSideways\n"          // 8
                       "  end\n"                           // 9
                       "  object StatusBar1: TStatusBar\n" // 10
                       "    Panels = <\n"                  // 11
                       "      item\n"                      // 12
                       "        Width = 50\n"              // 13
                       "        Hue = 4\n"                 // 14
                       "      end>\n"                      // 15
                       "  end\n"                           // 16
                       "  object Gauge: TFancyGauge\n"     // 17
                       "    Left = 1\n"                    // 18
                       "    Needle = 5\n"                  // 19
                       "    Dial.Color = clRed\n"          // 20
                       "  end\n"                           // 21
                       "end\n";
    TFormLoadOptions lenient;
    lenient.Lenient = true;
    lenient.FileName = "main.dfm";
    std::vector<EReadError> warnings;
    lenient.OnWarning = [&](const EReadError& e) { warnings.push_back(e); };
    auto form = Load(text, lenient);

    std::vector<String> seen;
    for (const EReadError& w : warnings) {
        EXPECT_EQ(w.FileName(), "main.dfm");
        seen.push_back(std::to_string(w.Line()) + " " + w.Reason());
    }
    ASSERT_EQ(seen.size(), 6u) << ::testing::PrintToString(seen);
    auto has = [&](std::size_t i, const char* head, const char* tail) {
        EXPECT_EQ(seen[i].rfind(head, 0), 0u) << seen[i];
        EXPECT_NE(seen[i].find(tail), String::npos) << seen[i];
    };
    has(0, "1 Main: class TMainForm is not known (read as TForm)", "applied: Flavour");
    has(1, "6 Button1.Shine: TButton has no such property", "kept as stored");
    has(2, "7 Button1.Font.Glow: ", "kept as stored");
    has(3, "8 Button1.Align: ", "alSideways");
    has(4, "14 StatusBar1.Panels[0].Hue: ", "kept as stored");
    has(5, "17 Gauge: class TFancyGauge is not known (read as a ", ": Needle, Dial.Color");

    // Kept means written back: a second reading keeps the same and says the same.
    const String saved = SaveFormText(*form);
    for (const char* value : {"Flavour = 3", "Shine = True", "Font.Glow = 2", "Align = alSideways",
                              "Hue = 4", "Needle = 5"})
        EXPECT_NE(saved.find(value), String::npos) << value;
    warnings.clear();
    EXPECT_EQ(SaveFormText(*Load(saved, lenient)), saved);
    EXPECT_EQ(warnings.size(), 6u);

    // A file of known classes and properties reads without a word.
    warnings.clear();
    Load("object Main: TForm\n"
         "  object Button1: TButton\n"
         "    Caption = 'OK'\n"
         "  end\n"
         "end\n",
         lenient);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(FormReading, DesigningMarksEveryComponent) {
    TFormLoadOptions options;
    options.Designing = true;
    auto form = Load("object Form1: TForm\n"
                     "  Visible = True\n"
                     "  object Button1: TButton\n"
                     "  end\n"
                     "end\n",
                     options);
    EXPECT_TRUE(form->Designing());
    EXPECT_TRUE(form->FindComponent("Button1")->Designing());
    EXPECT_FALSE(dynamic_cast<TForm&>(*form).HandleAllocated()) << "a designed form is not shown";
}
