// The pictures of `quorvel run --svg/--png`: what the SVG names and where, and
// pixels of the PNG at known points of the controls.
#include "FormPainter.h"
#include "ImageDecoding.h"
#include "RasterCanvas.h"
#include "RunSession.h"
#include "support/FormSnapshots.h"
#include "tool/ToolTestSupport.h"

#include <zlib.h>

#include <optional>
#include <sstream>

namespace ToolTest {
namespace {

using namespace QuorvelTool;

const std::string Picture = R"(object Form1: TForm1
  Left = 0
  Top = 0
  Caption = 'Picture'
  ClientHeight = 200
  ClientWidth = 320
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  object Apply: TButton
    Left = 10
    Top = 10
    Width = 75
    Height = 25
    Caption = '&Apply'
  end
  object Title: TLabel
    Left = 100
    Top = 10
    Width = 40
    Height = 19
    AutoSize = False
    Caption = 'A caption far too long for its label'
    Font.Height = -16
    Font.Name = 'Courier New'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Checked: TCheckBox
    Left = 10
    Top = 50
    Width = 97
    Height = 17
    Caption = 'Checked'
    State = cbChecked
  end
  object Unchecked: TCheckBox
    Left = 10
    Top = 80
    Width = 97
    Height = 17
    Caption = 'Unchecked'
  end
  object Group: TGroupBox
    Left = 150
    Top = 50
    Width = 160
    Height = 100
    Caption = 'Options'
    object Name: TEdit
      Left = 10
      Top = 30
      Width = 120
      Height = 21
      Text = 'Hello'
    end
  end
  object Gadget: TWidget
    Left = 10
    Top = 120
    Width = 100
    Height = 40
  end
end
)";

// Our own PNG files: one RGB image, rows without filter.
std::vector<unsigned char> DecodePng(const std::string& png, int& width, int& height) {
    auto get32 = [&](std::size_t at) {
        return (static_cast<unsigned>(static_cast<unsigned char>(png[at])) << 24) |
               (static_cast<unsigned>(static_cast<unsigned char>(png[at + 1])) << 16) |
               (static_cast<unsigned>(static_cast<unsigned char>(png[at + 2])) << 8) |
               static_cast<unsigned>(static_cast<unsigned char>(png[at + 3]));
    };
    std::string data;
    for (std::size_t at = 8; at + 8 <= png.size();) {
        const unsigned length = get32(at);
        const std::string type = png.substr(at + 4, 4);
        if (type == "IHDR") {
            width = static_cast<int>(get32(at + 8));
            height = static_cast<int>(get32(at + 12));
        } else if (type == "IDAT") {
            data += png.substr(at + 8, length);
        }
        at += 12 + length;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3 + 1;
    std::vector<unsigned char> raw(stride * static_cast<std::size_t>(height));
    uLongf size = static_cast<uLongf>(raw.size());
    EXPECT_EQ(uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(data.data()),
                         static_cast<uLong>(data.size())),
              Z_OK);
    std::vector<unsigned char> rgb;
    for (int y = 0; y < height; ++y) {
        EXPECT_EQ(raw[stride * static_cast<std::size_t>(y)], 0);
        rgb.insert(rgb.end(), raw.begin() + static_cast<std::ptrdiff_t>(stride * y + 1),
                   raw.begin() + static_cast<std::ptrdiff_t>(stride * (y + 1)));
    }
    return rgb;
}

bool Dark(TRgb c) {
    return ((c >> 16) & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && (c & 0xFF) < 0x60;
}

int DarkPixels(const TRasterCanvas& canvas, const TBox& box) {
    int n = 0;
    for (int y = box.Top; y < box.Bottom(); ++y)
        for (int x = box.Left; x < box.Right(); ++x)
            n += Dark(canvas.Pixel(x, y)) ? 1 : 0;
    return n;
}

class FormPicture : public ::testing::Test {
protected:
    void SetUp() override {
        File = Dir.Write("picture.dfm", Picture);
        Shots = Snapshots(File);
        ASSERT_EQ(Shots.size(), 1u);
        Desktop.emplace();
        Client = LayoutPicture(Shots).Clients[0];
    }
    TBox At(int l, int t, int w, int h) const { return {Client.Left + l, Client.Top + t, w, h}; }

    TScratch Dir;
    std::string File;
    std::vector<TSnapshot> Shots;
    TBox Client;
    std::optional<Sim::TDesktop> Desktop; // for the metrics while the test draws
};

TEST_F(FormPicture, TheSvgNamesEachTextInItsControlsFontAndDrawsTheFaces) {
    const std::string svg = MakeFormSvg(Shots);
    auto x = [&](int v) { return std::to_string(Client.Left + v); };
    auto y = [&](int v) { return std::to_string(Client.Top + v); };
    // The button's face at its bounds, its caption without the accelerator mark.
    EXPECT_NE(svg.find("<rect x=\"" + x(10) + "\" y=\"" + y(10) +
                       "\" width=\"75\" height=\"25\" fill=\"#d4d0c8\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("font-family=\"'Tahoma', sans-serif\" font-size=\"11px\" fill=\"#000000\" "
                       "xml:space=\"preserve\">Apply</text>"),
              std::string::npos)
        << svg;
    // The label's own face, with the file that stands in for it, size and style.
    EXPECT_NE(svg.find("font-family=\"'Courier New', 'Liberation Mono', monospace\" "
                       "font-size=\"16px\" font-weight=\"bold\""),
              std::string::npos);
    // Its text is clipped to its bounds.
    EXPECT_NE(svg.find("<clipPath id=\"c"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"" + x(100) + "\" y=\"" + y(10) +
                       "\" width=\"40\" height=\"19\"/>"
                       "</clipPath>"),
              std::string::npos);
    for (const char* text : {">Options</text>", ">Hello</text>", ">Checked</text>",
                             ">Picture</text>", ">Gadget</text>"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    // The unknown class is an outlined box.
    EXPECT_NE(svg.find("<rect x=\"" + x(10) + ".5\" y=\"" + y(120) +
                       ".5\" width=\"99\" height=\"39\" fill=\"none\" stroke=\"#4a6fa5\"/>"),
              std::string::npos);
}

TEST_F(FormPicture, ThePngShowsEdgesMarksAndTextClippedToEachControl) {
    const std::string png = MakeFormPng(Shots);
    int width = 0, height = 0;
    const std::vector<unsigned char> rgb = DecodePng(png, width, height);
    const TPictureLayout layout = LayoutPicture(Shots);
    ASSERT_EQ(width, layout.Width);
    ASSERT_EQ(height, layout.Height);
    // The file holds exactly what the canvas drew.
    TRasterCanvas canvas(layout.Width, layout.Height, 0xFFFFFF);
    PaintPicture(canvas, Shots);
    EXPECT_EQ(rgb, canvas.Pixels());

    // A raised button: light top-left, dark bottom-right, face in between, the
    // caption in the middle.
    const TBox button = At(10, 10, 75, 25);
    EXPECT_EQ(canvas.Pixel(button.Left, button.Top), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(button.Right() - 1, button.Bottom() - 1), 0x404040u);
    EXPECT_EQ(canvas.Pixel(button.Left + 4, button.Top + 4), 0xD4D0C8u);
    EXPECT_GT(DarkPixels(canvas, button.Inset(20, 6)), 20);
    // The edit is sunken and white inside, with its text at the left.
    const TBox edit = At(150 + 10, 50 + 30, 120, 21);
    EXPECT_EQ(canvas.Pixel(edit.Left, edit.Top), 0x808080u);
    EXPECT_EQ(canvas.Pixel(edit.Right() - 1, edit.Bottom() - 1), 0xFFFFFFu);
    EXPECT_GT(DarkPixels(canvas, {edit.Left + 3, edit.Top + 3, 30, 15}), 10);
    EXPECT_EQ(DarkPixels(canvas, {edit.Left + 60, edit.Top + 3, 50, 15}), 0);
    // Check marks only where checked.
    EXPECT_GT(DarkPixels(canvas, At(12, 50 + 2 + 2, 9, 9)), 5);
    EXPECT_EQ(DarkPixels(canvas, At(12, 80 + 2 + 2, 9, 9)), 0);
    // The long label draws inside its 40 pixels and nowhere right of them.
    EXPECT_GT(DarkPixels(canvas, At(100, 10, 40, 19)), 20);
    EXPECT_EQ(DarkPixels(canvas, At(140, 10, 180, 19)), 0);
}

TEST_F(FormPicture, AWindowTheSystemStretchesIsDrawnStretched) {
    std::vector<TSnapshot> stretched = Shots;
    stretched[0].DisplayScale = 2.0;
    const TBox client = LayoutPicture(stretched).Clients[0];
    EXPECT_EQ(client.Width, 2 * Shots[0].ClientWidth);
    EXPECT_EQ(client.Height, 2 * Shots[0].ClientHeight);
    EXPECT_GT(LayoutPicture(stretched).Width, LayoutPicture(Shots).Width);
    EXPECT_NE(MakeFormSvg(stretched).find(" scale(2) "), std::string::npos);

    const TPictureLayout layout = LayoutPicture(stretched);
    TRasterCanvas canvas(layout.Width, layout.Height, 0xFFFFFF);
    PaintPicture(canvas, stretched);
    // The button at twice its place and size: its face where the unstretched
    // one has ended already, its dark bottom-right edge two pixels wide (and
    // blurred into what lies beside it, as the system's stretching blurs).
    const TBox button{client.Left + 20, client.Top + 20, 150, 50};
    EXPECT_EQ(canvas.Pixel(button.Left + 100, button.Top + 8), 0xD4D0C8u);
    EXPECT_TRUE(Dark(canvas.Pixel(button.Right() - 2, button.Bottom() - 2)));
    EXPECT_EQ(canvas.Pixel(button.Right() + 2, button.Top + 8),
              canvas.Pixel(client.Left + 300, client.Top + 2));
}

TEST(FormPictureCommand, RunWritesBothPicturesAndKeepsTheWireframe) {
    TScratch dir;
    const std::string form = dir.Write("picture.dfm", Picture);
    TResult r = Quorvel({"run", "--lenient", form, "client", "400x260", "--svg", dir.Path("a.svg"),
                         "--png", dir.Path("a.png")},
                        {{"PATH", dir.Dir.string()}});
    // No converter on the PATH: the picture is drawn without one.
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string svg = ReadFile(dir.Path("a.svg"));
    EXPECT_NE(svg.find(">after client 400x260: 400 x 260</text>"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.Path("a.png")).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    r = Quorvel({"run", "--lenient", form, "--wireframe", "--svg", dir.Path("w.svg")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(ReadFile(dir.Path("w.svg")).find("class=\"control\""), std::string::npos);
}

const std::string Linked = R"(object Linked: TForm
  Caption = 'Linked'
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu, biMinimize, biMaximize, biHelp]
  ClientHeight = 120
  ClientWidth = 300
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'Tahoma'
  Menu = MainMenu1
  PixelsPerInch = 96
  object Apply: TButton
    Left = 10
    Top = 10
    Width = 90
    Height = 25
    Action = ApplyAction
  end
  object Wrap: TCheckBox
    Left = 10
    Top = 50
    Width = 120
    Height = 17
    Action = WrapAction
  end
  object Hidden: TButton
    Left = 150
    Top = 10
    Width = 75
    Height = 25
    Caption = 'Hidden'
    Action = HiddenAction
  end
  object Actions: TActionList
    object ApplyAction: TAction
      Caption = 'Apply &now'
      Enabled = False
    end
    object WrapAction: TAction
      Caption = 'Wrap lines'
      Checked = True
    end
    object HiddenAction: TAction
      Caption = 'Hidden'
      Visible = False
    end
  end
  object MainMenu1: TMainMenu
    object FileMenu: TMenuItem
      Caption = '&File'
    end
    object EditMenu: TMenuItem
      Action = ApplyAction
    end
    object GoneMenu: TMenuItem
      Caption = 'Gone'
      Visible = False
    end
  end
end
)";

const TControlState& Named(const TSnapshot& s, const std::string& name) {
    for (const TControlState& c : s.Controls)
        if (c.Name == name)
            return c;
    ADD_FAILURE() << name;
    return s.Controls.front();
}

TEST(FormPictureWindow, ActionsMenusAndTheBorderStyleDecideWhatIsShown) {
    TScratch dir;
    std::vector<TSnapshot> shots = Snapshots(dir.Write("linked.dfm", Linked));
    ASSERT_EQ(shots.size(), 1u);
    const TSnapshot& s = shots[0];
    // Controls show their action's caption, state and visibility.
    EXPECT_EQ(Named(s, "Apply").Look.Text, "Apply &now");
    EXPECT_FALSE(Named(s, "Apply").Look.Enabled);
    EXPECT_EQ(Named(s, "Wrap").Look.Text, "Wrap lines");
    EXPECT_EQ(Named(s, "Wrap").Look.State, 1);
    EXPECT_FALSE(Named(s, "Hidden").Look.Visible);
    // A dialog shows no menu bar at run time.
    EXPECT_TRUE(s.Window.Menu.empty());
    EXPECT_EQ(s.Window.MenuBar, 0);

    const TPainted painted(shots);
    const TBox& client = painted.Client;
    const TRasterCanvas& canvas = painted.Canvas;
    // A dialog's caption has close and help only: the place of a minimize button
    // stays caption blue.
    const int captionY = client.Top - 10;
    const int right = client.Right() - 2;
    EXPECT_EQ(canvas.Pixel(right - 14, captionY), 0xD4D0C8u); // close
    EXPECT_EQ(canvas.Pixel(right - 32, captionY), 0xD4D0C8u); // help
    EXPECT_EQ(canvas.Pixel(right - 46, captionY), 0x0A246Au);
    // The disabled button's caption is etched, not black.
    EXPECT_EQ(DarkPixels(canvas, {client.Left + 12, client.Top + 12, 86, 21}), 0);
    // The hidden button is not drawn.
    EXPECT_EQ(canvas.Pixel(client.Left + 150, client.Top + 10), 0xD4D0C8u);
    EXPECT_EQ(canvas.Pixel(client.Left + 224, client.Top + 34), 0xD4D0C8u);

    // A sizeable window has both buttons of the pair, one greyed when only the
    // other is asked for; a tool window has a smaller caption.
    shots[0].Window.BorderStyle = "bsSizeable";
    shots[0].Window.Maximize = false;
    EXPECT_EQ(LayoutPicture(shots).Clients[0].Top, client.Top + 1);
    shots[0].Window.BorderStyle = "bsToolWindow";
    EXPECT_EQ(LayoutPicture(shots).Clients[0].Top, client.Top - 3);
    shots[0].Window.BorderStyle = "bsNone";
    EXPECT_EQ(LayoutPicture(shots).Clients[0].Top, client.Top - 3 - 19);
}

TEST(FormPictureWindow, TheMenuBarTakesItsOwnRowAboveTheControls) {
    TScratch dir;
    std::string text = Linked;
    text.replace(text.find("bsDialog"), 8, "bsSingle");
    std::vector<TSnapshot> shots = Snapshots(dir.Write("menu.dfm", text));
    ASSERT_EQ(shots.size(), 1u);
    const TSnapshot& s = shots[0];
    // The menu's visible top items, linked ones through their action.
    ASSERT_EQ(s.Window.Menu.size(), 2u);
    EXPECT_EQ(s.Window.Menu[0].Caption, "&File");
    EXPECT_EQ(s.Window.Menu[1].Caption, "Apply &now");
    EXPECT_FALSE(s.Window.Menu[1].Enabled);
    // The stored client size is what the controls get; the window is a row higher.
    EXPECT_EQ(s.ClientHeight, 120);
    EXPECT_EQ(s.Window.MenuBar, 19);
    EXPECT_EQ(s.WindowBottom - s.WindowTop, 120 + 2 * 3 + 23 + 19);
    EXPECT_EQ(Named(s, "Apply").ClientTop, 10);

    const TPainted painted(shots);
    const TBox& client = painted.Client;
    const TRasterCanvas& canvas = painted.Canvas;
    // The bar lies between the caption and the client area, its first item's text
    // at its left; the button below it starts at its own top.
    const TBox bar{client.Left, client.Top - 19, client.Width, 19};
    EXPECT_EQ(canvas.Pixel(bar.Right() - 2, bar.Top + 2), 0xD4D0C8u);
    EXPECT_GT(DarkPixels(canvas, {bar.Left + 5, bar.Top, 25, bar.Height}), 10);
    EXPECT_EQ(canvas.Pixel(client.Left + 2, bar.Top - 3), 0x0A246Au);
    EXPECT_EQ(canvas.Pixel(client.Left + 10, client.Top + 10), 0xFFFFFFu) << "the button's edge";
}

TEST(FormPictureControls, MemosShowTheirScrollBarsAndTabControlsTheirFirstTab) {
    TScratch dir;
    std::vector<TSnapshot> shots = Snapshots(dir.Write("bars.dfm", R"(object Form1: TForm1
  Caption = 'Bars'
  ClientHeight = 200
  ClientWidth = 320
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  object Both: TMemo
    Left = 10
    Top = 10
    Width = 120
    Height = 80
    ScrollBars = ssBoth
  end
  object Plain: TMemo
    Left = 150
    Top = 10
    Width = 120
    Height = 80
  end
  object Tabs: TTabControl
    Left = 10
    Top = 100
    Width = 200
    Height = 80
    Tabs.Strings = (
      'One'
      'Two')
  end
end
)"));
    ASSERT_EQ(shots.size(), 1u);
    const TSnapshot& s = shots[0];
    EXPECT_EQ(Named(s, "Both").Look.VScroll, 17);
    EXPECT_EQ(Named(s, "Both").Look.HScroll, 17);
    EXPECT_EQ(Named(s, "Plain").Look.VScroll, 0);
    // The window's tab control selects its first tab when TabIndex is not stored.
    EXPECT_EQ(Named(s, "Tabs").Look.Index, 0);

    const TPainted painted(shots);
    const TBox& client = painted.Client;
    const TRasterCanvas& canvas = painted.Canvas;
    // Inside the sunken edge: the vertical bar's arrow buttons at its ends, the
    // horizontal bar's at the left, the corner between them the face colour.
    const TBox inner{client.Left + 12, client.Top + 12, 116, 76};
    const TBox up{inner.Right() - 17, inner.Top, 17, 17};
    const TBox down{inner.Right() - 17, inner.Bottom() - 34, 17, 17};
    const TBox left{inner.Left, inner.Bottom() - 17, 17, 17};
    EXPECT_GT(DarkPixels(canvas, up.Inset(3, 3)), 8);
    EXPECT_GT(DarkPixels(canvas, down.Inset(3, 3)), 8);
    EXPECT_GT(DarkPixels(canvas, left.Inset(3, 3)), 8);
    EXPECT_EQ(canvas.Pixel(inner.Right() - 8, inner.Bottom() - 8), 0xD4D0C8u);
    // The plain memo is white to its edge.
    EXPECT_EQ(canvas.Pixel(client.Left + 150 + 120 - 4, client.Top + 12), 0xFFFFFFu);
}

Win32::LOGFONTW Face(const char16_t* name, int height) {
    Win32::LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = 400;
    for (int i = 0; name[i] && i < Win32::LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = name[i];
    return lf;
}

TEST(FormPictureText, ChineseTextIsMeasuredAndDrawnFromTheCjkFont) {
    Sim::TDesktop desktop;
    const TTextRun linked = MeasureRun(Face(u"Tahoma", -12), u"\u4E2D\u6587");
    if (linked.Measure.Source.LinkFile.empty())
        GTEST_SKIP() << "fonts-wqy-microhei is not installed";
    // Ideographs are an em wide, in a Latin face through the linked font too.
    EXPECT_EQ(linked.Width(), 24);
    // The Chinese and Japanese faces are answered by the CJK family.
    for (const char16_t* face : {u"SimSun", u"MS UI Gothic", u"Gulim", u"\u5B8B\u4F53"}) {
        const TTextRun run = MeasureRun(Face(face, -12), u"\u4E2D\u6587");
        EXPECT_EQ(run.Measure.Source.Family, u"WenQuanYi Micro Hei");
        EXPECT_EQ(run.Width(), 24);
    }
    // Drawn as glyphs, not as the missing-glyph box: the two characters' ink differs.
    TRasterCanvas canvas(40, 20, 0xFFFFFF);
    canvas.Text(0, 0, linked, 0x000000);
    int first = 0, second = 0, differ = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 12; ++x) {
            first += Dark(canvas.Pixel(x, y)) ? 1 : 0;
            second += Dark(canvas.Pixel(x + 12, y)) ? 1 : 0;
            differ += Dark(canvas.Pixel(x, y)) != Dark(canvas.Pixel(x + 12, y)) ? 1 : 0;
        }
    EXPECT_GT(first, 10);
    EXPECT_GT(second, 10);
    EXPECT_GT(differ, 10);
}

// A tool button takes its image index from its action, drawn from the action
// list's virtual image list, whose image is the collection's stored PNG; a
// grouped speed button can stay down.
TEST(FormPictureImages, ActionImagesComeFromAVirtualListsCollection) {
    if (!CanDecode("png"))
        GTEST_SKIP() << "built without PNG decoding";
    TScratch dir;
    const std::string png = "89504E470D0A1A0A0000000D4948445200000004000000040806000000A9F19E7E00"
                            "00001249444154789C63F8CFC0F01F1933902E00003C401FE1E08177B4000000004945"
                            "4E44AE426082";
    const std::string text = R"(object Images: TForm
  ClientHeight = 100
  ClientWidth = 200
  object Bar: TToolBar
    Left = 0
    Top = 0
    Width = 200
    Height = 29
    object Open: TToolButton
      Left = 0
      Top = 0
      Action = OpenAction
    end
  end
  object Bold: TSpeedButton
    Left = 10
    Top = 50
    Width = 23
    Height = 22
    GroupIndex = 1
    Down = True
    Caption = 'B'
  end
  object Loose: TSpeedButton
    Left = 40
    Top = 50
    Width = 23
    Height = 22
    Down = True
  end
  object Actions: TActionList
    Images = Virtual
    object OpenAction: TAction
      Caption = 'Open'
      ImageIndex = 1
    end
  end
  object Collection: TImageCollection
    Images = <
      item
        Name = 'other'
        SourceImages = <>
      end
      item
        Name = 'open'
        SourceImages = <
          item
            Image.Data = {)" +
                             png + R"(}
          end>
      end>
  end
  object Virtual: TVirtualImageList
    Images = <
      item
        CollectionIndex = 0
        CollectionName = 'other'
        Name = 'other'
      end
      item
        CollectionIndex = 0
        CollectionName = 'open'
        Name = 'open'
      end>
    ImageCollection = Collection
    Width = 4
    Height = 4
  end
end
)";
    std::vector<TSnapshot> shots = Snapshots(dir.Write("images.dfm", text));
    ASSERT_EQ(shots.size(), 1u);
    const TControlLook& open = Named(shots[0], "Open").Look;
    ASSERT_TRUE(open.Image) << "found by name, not by the stored index";
    EXPECT_EQ(open.Image->Width, 4);
    EXPECT_EQ(open.Image->At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(Named(shots[0], "Bold").Look.State, 1);
    EXPECT_EQ(Named(shots[0], "Loose").Look.State, 0) << "outside a group it comes up";
}

} // namespace
} // namespace ToolTest
