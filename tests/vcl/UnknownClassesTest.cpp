// Lenient reading of classes the framework does not have: which become controls
// (recorded and scaled by the layout component) and which stay components.
#include "vcl/VclTestSupport.h"

#include <cstring>

using namespace Vcl;
using namespace VclTest;

namespace {

TFormLoadOptions Lenient() {
    TFormLoadOptions options;
    options.Lenient = true;
    return options;
}

bool IsControl(TComponent& root, std::string_view name) {
    TComponent* c = root.FindComponent(name);
    EXPECT_NE(c, nullptr) << name;
    return dynamic_cast<TControl*>(c) != nullptr;
}

const char* const kForm = R"(object F: TForm
  ClientHeight = 300
  ClientWidth = 400
  object Images: TPngImageList
    Height = 24
    Width = 24
    Left = 65534
    Top = 65534
  end
  object Query: TFDQuery
    SQL.Strings = ('select 1')
    Left = 40
    Top = 8
  end
  object Browser: TWebBrowser
    Align = alClient
    TabOrder = 0
  end
  object Gauge: TGauge
    Left = 8
    Top = 8
    Width = 100
    Height = 20
  end
  object Box: TVendorBox
    Left = 8
    Top = 40
    Width = 100
    Height = 60
    object Inner: TButton
      Left = 4
      Top = 4
      Width = 20
      Height = 20
    end
  end
  object OtherBox: TVendorBox
    Caption = 'no bounds of its own'
  end
end
)";

} // namespace

// A designer position or an image size is no control's bounds: image lists and
// data components at y = 65534 would otherwise be moved about with the form.
TEST(UnknownClasses, ComponentsWithPositionsOrImageSizesAreNoControls) {
    Sim::TDesktop desktop;
    auto root = Load(kForm, Lenient());
    EXPECT_FALSE(IsControl(*root, "Images"));
    EXPECT_FALSE(IsControl(*root, "Query"));
    // What was read is written back all the same.
    EXPECT_EQ(SaveFormText(*root), SaveFormText(*Load(SaveFormText(*root), Lenient())));
}

// Alignment and tab order, bounds in a control's order, or a control inside are
// evidence enough; another object of the same class without bounds is a control
// too, with the class defaults, rather than lost.
TEST(UnknownClasses, ControlsAreKnownByWhatOnlyControlsStore) {
    Sim::TDesktop desktop;
    auto root = Load(kForm, Lenient());
    EXPECT_TRUE(IsControl(*root, "Browser"));
    EXPECT_TRUE(IsControl(*root, "Gauge"));
    EXPECT_TRUE(IsControl(*root, "Box"));
    EXPECT_TRUE(IsControl(*root, "OtherBox"));
    EXPECT_EQ(Find<TControl>(*root, "Gauge")->Height(), 20);
}

// The user's word wins over the guess, whatever the letter case.
TEST(UnknownClasses, TheUserDecidesWhereTheGuessIsWrong) {
    Sim::TDesktop desktop;
    TFormLoadOptions options = Lenient();
    options.VisualClasses = {"tfdquery"};
    options.NonVisualClasses = {"TGAUGE"};
    auto root = Load(kForm, options);
    EXPECT_TRUE(IsControl(*root, "Query"));
    EXPECT_FALSE(IsControl(*root, "Gauge"));
}

// Names are unique per owner: two grids that each nest a `RowDetailData` own
// them, as such components do, and write them back inside themselves. Known
// classes own nothing, so the same names under two panels stay an error.
TEST(UnknownClasses, ObjectsOfOneNameInTwoUnknownHoldersBelongToTheirHolders) {
    Sim::TDesktop desktop;
    const char* const form = R"(object F: TForm
  object Grid1: TVendorGrid
    Left = 0
    Top = 0
    Width = 100
    Height = 50
    object RowDetailData: TVendorDetail
      Caption = 'one'
    end
  end
  object Grid2: TVendorGrid
    Left = 0
    Top = 60
    Width = 100
    Height = 50
    object RowDetailData: TVendorDetail
      Caption = 'two'
    end
  end
end
)";
    auto root = Load(form, Lenient());
    TComponent* grid1 = root->FindComponent("Grid1");
    TComponent* grid2 = root->FindComponent("Grid2");
    ASSERT_TRUE(grid1 && grid2);
    EXPECT_EQ(root->FindComponent("RowDetailData"), nullptr);
    ASSERT_NE(grid1->FindComponent("RowDetailData"), nullptr);
    ASSERT_NE(grid2->FindComponent("RowDetailData"), nullptr);
    const String written = SaveFormText(*root);
    EXPECT_NE(written.find("'one'"), String::npos) << written;
    EXPECT_NE(written.find("'two'"), String::npos) << written;
    EXPECT_EQ(written, Resave(written, Lenient()));
    EXPECT_LT(written.find("'one'"), written.find("Grid2")) << written;

    String known = form;
    for (const char* from : {"TVendorGrid", "TVendorGrid"})
        known.replace(known.find(from), std::strlen(from), "TPanel");
    for (const char* from : {"TVendorDetail", "TVendorDetail"})
        known.replace(known.find(from), std::strlen(from), "TLabel");
    EXPECT_NE(LoadError(known, Lenient()).Reason().find("A component named RowDetailData already"),
              String::npos);
}

// A component's design position comes after its published properties, so a
// size, a font or mouse events before it make no control of it (an editor's
// code-completion box, a tray icon); and a property of a control's name with
// another kind of value (a Boolean Constraints, margins in millimetres) is that
// class's own.
TEST(UnknownClasses, TheOrderAndKindOfValuesTellComponentsFromControls) {
    Sim::TDesktop desktop;
    const char* const form = R"(object F: TForm
  object Completion: TVendorCompletion
    Font.Name = 'Consolas'
    Width = 262
    OnKeyPress = CompletionKeyPress
    Left = 40
    Top = 8
  end
  object Tray: TVendorTrayIcon
    Visible = True
    OnDblClick = TrayDblClick
    OnMouseDown = TrayMouseDown
    Left = 72
    Top = 8
    Icon.Data = {0000}
  end
  object Sizer: TVendorSizer
    Constraints = True
  end
  object Printer: TVendorPrint
    Margins.Left = 25.000000000000000000
    Margins.UnitSystem = usMM
  end
  object Bar: TVendorBar
    AlignWithMargins = True
    Left = 3
    Top = 3
    Width = 100
    Height = 20
  end
  object Limited: TVendorView
    Constraints.MinWidth = 50
  end
  object Spaced: TVendorView2
    Margins.Left = 4
  end
end
)";
    auto root = Load(form, Lenient());
    EXPECT_FALSE(IsControl(*root, "Completion"));
    EXPECT_FALSE(IsControl(*root, "Tray"));
    EXPECT_FALSE(IsControl(*root, "Sizer"));
    EXPECT_FALSE(IsControl(*root, "Printer"));
    EXPECT_TRUE(IsControl(*root, "Bar"));
    EXPECT_TRUE(IsControl(*root, "Limited"));
    EXPECT_TRUE(IsControl(*root, "Spaced"));
    const String written = SaveFormText(*root);
    EXPECT_EQ(written, Resave(written, Lenient()));
    EXPECT_NE(written.find("Constraints = True"), String::npos) << written;
    EXPECT_NE(written.find("Margins.Left = 25"), String::npos) << written;
}
