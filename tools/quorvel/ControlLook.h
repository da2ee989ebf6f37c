// What a control looks like at one moment, taken from its published properties
// when the snapshot is made: the kind of picture its class gets, its texts, font,
// colours and state. Drawing and the layout check read only this.
#pragma once

#include "Canvas.h"
#include "ImageDecoding.h"
#include "quorvel/vcl/Controls.h"
#include "quorvel/vcl/Forms.h"

#include <string>
#include <vector>

namespace QuorvelTool {

enum class TLookKind {
    Unknown, // drawn as an outlined box with its name
    Label,
    Button,
    SpeedButton,
    CheckBox,
    RadioButton,
    Edit,
    Memo,
    ListBox,
    CheckListBox,
    ComboBox,
    GroupBox,
    RadioGroup,
    Panel,
    Frame,
    ScrollBox,
    PageControl,
    TabSheet,
    TabControl,
    StatusBar,
    ToolBar,
    CoolBar,
    ToolButton,
    Splitter,
    Image,
    Bevel,
    Shape,
    ProgressBar,
    TrackBar,
    UpDown,
    Grid,
    ListView,
    TreeView,
    PaintBox,
};

struct TControlLook {
    TLookKind Kind = TLookKind::Unknown;
    bool Visible = true;      // it, every parent, and the page it lies on is the active one
    bool OnOtherPage = false; // not Visible only because its page is not the active one
    bool Enabled = true;
    std::string Text;               // caption or text, accelerator marks included
    std::vector<std::string> Items; // lines, items, tabs, status panels or columns
    std::vector<int> ItemWidths;    // status panels and list columns
    std::vector<int> OneRowTabs;    // the tabs' widths when they stay in one row
    int Index = -1;                 // the selected item or the active tab
    int State = 0;                  // check state (0, 1, 2), a default button (1), a position
    int Range = 0;                  // progress and track bars: Max - Min
    int Columns = 1;                // radio groups
    int VScroll = 0, HScroll = 0;   // memos: the width and height of their scroll bars, if any
    std::string Alignment;          // taLeftJustify, taCenter, taRightJustify
    std::string Layout;             // tlTop, tlCenter, tlBottom (labels)
    std::string Style;              // the class's Style or Shape, by name
    bool WordWrap = false;
    bool Border = true; // BorderStyle bsSingle where the class has one
    std::string BevelOuter, BevelInner;
    int BevelWidth = 1;
    int BorderWidth = 0;
    bool Transparent = false;
    bool ShowCaption = true;
    TRgb Color = 0xD4D0C8;
    TRgb FontColor = 0x000000;
    bool HasFont = false;
    Win32::LOGFONTW Font{};
    // A picture, glyph or image-list image the form holds, decoded; none when
    // there is none or it cannot be decoded (a placeholder is drawn then).
    TImageRef Image;
    bool HasImage = false; // the form holds one, decoded or not
    bool Stretch = false, Center = false, Proportional = false;
    // The shown tabs of a page or tab control as the framework lays them out
    // (Items holds their captions, Index the selected one).
    struct TTab {
        int Width = 0;
        int Row = 0; // 0: the first tab's row
        TImageRef Image;
    };
    std::vector<TTab> Tabs;
    int TabRowHeight = 0;
    int TabImageWidth = 0, TabImageHeight = 0; // the image list's, when the tabs have one
    bool RaggedRight = false;
};

// The frame a form's window gets from its border style and icons, and its
// main menu's bar.
struct TWindowLook {
    std::string BorderStyle = "bsSizeable";
    bool SystemMenu = true, Minimize = true, Maximize = true, Help = false;
    struct TMenuItem {
        std::string Caption;
        bool Enabled = true;
    };
    std::vector<TMenuItem> Menu; // the top items shown
    int MenuBar = 0;             // the bar's height, 0 without one
};

// Reads the look of a control on the current simulated desktop.
TControlLook TakeLook(Vcl::TControl& control);

TWindowLook TakeWindowLook(Vcl::TCustomForm& form);

// A colour of the framework (system colours by their classic scheme).
TRgb ToRgb(Vcl::TColor color);

// Face, height and style of a LOGFONTW the desktop made for a framework font.
Win32::LOGFONTW FontOf(Vcl::TFont& font);

} // namespace QuorvelTool
