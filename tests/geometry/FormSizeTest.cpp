// The six size properties: what they refuse, in English or Japanese after the
// user's locale at the moment of the assignment, also while a form file is read.
#include "support/QuorvelFixture.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using Quorvel::TQuorvel;

using TSetter = void (TQuorvel::*)(int);
using TGetter = int (TQuorvel::*)() const;

struct TSize {
    const char* Name;
    TSetter Set;
    TGetter Get;
};

const TSize Width{"FormWidth", &TQuorvel::SetFormWidth, &TQuorvel::FormWidth};
const TSize Height{"FormHeight", &TQuorvel::SetFormHeight, &TQuorvel::FormHeight};
const TSize MaxWidth{"FormMaxWidth", &TQuorvel::SetFormMaxWidth, &TQuorvel::FormMaxWidth};
const TSize MaxHeight{"FormMaxHeight", &TQuorvel::SetFormMaxHeight, &TQuorvel::FormMaxHeight};
const TSize MinWidth{"FormMinWidth", &TQuorvel::SetFormMinWidth, &TQuorvel::FormMinWidth};
const TSize MinHeight{"FormMinHeight", &TQuorvel::SetFormMinHeight, &TQuorvel::FormMinHeight};
const TSize* const All[] = {&Width, &Height, &MaxWidth, &MaxHeight, &MinWidth, &MinHeight};

struct TRefusal {
    const char* English;
    const char* Japanese;
};

const TRefusal NotNegative{"Set this value equal to or greater than 0",
                           "0 以上の値を入れてください"};
const TRefusal AtLeastMinWidth{"Set this value equal to or greater than the FormMinWidth",
                               "FormMinWidth 以上の値を入れてください"};
const TRefusal AtMostMaxWidth{"Set this value equal to or less than the FormMaxWidth",
                              "FormMaxWidth 以下の値を入れてください"};
const TRefusal AtLeastMinHeight{"Set this value equal to or greater than the FormMinHeight",
                                "FormMinHeight 以上の値を入れてください"};
const TRefusal AtMostMaxHeight{"Set this value equal to or less than the FormMaxHeight",
                               "FormMaxHeight 以下の値を入れてください"};
const TRefusal AtLeastWidth{"Set this value equal to or greater than the FormWidth",
                            "FormWidth 以上の値を入れてください"};
const TRefusal AtMostWidth{"Set this value equal to or less than the FormWidth",
                           "FormWidth 以下の値を入れてください"};
const TRefusal AtLeastHeight{"Set this value equal to or greater than the FormHeight",
                             "FormHeight 以上の値を入れてください"};
const TRefusal AtMostHeight{"Set this value equal to or less than the FormHeight",
                            "FormHeight 以下の値を入れてください"};

// Values already set (min, size, max per axis; 0 = not set), one assignment, and
// its refusal or nullptr when accepted.
struct TAxisValues {
    int MinWidth = 0, Width = 0, MaxWidth = 0;
    int MinHeight = 0, Height = 0, MaxHeight = 0;
};

struct TCase {
    TAxisValues Before;
    const TSize& Property;
    int Value;
    const TRefusal* Refusal;
};

const TCase Cases[] = {
    // Zero clears, whatever else is set.
    {{500, 800, 0, 0, 0, 0}, Width, 0, nullptr},
    {{0, 0, 0, 300, 400, 600}, MinHeight, 0, nullptr},
    {{600, 800, 1000, 0, 0, 0}, MaxWidth, 0, nullptr},
    // Equal values are inside the rule.
    {{0, 0, 800, 0, 0, 0}, Width, 800, nullptr},
    {{0, 0, 800, 0, 0, 0}, MinWidth, 800, nullptr},
    {{0, 0, 0, 400, 0, 0}, Height, 400, nullptr},
    // The other axis is not looked at.
    {{0, 0, 0, 0, 0, 100}, Width, 900, nullptr},
    {{900, 0, 0, 0, 0, 0}, MaxHeight, 100, nullptr},
    // The size between minimum and maximum.
    {{600, 0, 1000, 0, 0, 0}, Width, 500, &AtLeastMinWidth},
    {{600, 0, 1000, 0, 0, 0}, Width, 1200, &AtMostMaxWidth},
    {{0, 0, 0, 300, 0, 600}, Height, 200, &AtLeastMinHeight},
    {{0, 0, 0, 300, 0, 600}, Height, 700, &AtMostMaxHeight},
    // The limits against the size and each other.
    {{0, 800, 0, 0, 0, 0}, MinWidth, 900, &AtMostWidth},
    {{0, 800, 0, 0, 0, 0}, MaxWidth, 700, &AtLeastWidth},
    {{0, 0, 1000, 0, 0, 0}, MinWidth, 1100, &AtMostMaxWidth},
    {{1000, 0, 0, 0, 0, 0}, MaxWidth, 900, &AtLeastMinWidth},
    {{0, 0, 0, 0, 400, 0}, MinHeight, 450, &AtMostHeight},
    {{0, 0, 0, 0, 400, 0}, MaxHeight, 350, &AtLeastHeight},
    {{0, 0, 0, 0, 0, 400}, MinHeight, 500, &AtMostMaxHeight},
    {{0, 0, 0, 500, 0, 0}, MaxHeight, 450, &AtLeastMinHeight},
    // Two checks fail: the earlier one decides.
    {{600, 800, 0, 0, 0, 0}, MaxWidth, 500, &AtLeastMinWidth},
    {{0, 0, 0, 0, 300, 400}, MinHeight, 500, &AtMostMaxHeight},
    // A negative value before anything else.
    {{600, 800, 1000, 0, 0, 0}, Width, -1, &NotNegative},
};

class FormSize : public TQuorvelFixture {
protected:
    TQuorvel& Fresh() { return Component(Load(FormText(""))); }

    static void Apply(TQuorvel& q, const TAxisValues& v) {
        for (const TSize* p : All)
            (q.*(p->Set))(0);
        // Sizes, then maxima, then minima: every consistent set goes in this way.
        q.SetFormWidth(v.Width);
        q.SetFormHeight(v.Height);
        q.SetFormMaxWidth(v.MaxWidth);
        q.SetFormMaxHeight(v.MaxHeight);
        q.SetFormMinWidth(v.MinWidth);
        q.SetFormMinHeight(v.MinHeight);
    }

    // The message of the refusal, or "" when the value was taken.
    static std::string Assign(TQuorvel& q, const TSize& p, int value) {
        try {
            (q.*(p.Set))(value);
            return "";
        } catch (const EInvalidOperation& e) {
            return e.Message();
        }
    }
};

TEST_F(FormSize, RefusalsInEnglishAndJapanese) {
    auto& q = Fresh();
    for (const char* locale : {"ENU", "JPN", "jpn", "DEU"}) {
        Desktop->SetLocale(locale);
        const bool japanese = std::string(locale) == "JPN" || std::string(locale) == "jpn";
        for (const TCase& c : Cases) {
            SCOPED_TRACE(::testing::Message()
                         << locale << ": " << c.Property.Name << " := " << c.Value);
            Apply(q, c.Before);
            const int before = (q.*(c.Property.Get))();
            const std::string refusal = Assign(q, c.Property, c.Value);
            EXPECT_EQ(Quorvel::IsJapanese, japanese);
            if (!c.Refusal) {
                EXPECT_EQ(refusal, "");
                EXPECT_EQ((q.*(c.Property.Get))(), c.Value);
            } else {
                EXPECT_EQ(refusal, japanese ? c.Refusal->Japanese : c.Refusal->English);
                EXPECT_EQ((q.*(c.Property.Get))(), before);
            }
        }
    }
}

TEST_F(FormSize, EveryPropertyRefusesNegativeValuesAndTakesZero) {
    auto& q = Fresh();
    for (const TSize* p : All) {
        SCOPED_TRACE(p->Name);
        EXPECT_EQ(Assign(q, *p, -1), NotNegative.English);
        EXPECT_EQ(Assign(q, *p, -2147483647 - 1), NotNegative.English);
        EXPECT_EQ(Assign(q, *p, 0), "");
        EXPECT_EQ(Assign(q, *p, 640), "");
        // The value already held passes again.
        EXPECT_EQ(Assign(q, *p, 640), "");
        EXPECT_EQ((q.*(p->Get))(), 640);
        EXPECT_EQ(Assign(q, *p, 0), "");
        EXPECT_EQ((q.*(p->Get))(), 0);
    }
}

TEST_F(FormSize, LanguageIsTakenAgainAtEveryAssignment) {
    auto& q = Fresh();
    q.SetFormMaxWidth(1000);
    Desktop->SetLocale("JPN");
    EXPECT_EQ(Assign(q, Width, 1200), AtMostMaxWidth.Japanese);
    Desktop->SetLocale("ENG");
    EXPECT_EQ(Assign(q, Width, 1200), AtMostMaxWidth.English);
    // Also an accepted value decides the language, and so does zero.
    Desktop->SetLocale("JPN");
    q.SetFormHeight(0);
    EXPECT_TRUE(Quorvel::IsJapanese);
    Desktop->SetLocale("ENU");
    q.SetFormHeight(300);
    EXPECT_FALSE(Quorvel::IsJapanese);
    // The name is cut to three letters.
    Desktop->SetLocale("jpnx");
    EXPECT_EQ(Assign(q, MinWidth, 1001), AtMostMaxWidth.Japanese);
    Desktop->SetLocale("JP");
    EXPECT_EQ(Assign(q, MinWidth, 1001), AtMostMaxWidth.English);
    // No language to be had: English.
    Desktop->SetLocale("");
    EXPECT_EQ(Assign(q, MinWidth, 1001), AtMostMaxWidth.English);
}

TEST_F(FormSize, DesignerValidatesToo) {
    auto& q = Component(Load(FormText("", "    FormWidth = 800\n"), true));
    ASSERT_TRUE(q.Designing());
    EXPECT_EQ(Assign(q, MaxWidth, 700), AtLeastWidth.English);
    EXPECT_EQ(Assign(q, Height, -5), NotNegative.English);
    EXPECT_EQ(Assign(q, MinWidth, 800), "");
}

TEST_F(FormSize, FormFileBreakingTheRuleStopsTheReader) {
    for (const char* locale : {"ENU", "JPN"}) {
        SCOPED_TRACE(locale);
        Desktop->SetLocale(locale);
        const bool japanese = std::string(locale) == "JPN";
        // Line 12 of the file holds FormMinWidth.
        const std::string text = FormText("", "    FormMaxWidth = 1000\n    FormMinWidth = 1200\n");
        try {
            Load(text);
            ADD_FAILURE() << "read without error";
        } catch (const EReadError& e) {
            const char* expected = japanese ? AtMostMaxWidth.Japanese : AtMostMaxWidth.English;
            EXPECT_EQ(e.Reason(), expected);
            EXPECT_NE(e.Message().find(expected), std::string::npos);
            EXPECT_EQ(e.FileName(), "test.dfm");
            EXPECT_EQ(e.Line(), 12);
        }
    }
    // The same values in the other order break the rule at the maximum.
    Desktop->SetLocale("ENU");
    try {
        Load(FormText("", "    FormMinWidth = 1200\n    FormMaxWidth = 1000\n"));
        ADD_FAILURE() << "read without error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Reason(), AtLeastMinWidth.English);
    }
    // Values that keep the rule read without error.
    auto& q = Component(Load(FormText("", "    FormWidth = 800\n    FormHeight = 600\n"
                                          "    FormMaxWidth = 1000\n    FormMaxHeight = 800\n"
                                          "    FormMinWidth = 800\n    FormMinHeight = 300\n")));
    EXPECT_EQ(q.FormMinWidth(), 800);
    EXPECT_EQ(q.FormMaxHeight(), 800);
}

} // namespace
} // namespace QuorvelTest
