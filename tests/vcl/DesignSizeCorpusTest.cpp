// Real form files at their design size: the designer stored every control where
// the real framework put it, so each file is its own reference. Every aligned,
// anchored or auto-sized control must come out where its file stores it; what
// does not is counted by reason, and those counts only go down.
#include "support/Corpus.h"
#include "vcl/VclTestSupport.h"

#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/TextMetrics.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>

using namespace Vcl;
using namespace VclTest;

namespace {

using CorpusTest::CorpusFiles;

struct TStored {
    std::optional<int> Left, Top, Width, Height;
};

std::optional<int> IntProperty(const TFormObject& o, std::string_view name) {
    const TFormProperty* p = o.FindProperty(name);
    if (!p || p->Value.Kind != TFormValue::TKind::Integer)
        return std::nullopt;
    return static_cast<int>(p->Value.Int);
}

// The bounds each named object of the file stores; frames and inherited parts
// store only what differs from elsewhere and are left out.
void StoredBounds(const TFormObject& o, std::map<String, TStored>& out) {
    for (const TFormObject& child : o.Children) {
        if (child.Kind != TFormObject::TKind::Object)
            continue;
        if (!child.Name.empty())
            out[child.Name] = {IntProperty(child, "Left"), IntProperty(child, "Top"),
                               IntProperty(child, "Width"), IntProperty(child, "Height")};
        StoredBounds(child, out);
    }
}

bool Computed(const TControl& c) {
    return (c.Align() >= alTop && c.Align() <= alClient) ||
           (c.Align() == alNone && c.Anchors() != DefaultAnchors) || c.AutoSize();
}

bool Matches(const TControl& c, const TStored& s) {
    return (!s.Left || *s.Left == c.Left()) && (!s.Top || *s.Top == c.Top()) &&
           (!s.Width || *s.Width == c.Width()) && (!s.Height || *s.Height == c.Height());
}

// Why a control may be elsewhere than its file says, where the cause is known
// and lies outside the layout's arithmetic; empty for a control that must match.
// Each reason's count is held to a ceiling below.
struct TFormFacts {
    bool ClientSizeStored = false, Maximized = false, Rescaled = false;
    // The file's own aligned controls reach past, or stop short of, the client
    // size it stores: the designer laid them out in another.
    bool Inconsistent = false;
    // poDefault or poDefaultSizeOnly: the window system picks the size.
    bool DefaultSize = false;
    // Size constraints on the outer size changed the client size the file
    // stores; the designer met them with its own window frame.
    bool FrameConstrained = false;
    // The simulated desktop measures the form's font as the file's TextHeight
    // says the designer did, so a text-sized control of that font must come
    // out at the height the designer would give it now.
    bool TextHeightAgrees = false;
};

std::optional<int> IntProperty(const TFormObject& o, std::string_view name);

// Whether the form's visible aligned children, as stored, span a client size
// other than the one the form stores. A class's own default Align (a status
// bar's alBottom) is not stored, so the loaded control says how it is aligned.
bool AlignedSpanOtherSize(const TFormObject& form, const TComponent& loaded) {
    const std::optional<int> cw = IntProperty(form, "ClientWidth"),
                             ch = IntProperty(form, "ClientHeight");
    if (!cw || !ch)
        return false;
    // Where the lowest aligned control ends, unless a hidden aligned control
    // (aligned by the designer too), margins or a class aligning itself by a
    // default the file does not store may rightly leave room below it.
    std::optional<int> bottom;
    bool bottomKnown = true;
    for (const TFormObject& child : form.Children) {
        const auto* control = dynamic_cast<const TControl*>(loaded.FindComponent(child.Name));
        if (!control)
            continue;
        const TFormProperty* visible = child.FindProperty("Visible");
        const bool hidden = visible && visible->Value.Str == "False";
        if ((hidden && control->Align() != alNone && control->Align() != alCustom) ||
            child.FindProperty("AlignWithMargins") ||
            (!hidden && IsGenericClass(*control->ClassInfo())))
            bottomKnown = false;
        if (hidden || child.FindProperty("AlignWithMargins"))
            continue;
        const std::optional<int> l = IntProperty(child, "Left"), t = IntProperty(child, "Top"),
                                 w = IntProperty(child, "Width"), h = IntProperty(child, "Height");
        if (!l || !t || !w || !h)
            continue;
        const TAlign a = control->Align();
        const bool spansWidth = a == alTop || a == alBottom || a == alClient;
        const bool reachesBottom = a == alBottom || a == alClient;
        if ((spansWidth && *l + *w != *cw) || (reachesBottom && *t + *h > *ch))
            return true;
        if (reachesBottom)
            bottom = std::max(bottom.value_or(0), *t + *h);
    }
    return bottomKnown && bottom && *bottom < *ch - IntProperty(form, "BorderWidth").value_or(0);
}

// A single line of text sizes labels, edits and combo boxes: one that uses the
// form's font, is placed and as wide as stored, but not as high, was stored
// while the form had another font.
bool StaleTextHeight(const TControl& c, const TStored& s) {
    const bool textSized = (dynamic_cast<const TCustomLabel*>(&c) && c.AutoSize() &&
                            !static_cast<const TCustomLabel&>(c).WordWrap()) ||
                           (dynamic_cast<const TEdit*>(&c) && c.AutoSize()) ||
                           (dynamic_cast<const TComboBox*>(&c) &&
                            (static_cast<const TComboBox&>(c).Style() == csDropDown ||
                             static_cast<const TComboBox&>(c).Style() == csDropDownList));
    if (!textSized || !s.Height || *s.Height == c.Height())
        return false;
    for (const TControl* p = &c; p->Parent(); p = p->Parent())
        if (!p->ParentFont())
            return false;
    return (!s.Left || *s.Left == c.Left()) && (!s.Top || *s.Top == c.Top()) &&
           (!s.Width || *s.Width == c.Width());
}

std::string ExceptionReason(const TControl& c, const TStored& s, const TFormFacts& form,
                            const std::set<const TControl*>& elsewhere,
                            const std::map<String, TStored>& stored) {
    // The form's own class is always the file's; only the containers inside count.
    const TWinControl* parent = c.Parent();
    for (const TWinControl* p = parent; p->Parent(); p = p->Parent())
        if (IsGenericClass(*p->ClassInfo()))
            return "inside a class the framework does not know";
    if (IsGenericClass(*c.ClassInfo()))
        return "a class the framework does not know sizes itself";
    // A sheet stores no bounds: its page control stands for it.
    for (const TWinControl* p = parent; p; p = p->Parent()) {
        if (elsewhere.count(p))
            return "its container is elsewhere";
        if (!dynamic_cast<const TTabSheet*>(p))
            break;
    }
    if (!form.ClientSizeStored)
        return "the form stores its outer size, measured with the designer's window frame";
    if (form.Maximized)
        return "the form opens maximized";
    if (form.Rescaled)
        return "the form is scaled from the resolution it stores";
    if (form.Inconsistent)
        return "the file's aligned controls span another client size than it stores";
    if (form.DefaultSize)
        return "the window system chooses the form's size (poDefault)";
    if (form.FrameConstrained)
        return "the form's size constraints, met with the designer's window frame";
    const bool placedRight = (!s.Left || *s.Left == c.Left()) && (!s.Top || *s.Top == c.Top());
    if (c.AutoSize() && c.Align() == alNone)
        return "auto-sized to text measured with the simulated desktop's fonts";
    if (form.TextHeightAgrees) {
        if (StaleTextHeight(c, s))
            return "stored at another font's height than the form's own TextHeight gives";
        if (c.Align() != alNone)
            for (int i = 0; i < parent->ControlCount(); ++i) {
                const TControl* sibling = parent->Controls(i);
                if (sibling != &c && sibling->Align() != alNone && elsewhere.count(sibling) &&
                    stored.count(sibling->Name()) &&
                    StaleTextHeight(*sibling, stored.at(sibling->Name())))
                    return "aligned after a control stored at another font's height";
            }
    }
    // A class the framework does not know may align itself by default, which
    // the file then does not store.
    if (c.Align() != alNone)
        for (int i = 0; i < parent->ControlCount(); ++i) {
            const TControl* sibling = parent->Controls(i);
            if (sibling->Visible() && IsGenericClass(*sibling->ClassInfo()) &&
                sibling->Align() == alNone)
                return "aligned beside a class the framework does not know, which may align "
                       "itself";
        }
    // The designer aligns hidden controls as if they showed; the program does not.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* sibling = parent->Controls(i);
        if (!sibling->Visible() && sibling->Align() != alNone && sibling->Align() != alCustom)
            return "a hidden aligned control took room in the designer";
    }
    // The designer lays out only the page it shows; the others keep what they
    // had when they last showed, and the program lays them out when they do.
    for (const TWinControl* p = parent; p->Parent(); p = p->Parent())
        if (const auto* sheet = dynamic_cast<const TTabSheet*>(p))
            if (const TPageControl* pages = sheet->PageControl();
                pages && pages->ActivePage() && pages->ActivePage() != sheet)
                return "on a page the designer did not show";
    for (const char* kind : {"TToolBar", "TCoolBar", "THeaderControl"})
        if (c.ClassName() == std::string_view(kind))
            return std::string("an aligned ") + kind + " sizes itself";
    if (placedRight && (!s.Width || *s.Width == c.Width()) &&
        dynamic_cast<const TWinControl*>(&c) && c.Align() == alNone)
        return "a height the window system gives an edit or combo box from its font";
    if (const TPropertyBag* bag = c.BagIfAny();
        bag && c.ClassName() == std::string_view("TImage") && bag->Ord("AutoSize", 0))
        return "an auto-sized image, whose picture the framework does not measure";
    return {};
}

std::string Describe(const TControl& c, const TStored& s) {
    auto v = [](const std::optional<int>& x) { return x ? std::to_string(*x) : std::string("-"); };
    return std::string(c.ClassName()) + " " + c.Name() + " in " + c.Parent()->ClassName() + " " +
           c.Parent()->Name() + ": stored " + v(s.Left) + "," + v(s.Top) + " " + v(s.Width) + "x" +
           v(s.Height) + ", laid out " + std::to_string(c.Left()) + "," + std::to_string(c.Top()) +
           " " + std::to_string(c.Width()) + "x" + std::to_string(c.Height());
}

} // namespace

TEST(DesignSizeCorpus, ComputedBoundsAreWhereTheFileStoresThem) {
    const std::vector<std::string> files = CorpusFiles({"text", "binary"});
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUORVEL_CORPUS_DIR;
    TFormLoadOptions options;
    options.Lenient = true;
    // QUORVEL_CORPUS_VERBOSE=1 lists what is not explained, 2 the exceptions too.
    const char* verboseVar = std::getenv("QUORVEL_CORPUS_VERBOSE");
    const int verbose = verboseVar ? std::atoi(verboseVar) : 0;
    int forms = 0, checked = 0, wrong = 0;
    std::map<std::string, int> exceptions;
    for (const std::string& path : files) {
        TFormObject document;
        try {
            document = ReadFormDocument(ReadFileBytes(path));
        } catch (const std::exception&) {
            continue; // the reading tests report these
        }
        if (document.Kind != TFormObject::TKind::Object)
            continue;
        Sim::TDesktop desktop;
        std::unique_ptr<TComponent> root;
        try {
            root = LoadFormFile(path, options);
        } catch (const std::exception&) {
            continue;
        }
        auto* form = dynamic_cast<TCustomForm*>(root.get());
        if (!form)
            continue;
        ++forms;
        std::map<String, TStored> stored;
        StoredBounds(document, stored);
        TFormFacts facts;
        facts.ClientSizeStored = document.FindProperty("ClientWidth") != nullptr &&
                                 document.FindProperty("ClientHeight") != nullptr;
        const TFormProperty* state = document.FindProperty("WindowState");
        facts.Maximized = state && state->Value.Str == "wsMaximized";
        const TFormProperty* scaled = document.FindProperty("Scaled");
        const std::optional<int> ppi = IntProperty(document, "PixelsPerInch");
        facts.Inconsistent = AlignedSpanOtherSize(document, *form);
        facts.Rescaled = ppi && *ppi != 96 && !(scaled && scaled->Value.Str == "False");
        const TFormProperty* position = document.FindProperty("Position");
        facts.DefaultSize = position && (position->Value.Str == "poDefault" ||
                                         position->Value.Str == "poDefaultSizeOnly");
        const std::optional<int> textHeight = IntProperty(document, "TextHeight");
        facts.TextHeightAgrees = textHeight && *textHeight == FontLineHeight(*form->Font());
        form->Show();
        const TSizeConstraints& limits = *form->Constraints();
        // Only a constraint the shown form meets exactly can have moved it.
        const bool atLimit = (limits.MinWidth() && form->Width() == limits.MinWidth()) ||
                             (limits.MaxWidth() && form->Width() == limits.MaxWidth()) ||
                             (limits.MinHeight() && form->Height() == limits.MinHeight()) ||
                             (limits.MaxHeight() && form->Height() == limits.MaxHeight());
        facts.FrameConstrained = atLimit && facts.ClientSizeStored &&
                                 (form->ClientWidth() != IntProperty(document, "ClientWidth") ||
                                  form->ClientHeight() != IntProperty(document, "ClientHeight"));
        // Every control elsewhere first: a container that is explains its children.
        std::set<const TControl*> elsewhere;
        std::vector<std::pair<const TControl*, const TStored*>> computed;
        for (const auto& [name, bounds] : stored) {
            auto* c = dynamic_cast<TControl*>(form->FindComponent(name));
            if (!c || !c->Parent())
                continue;
            if (!Matches(*c, bounds))
                elsewhere.insert(c);
            if (Computed(*c))
                computed.emplace_back(c, &bounds);
        }
        for (const auto& [c, bounds] : computed) {
            ++checked;
            if (!elsewhere.count(c))
                continue;
            const std::string reason = ExceptionReason(*c, *bounds, facts, elsewhere, stored);
            if (!reason.empty()) {
                ++exceptions[reason];
                if (verbose > 1)
                    std::cout << path << ": " << Describe(*c, *bounds) << " (" << reason << ")\n";
                continue;
            }
            ++wrong;
            if (verbose > 0)
                std::cout << path << ": " << Describe(*c, *bounds) << "\n";
        }
    }
    std::cout << "[ corpus   ] " << forms << " forms, " << checked << " computed controls, "
              << wrong << " elsewhere than stored\n";
    for (const auto& [reason, count] : exceptions)
        std::cout << "[ corpus   ]   " << count << " excepted: " << reason << "\n";
    // Not yet explained (QUORVEL_CORPUS_VERBOSE=1 lists them): the ceiling only
    // goes down, as do the ceilings of the reasons that name work still to do.
    EXPECT_LE(wrong, 0);
    // Two tool bars in cool bars of forms that store their outer size came here
    // from "inside a class the framework does not know".
    EXPECT_LE(exceptions["its container is elsewhere"], 381);
    EXPECT_LE(exceptions["inside a class the framework does not know"], 407);
    EXPECT_LE(exceptions["a hidden aligned control took room in the designer"], 2);
    EXPECT_LE(exceptions["on a page the designer did not show"], 1);
    EXPECT_LE(exceptions["stored at another font's height than the form's own TextHeight gives"],
              10);
    EXPECT_LE(exceptions["aligned after a control stored at another font's height"], 3);
    EXPECT_LE(exceptions["the window system chooses the form's size (poDefault)"], 23);
    EXPECT_LE(exceptions["the form's size constraints, met with the designer's window frame"], 20);
    EXPECT_LE(
        exceptions["aligned beside a class the framework does not know, which may align itself"],
        11);
    EXPECT_LE(exceptions["the file's aligned controls span another client size than it stores"],
              40);
    EXPECT_LE(exceptions["an auto-sized image, whose picture the framework does not measure"], 1);
    EXPECT_GT(checked, 7000);
}
