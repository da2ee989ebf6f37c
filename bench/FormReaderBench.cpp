// The form-file reader in MB/s, on generated sets read as `quorvel check` reads
// its files: one library for the run, every file loaded into live components and
// freed. The sets: plain text forms; the same forms as binary (TPF0) files; and a
// family of the same forms inherited from one base (no units, so the objects
// tell the ancestor). Bytes are those of the files named; the ancestor read for
// them is not counted, so compare the inherited set by its forms per second.
#include "quorvel/vcl/FormLibrary.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace Vcl;
namespace fs = std::filesystem;

constexpr int Forms = 40;
constexpr int BaseControls = 30; // in the base form
constexpr int OwnControls = 30;  // each descendant's own
constexpr int Overrides = 6;     // base controls each descendant changes

// ---- Generated forms ---------------------------------------------------------------

struct TControlSpec {
    String Name, Class, Caption;
    int Left, Top, Width, Height, TabOrder;
};

const char* const Classes[] = {"TButton", "TLabel", "TEdit", "TCheckBox", "TComboBox"};

std::vector<TControlSpec> Controls(const String& prefix, int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pos(0, 500), size(13, 120);
    std::vector<TControlSpec> out;
    for (int i = 0; i < count; ++i)
        out.push_back({prefix + std::to_string(i), Classes[i % 5],
                       "Caption of " + prefix + std::to_string(i), pos(random), pos(random),
                       size(random), size(random) / 4 + 13, i});
    return out;
}

String ControlText(const TControlSpec& c, const char* keyword, bool full) {
    String s = String("    ") + keyword + " " + c.Name + ": " + c.Class + "\n";
    if (full) {
        s += "      Left = " + std::to_string(c.Left) + "\n      Top = " + std::to_string(c.Top) +
             "\n      Width = " + std::to_string(c.Width) +
             "\n      Height = " + std::to_string(c.Height) + "\n";
        if (c.Class != "TEdit" && c.Class != "TComboBox")
            s += "      Caption = '" + c.Caption + "'\n";
        if (c.Class != "TLabel")
            s += "      TabOrder = " + std::to_string(c.TabOrder) + "\n";
        s += "      Font.Style = [fsBold]\n      ParentFont = False\n";
    } else {
        s += "      Left = " + std::to_string(c.Left) + "\n";
        if (c.Class != "TEdit" && c.Class != "TComboBox")
            s += "      Caption = '" + c.Caption + "'\n";
    }
    return s + "    end\n";
}

String Header(const char* keyword, const String& name) {
    return String(keyword) + " " + name + ": T" + name + "\n  Left = 0\n  Top = 0\n  Caption = '" +
           name +
           "'\n  ClientHeight = 600\n  ClientWidth = 800\n  Color = clBtnFace\n"
           "  Font.Charset = DEFAULT_CHARSET\n  Font.Color = clWindowText\n  Font.Height = -11\n"
           "  Font.Name = 'Tahoma'\n  Font.Style = []\n  PixelsPerInch = 96\n  TextHeight = 13\n";
}

// Descendant `i`: the base's controls in a panel, the first few of them changed,
// and its own controls in a second panel.
struct TDescendant {
    std::vector<TControlSpec> Base, Own;
};

TDescendant Descendant(int i) {
    TDescendant d{Controls("Base", BaseControls, 1), Controls("Own", OwnControls, 100 + i)};
    for (int k = 0; k < Overrides; ++k) {
        d.Base[k].Left += i;
        d.Base[k].Caption = "Changed " + std::to_string(i);
    }
    return d;
}

String Panel(const String& name, const char* keyword, bool full, int top) {
    String s = String("  ") + keyword + " " + name + ": TPanel\n";
    if (full)
        s += "    Left = 0\n    Top = " + std::to_string(top) +
             "\n    Width = 800\n    Height = 300\n    TabOrder = 0\n";
    return s;
}

String BaseText() {
    String s = Header("object", "BaseForm") + Panel("BasePanel", "object", true, 0);
    for (const TControlSpec& c : Controls("Base", BaseControls, 1))
        s += ControlText(c, "object", true);
    return s + "  end\nend\n";
}

String FlatText(int i) {
    const TDescendant d = Descendant(i);
    String s = Header("object", "Form" + std::to_string(i)) + Panel("BasePanel", "object", true, 0);
    for (const TControlSpec& c : d.Base)
        s += ControlText(c, "object", true);
    s += "  end\n" + Panel("OwnPanel", "object", true, 300);
    for (const TControlSpec& c : d.Own)
        s += ControlText(c, "object", true);
    return s + "  end\nend\n";
}

String InheritedText(int i) {
    const TDescendant d = Descendant(i);
    String s = "inherited Form" + std::to_string(i) + ": TForm" + std::to_string(i) +
               "\n  Caption = 'Form" + std::to_string(i) + "'\n" +
               Panel("BasePanel", "inherited", false, 0);
    for (int k = 0; k < Overrides; ++k)
        s += ControlText(d.Base[static_cast<std::size_t>(k)], "inherited", false);
    s += "  end\n" + Panel("OwnPanel", "object", true, 300);
    for (const TControlSpec& c : d.Own)
        s += ControlText(c, "object", true);
    return s + "  end\nend\n";
}

// ---- The binary component stream --------------------------------------------------

void Short(String& out, const String& s) {
    if (s.size() > 255)
        throw std::logic_error("name too long for a binary form file");
    out += static_cast<char>(s.size());
    out += s;
}

void Int32(String& out, std::int64_t v) {
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>((static_cast<std::uint64_t>(v) >> (8 * k)) & 0xFF);
}

void Value(String& out, const TFormValue& v) {
    using K = TFormValue::TKind;
    switch (v.Kind) {
    case K::Integer:
        if (v.Int >= -128 && v.Int < 128) {
            out += '\x02';
            out += static_cast<char>(v.Int);
        } else {
            out += '\x04';
            Int32(out, v.Int);
        }
        return;
    case K::String:
        out += '\x0C'; // vaLString
        Int32(out, static_cast<std::int64_t>(v.Str.size()));
        out += v.Str;
        return;
    case K::Ident:
        if (v.Str == "True" || v.Str == "False") {
            out += v.Str == "True" ? '\x09' : '\x08';
        } else {
            out += '\x07';
            Short(out, v.Str);
        }
        return;
    case K::Set:
        out += '\x0B';
        for (const String& m : v.Set)
            Short(out, m);
        out += '\0';
        return;
    default: throw std::logic_error("a value the benchmark's forms do not have");
    }
}

void Object(String& out, const TFormObject& o) {
    Short(out, o.ClassName);
    Short(out, o.Name);
    for (const TFormProperty& p : o.Properties) {
        Short(out, p.Name);
        Value(out, p.Value);
    }
    out += '\0';
    for (const TFormObject& child : o.Children)
        Object(out, child);
    out += '\0';
}

String BinaryOf(const String& text) {
    String out = "TPF0";
    Object(out, ReadFormText(text));
    return out;
}

// ---- The sets -------------------------------------------------------------------------

class TSet {
public:
    // kind: 0 plain text, 1 the same as binary, 2 the same inherited from one base
    explicit TSet(int kind) {
        FDir = fs::temp_directory_path() /
               ("quorvel-reader-bench-" + std::to_string(::getpid()) + "-" + std::to_string(kind));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
        if (kind == 2)
            std::ofstream(FDir / "BaseForm.dfm", std::ios::binary) << BaseText();
        for (int i = 0; i < Forms; ++i) {
            const String text = kind == 2 ? InheritedText(i) : FlatText(i);
            const String bytes = kind == 1 ? BinaryOf(text) : text;
            const fs::path path = FDir / ("Form" + std::to_string(i) + ".dfm");
            std::ofstream(path, std::ios::binary) << bytes;
            Files.push_back(path.string());
            Bytes += bytes.size();
        }
    }
    ~TSet() {
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }

    // One run over the set; returns the components made.
    std::size_t Read() const {
        TFormLoadOptions options;
        options.Library = std::make_shared<TFormLibrary>();
        std::size_t components = 0;
        for (const String& file : Files)
            components += static_cast<std::size_t>(LoadFormFile(file, options)->ComponentCount());
        return components;
    }

    std::vector<String> Files;
    std::size_t Bytes = 0;

private:
    fs::path FDir;
};

void BM_ReadForms(benchmark::State& state) {
    Sim::TDesktop desktop;
    const TSet set(static_cast<int>(state.range(0)));
    const std::size_t expected = 2 + BaseControls + OwnControls;
    for (auto _ : state) {
        const std::size_t components = set.Read();
        if (components != expected * Forms)
            throw std::logic_error("a generated form read with the wrong components");
        benchmark::DoNotOptimize(components);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set.Bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * Forms);
    static const char* const names[] = {"plain text", "binary", "inherited"};
    state.SetLabel(names[state.range(0)]);
}

} // namespace

BENCHMARK(BM_ReadForms)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
