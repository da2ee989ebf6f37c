// Real form files laid out: every corpus form read leniently, resized, and
// checked for what alignment and anchors promise whatever the form.
#include "support/Corpus.h"
#include "vcl/VclTestSupport.h"

#include <algorithm>
#include <iostream>
#include <map>

using namespace Vcl;
using namespace VclTest;

namespace {

using CorpusTest::CorpusFiles;

bool Limited(const TControl& c) {
    const TSizeConstraints& k = *c.Constraints();
    return k.MinWidth() || k.MinHeight() || k.MaxWidth() || k.MaxHeight();
}

struct TTally {
    int Parents = 0, Overlaps = 0, Negative = 0, Anchored = 0, AnchorsLost = 0;
};

// Aligned children that take room never overlap and, where they fit, stay inside
// the client area less the padding; no control has a negative size.
void CheckParent(const TWinControl& parent, const std::string& file, TTally& tally) {
    std::vector<const TControl*> aligned;
    bool limited = false;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl* c = parent.Controls(i);
        if (c->Width() < 0 || c->Height() < 0) {
            ++tally.Negative;
            ADD_FAILURE() << file << ": " << c->Name() << " has a negative size";
        }
        if (const auto* win = dynamic_cast<const TWinControl*>(c))
            CheckParent(*win, file, tally);
        if (c->Align() >= alTop && c->Align() <= alClient && c->Visible()) {
            aligned.push_back(c);
            limited = limited || Limited(*c) || c->AlignWithMargins();
        }
    }
    // Only where the stacks fit: too small a parent pushes them out, as in the
    // framework; and only in the framework's own containers (a control bar or
    // an unknown class places its children itself).
    int stackHeights = 0, sideWidths = 0;
    for (const TControl* c : aligned) {
        if (c->Align() == alTop || c->Align() == alBottom)
            stackHeights += c->Height();
        if (c->Align() == alLeft || c->Align() == alRight)
            sideWidths += c->Width();
    }
    const TPadding& pad = *parent.Padding();
    const bool fits = stackHeights <= parent.ClientHeight() - pad.Top() - pad.Bottom() &&
                      sideWidths <= parent.ClientWidth() - pad.Left() - pad.Right();
    const std::string kind = parent.ClassName();
    if (aligned.empty() || !fits || IsGenericClass(*parent.ClassInfo()) ||
        kind.find("ControlBar") != std::string::npos)
        return;
    ++tally.Parents;
    for (std::size_t i = 0; i < aligned.size(); ++i) {
        const TRect a = aligned[i]->BoundsRect();
        if (!limited) {
            const TPadding& p = *parent.Padding();
            EXPECT_GE(a.Left, p.Left()) << file << ": " << aligned[i]->Name();
            EXPECT_GE(a.Top, p.Top()) << file << ": " << aligned[i]->Name();
        }
        for (std::size_t j = i + 1; j < aligned.size(); ++j) {
            const TRect b = aligned[j]->BoundsRect();
            const bool apart = a.Right <= b.Left || b.Right <= a.Left || a.Bottom <= b.Top ||
                               b.Bottom <= a.Top || a.Width() == 0 || a.Height() == 0 ||
                               b.Width() == 0 || b.Height() == 0;
            // Several alClient children share the same rest, as in the framework.
            const bool bothClient =
                aligned[i]->Align() == alClient && aligned[j]->Align() == alClient;
            if (!apart && !limited && !bothClient) {
                ++tally.Overlaps;
                ADD_FAILURE() << file << ": " << aligned[i]->Name() << " overlaps "
                              << aligned[j]->Name() << " in " << parent.Name();
            }
        }
    }
}

// Controls anchored to the far edges (no centred axis) at the design size.
void AnchoredBounds(const TWinControl& parent, std::map<const TControl*, TRect>& out) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl* c = parent.Controls(i);
        if (const auto* win = dynamic_cast<const TWinControl*>(c))
            AnchoredBounds(*win, out);
        const TAnchors a = c->Anchors();
        const bool horizontal = a & ((1u << akLeft) | (1u << akRight));
        const bool vertical = a & ((1u << akTop) | (1u << akBottom));
        if (c->Align() == alNone && a != DefaultAnchors && horizontal && vertical && !Limited(*c) &&
            !c->AutoSize())
            out[c] = c->BoundsRect();
    }
}

} // namespace

TEST(LayoutCorpus, AlignedChildrenTileAndAnchoredOnesComeBackOnEveryForm) {
    const std::vector<std::string> files = CorpusFiles();
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUORVEL_CORPUS_DIR "/text";
    TFormLoadOptions options;
    options.Lenient = true;
    TTally tally;
    int forms = 0;
    for (const std::string& path : files) {
        Sim::TDesktop desktop;
        std::unique_ptr<TComponent> root;
        try {
            root = LoadFormFile(path, options);
        } catch (const std::exception&) {
            continue; // the reading tests report these
        }
        auto* form = dynamic_cast<TCustomForm*>(root.get());
        if (!form || form->AutoSize())
            continue;
        ++forms;
        const int width = form->ClientWidth(), height = form->ClientHeight();
        std::map<const TControl*, TRect> anchored;
        AnchoredBounds(*form, anchored);
        form->Show();
        for (auto [w, h] : {std::pair{1000, 700}, std::pair{width + 37, height + 23}}) {
            form->SetClientWidth(w);
            form->SetClientHeight(h);
            CheckParent(*form, path, tally);
        }
        form->SetClientWidth(width);
        form->SetClientHeight(height);
        for (const auto& [control, bounds] : anchored) {
            ++tally.Anchored;
            if (control->BoundsRect() != bounds) {
                ++tally.AnchorsLost;
                ADD_FAILURE() << path << ": " << control->Name()
                              << " is not back where its anchors had it";
            }
        }
    }
    std::cout << "[ corpus   ] " << forms << " forms laid out, " << tally.Parents
              << " parents with aligned children, " << tally.Anchored
              << " anchored controls back at the design size\n";
    // Guards: the corpus really exercised the layout.
    EXPECT_GT(forms, 1000);
    EXPECT_GT(tally.Parents, 500);
    EXPECT_GT(tally.Anchored, 300);
}
