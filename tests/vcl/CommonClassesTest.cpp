// The standard classes of the common-control, button, grid, dialog, image-list and
// action units: which are controls, and that forms using them read strictly and
// write back as the designer wrote them.
#include "vcl/VclTestSupport.h"

#include "quorvel/vcl/ImgList.h"

using namespace Vcl;
using namespace VclTest;

// The layout component records and scales TControl descendants only: a class on
// the wrong side either moves an image list around or leaves a list view unscaled.
TEST(CommonClasses, VisualOnesAreControlsAndTheRestAreNot) {
    Sim::TDesktop desktop;
    TForm owner(nullptr);
    const char* const visual[] = {
        "TListView",      "TTreeView",     "TStatusBar",   "TToolBar",       "TToolButton",
        "TTrackBar",      "TUpDown",       "TProgressBar", "TRichEdit",      "TDateTimePicker",
        "TMonthCalendar", "THotKey",       "TTabControl",  "THeaderControl", "TAnimate",
        "TSpeedButton",   "TBitBtn",       "TSplitter",    "TRadioGroup",    "TPaintBox",
        "TColorBox",      "TButtonedEdit", "TLinkLabel",   "TStringGrid",    "TDrawGrid",
        "TMaskEdit",      "TCheckListBox"};
    const char* const nonVisual[] = {
        "TImageList",          "TActionList",       "TAction",      "TApplicationEvents",
        "TTrayIcon",           "TFontDialog",       "TColorDialog", "TPrintDialog",
        "TPrinterSetupDialog", "TPageSetupDialog",  "TFindDialog",  "TReplaceDialog",
        "TOpenPictureDialog",  "TSavePictureDialog"};
    for (const char* name : visual) {
        const TClassInfo* info = GetClass(name);
        ASSERT_TRUE(info && info->Create) << name;
        EXPECT_NE(dynamic_cast<TControl*>(info->Create(&owner)), nullptr) << name;
    }
    for (const char* name : nonVisual) {
        const TClassInfo* info = GetClass(name);
        ASSERT_TRUE(info && info->Create) << name;
        EXPECT_EQ(dynamic_cast<TControl*>(info->Create(&owner)), nullptr) << name;
    }
}

// Collections, kept binary data and the newer style properties all come back
// unchanged, so a file the designer wrote survives being read and written.
TEST(CommonClasses, AFormOfThemReadsStrictlyAndWritesBackAsRead) {
    const std::string text = R"(object Main: TForm
  Left = 0
  Top = 0
  Caption = 'Main'
  ClientHeight = 300
  ClientWidth = 400
  Color = clBtnFace
  OldCreateOrder = False
  PixelsPerInch = 96
  StyleElements = [seFont, seClient]
  TextHeight = 15
  object Bar: TToolBar
    Left = 0
    Top = 0
    Width = 400
    Height = 29
    EdgeBorders = [ebTop]
    Flat = True
    Images = Icons
    TabOrder = 0
    object AddButton: TToolButton
      Left = 0
      Top = 0
      Action = AddAction
      Style = tbsWholeDropDown
    end
  end
  object Cool: TCoolBar
    Left = 0
    Top = 29
    Width = 400
    Height = 26
    BandMaximize = bmDblClick
    Bands = <
      item
        Control = Inner
        ImageIndex = -1
        MinHeight = 22
        Width = 396
      end>
    ShowText = False
    object Inner: TPanel
      Left = 9
      Top = 0
      Width = 383
      Height = 22
      TabOrder = 0
    end
  end
  object Items: TListView
    Left = 8
    Top = 40
    Width = 380
    Height = 200
    Columns = <
      item
        Caption = 'Name'
        Width = 120
      end
      item
        Caption = 'Size'
      end>
    Groups = <
      item
        Header = 'Files'
        GroupID = 1
        State = [lgsNormal, lgsCollapsible]
      end
      item
        Header = 'Folders'
        GroupID = 2
        State = [lgsNormal]
      end>
    TabOrder = 1
    ViewStyle = vsReport
  end
  object Status: TStatusBar
    Left = 0
    Top = 281
    Width = 400
    Height = 19
    Panels = <
      item
        Width = 120
      end
      item
        Text = 'Ready'
      end>
  end
  object Icons: TImageList
    Left = 200
    Top = 65534
    Bitmap = {
      0102030405}
  end
  object Actions: TActionList
    Left = 240
    Top = 8
    object AddAction: TAction
      Caption = 'Add'
    end
  end
end
)";
    Sim::TDesktop desktop;
    std::unique_ptr<TComponent> root = Load(text);
    EXPECT_EQ(SaveFormText(*root), text);
    // The image list's design position is no control's bounds.
    EXPECT_EQ(dynamic_cast<TControl*>(root->FindComponent("Icons")), nullptr);
    EXPECT_EQ(Find<TImageList>(*root, "Icons")->Width(), 16);
}

// Bars align themselves where their class does; the alignment itself belongs to
// the control layout.
TEST(CommonClasses, BarsAndSplittersStartWithTheirClassAlignment) {
    Sim::TDesktop desktop;
    TForm owner(nullptr);
    EXPECT_EQ(TStatusBar(&owner).Align(), alBottom);
    EXPECT_EQ(TToolBar(&owner).Align(), alTop);
    EXPECT_EQ(TSplitter(&owner).Align(), alLeft);
    std::unique_ptr<TComponent> root = Load("object F: TForm\n"
                                            "  object S: TStatusBar\n"
                                            "    Align = alTop\n"
                                            "  end\n"
                                            "end\n");
    EXPECT_EQ(Find<TStatusBar>(*root, "S")->Align(), alTop);
}
