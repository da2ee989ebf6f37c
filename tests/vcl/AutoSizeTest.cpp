// Controls that size themselves: labels to their caption, edits and combo boxes
// to their font, panels to their children; after reading and after changes.
#include "vcl/VclTestSupport.h"

using namespace Vcl;
using namespace VclTest;

namespace {

class AutoSize : public ::testing::Test {
protected:
    Sim::TDesktop desktop;

    std::unique_ptr<TForm> Form(const std::string& children) {
        return LoadAs<TForm>("object Form1: TForm\n  ClientWidth = 400\n  ClientHeight = 300\n" +
                             children + "end\n");
    }
};

std::string Label(const char* name, const std::string& extra) {
    return "  object " + std::string(name) +
           ": TLabel\n    Left = 100\n    Top = 50\n    Width = 300\n    Height = 90\n" + extra +
           "  end\n";
}

TEST_F(AutoSize, ALabelTakesItsCaptionsBoxAndKeepsItAgainstSettersAndAfterChanges) {
    auto form = Form(Label("Short", "    Caption = 'OK'\n") +
                     Label("Long", "    Caption = 'A much longer caption'\n") +
                     Label("Fixed", "    Caption = 'OK'\n    AutoSize = False\n") +
                     Label("Right", "    Alignment = taRightJustify\n    Caption = 'OK'\n"));
    auto* shortLabel = Find<TLabel>(*form, "Short");
    auto* longLabel = Find<TLabel>(*form, "Long");
    // Read from the file at another size, they come out at their text's.
    EXPECT_LT(shortLabel->Width(), longLabel->Width());
    EXPECT_LT(shortLabel->Height(), 90);
    EXPECT_EQ(shortLabel->Height(), longLabel->Height());
    EXPECT_EQ(shortLabel->Left(), 100);
    EXPECT_EQ(Find<TLabel>(*form, "Fixed")->Width(), 300);
    // A right-justified label keeps its right edge.
    auto* right = Find<TLabel>(*form, "Right");
    EXPECT_EQ(right->Left() + right->Width(), 400);
    EXPECT_EQ(right->Width(), shortLabel->Width());

    const int width = shortLabel->Width(), height = shortLabel->Height();
    shortLabel->SetWidth(250);
    EXPECT_EQ(shortLabel->Width(), width);
    shortLabel->Font()->SetSize(20);
    EXPECT_GT(shortLabel->Width(), width);
    EXPECT_GT(shortLabel->Height(), height);
    shortLabel->SetText("A much longer caption");
    shortLabel->Font()->SetSize(8);
    EXPECT_EQ(shortLabel->Width(), longLabel->Width());
    shortLabel->SetAutoSize(false);
    shortLabel->SetBounds(0, 0, 250, 40);
    EXPECT_EQ(shortLabel->Width(), 250);
}

TEST_F(AutoSize, AWordWrappedLabelKeepsItsWidthAndGrowsInLines) {
    auto form = Form(Label("Wrapped", "    Caption = 'one two three four five six seven eight'\n"
                                      "    WordWrap = True\n"));
    auto* label = Find<TLabel>(*form, "Wrapped");
    EXPECT_EQ(label->Width(), 300);
    const int oneLine = label->Height();
    label->SetWidth(40);
    EXPECT_EQ(label->Width(), 40);
    EXPECT_GT(label->Height(), 3 * oneLine);
    EXPECT_EQ(label->Height() % oneLine, 0);
}

TEST_F(AutoSize, AnAlignedLabelTakesTheAlignedSideFromItsParent) {
    auto form = Form(Label("Top", "    Align = alTop\n    Caption = 'OK'\n"));
    auto* label = Find<TLabel>(*form, "Top");
    EXPECT_EQ(label->Width(), 400);
    EXPECT_LT(label->Height(), 90);
    EXPECT_EQ(label->Top(), 0);
}

TEST_F(AutoSize, EditsAndDropDownCombosHaveTheirFontsHeight) {
    auto form = Form("  object E: TEdit\n    Left = 8\n    Top = 8\n    Width = 100\n"
                     "    Height = 90\n  end\n"
                     "  object Flat: TEdit\n    Left = 8\n    Top = 8\n    Width = 100\n"
                     "    Height = 90\n    AutoSize = False\n  end\n"
                     "  object C: TComboBox\n    Left = 8\n    Top = 40\n    Width = 100\n"
                     "    Height = 180\n  end\n"
                     "  object S: TComboBox\n    Left = 8\n    Top = 40\n    Width = 100\n"
                     "    Height = 180\n    Style = csSimple\n  end\n");
    auto* edit = Find<TEdit>(*form, "E");
    auto* combo = Find<TComboBox>(*form, "C");
    EXPECT_LT(edit->Height(), 90);
    EXPECT_EQ(edit->Height(), combo->Height());
    EXPECT_EQ(Find<TEdit>(*form, "Flat")->Height(), 90);
    EXPECT_EQ(Find<TComboBox>(*form, "S")->Height(), 180);
    const int height = edit->Height();
    edit->SetHeight(60);
    combo->SetHeight(60);
    EXPECT_EQ(edit->Height(), height);
    EXPECT_EQ(combo->Height(), height);
    edit->Font()->SetSize(16);
    combo->Font()->SetSize(16);
    EXPECT_GT(edit->Height(), height);
    EXPECT_EQ(edit->Height(), combo->Height());
    // Even alignment does not stretch them.
    edit->SetAlign(alClient);
    EXPECT_EQ(edit->Width(), 400);
    EXPECT_EQ(edit->Height(), combo->Height());
}

TEST_F(AutoSize, AnAutoSizedPanelHoldsItsChildrenAndFollowsThem) {
    auto form = Form("  object P: TPanel\n    Left = 10\n    Top = 10\n    Width = 300\n"
                     "    Height = 200\n    AutoSize = True\n"
                     "    object A: TPanel\n      Left = 0\n      Top = 0\n      Width = 50\n"
                     "      Height = 30\n      Align = alTop\n    end\n"
                     "    object B: TPanel\n      Left = 0\n      Top = 30\n      Width = 50\n"
                     "      Height = 40\n      Align = alTop\n    end\n"
                     "  end\n");
    auto* panel = Find<TPanel>(*form, "P");
    EXPECT_EQ(panel->Width(), 300); // no child decides the width
    // The stacks and the default raised bevel above and below them.
    EXPECT_EQ(panel->ClientHeight(), 70 + 2);
    Find<TPanel>(*form, "B")->SetHeight(100);
    EXPECT_EQ(panel->ClientHeight(), 130 + 2);
    static_cast<TControl*>(Find<TPanel>(*form, "A"))->SetVisible(false);
    EXPECT_EQ(panel->ClientHeight(), 100 + 2);
}

} // namespace
