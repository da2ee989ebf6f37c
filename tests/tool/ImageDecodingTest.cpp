// Images a form file holds: bitmaps and icons read here, PNG, JPEG and GIF
// through their libraries, and how they reach the pictures.
#include "ImageDecoding.h"
#include "FormPainter.h"
#include "RasterCanvas.h"
#include "RunSession.h"
#include "support/Corpus.h"
#include "support/FormSnapshots.h"
#include "tool/ToolTestSupport.h"

#include <filesystem>
#include <optional>
#include <set>
#include <sstream>

namespace ToolTest {
namespace {

using namespace QuorvelTool;
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A DIB header and palette for width x height (height doubled for an icon).
Bytes DibHeader(int width, int height, int bpp, const std::vector<std::uint32_t>& palette) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<unsigned>(bpp));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(palette.size()));
    Put32(b, 0);
    for (std::uint32_t c : palette)
        Put32(b, c);
    return b;
}

// A 4-bit bitmap file of 3 x 2 pixels, stored bottom-up: top row red green
// blue, bottom row white white black.
Bytes SmallBmp() {
    Bytes dib = DibHeader(3, 2, 4, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000});
    // Rows are 4 bytes each; the bottom row first.
    for (std::uint8_t v : {0x33, 0x40, 0x00, 0x00, 0x01, 0x20, 0x00, 0x00})
        dib.push_back(v);
    Bytes file{'B', 'M'};
    Put32(file, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(file, 0);
    Put32(file, static_cast<std::uint32_t>(14 + 40 + 5 * 4));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

// An image list of the small bitmap's three columns: 1 x 2 images, red over
// white, green over white, blue over black.
Bytes SmallImageList() {
    Bytes list{'I', 'L'};
    for (unsigned v : {0x0101u, 3u, 4u, 4u, 1u, 2u})
        Put16(list, v);
    Put32(list, 0xFFFFFFFF);
    Put16(list, 0); // no mask
    for (int i = 0; i < 4; ++i)
        Put16(list, 0xFFFF);
    const Bytes bmp = SmallBmp();
    list.insert(list.end(), bmp.begin(), bmp.end());
    return list;
}

TEST(ImageDecoding, BitmapsIconsAndImageListsAreReadFromTheirStructures) {
    const Bytes bmp = SmallBmp();
    std::optional<TPixmap> image = DecodeImageFile(bmp.data(), bmp.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->Width, 3);
    ASSERT_EQ(image->Height, 2);
    EXPECT_EQ(image->At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image->At(2, 0), 0xFF0000FFu);
    EXPECT_EQ(image->At(0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(image->At(2, 1), 0xFF000000u);

    // A glyph's data is the file's length, then the file; a picture's starts
    // with the graphic's class name.
    Bytes glyph;
    Put32(glyph, static_cast<std::uint32_t>(bmp.size()));
    glyph.insert(glyph.end(), bmp.begin(), bmp.end());
    EXPECT_TRUE(DecodeBitmapData(glyph));
    Bytes picture{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    // Byte by byte: GCC 12's release build sees a false array bound in a range insert here.
    for (std::uint8_t b : glyph)
        picture.push_back(b);
    ASSERT_TRUE(DecodePictureData(picture));
    EXPECT_EQ(DecodePictureData(picture)->At(1, 0), 0xFF00FF00u);

    // An icon: a 2 x 2 image of 24 bits, its mask making the top-left transparent.
    Bytes dib = DibHeader(2, 4, 24, {});
    for (int row = 0; row < 2; ++row)
        for (std::uint8_t v : {0x10, 0x20, 0x30, 0x10, 0x20, 0x30, 0x00, 0x00})
            dib.push_back(v);
    // Mask rows bottom-up, 4 bytes each: the top row's first pixel is set.
    for (std::uint8_t v : {0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00})
        dib.push_back(v);
    Bytes ico{0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 24, 0};
    Put32(ico, static_cast<std::uint32_t>(dib.size()));
    Put32(ico, 22);
    ico.insert(ico.end(), dib.begin(), dib.end());
    image = DecodeImageFile(ico.data(), ico.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 0), 0u);
    EXPECT_EQ(image->At(1, 0), 0xFF302010u);
    EXPECT_EQ(image->At(0, 1), 0xFF302010u);

    // An image list of three 1 x 2 images in a 3 x 2 sheet.
    const Bytes list = SmallImageList();
    const std::vector<TPixmap> images = DecodeImageList(list);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[1].Width, 1);
    EXPECT_EQ(images[1].At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(images[2].At(0, 1), 0xFF000000u);

    // Run-length encoded 8 bits: a run of green below, red green blue as they are above.
    Bytes rle = DibHeader(3, 2, 8, {0xFF0000, 0x00FF00, 0x0000FF});
    rle[16] = 1; // BI_RLE8
    for (std::uint8_t v : {3, 1, 0, 0, 0, 3, 0, 1, 2, 0, 0, 1})
        rle.push_back(v);
    Bytes rleFile{'B', 'M'};
    Put32(rleFile, static_cast<std::uint32_t>(14 + rle.size()));
    Put32(rleFile, 0);
    Put32(rleFile, static_cast<std::uint32_t>(14 + 40 + 3 * 4));
    rleFile.insert(rleFile.end(), rle.begin(), rle.end());
    image = DecodeImageFile(rleFile.data(), rleFile.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image->At(2, 0), 0xFF0000FFu);
    EXPECT_EQ(image->At(0, 1), 0xFF00FF00u);
    EXPECT_EQ(image->At(2, 1), 0xFF00FF00u);
    for (std::size_t n = 0; n < rleFile.size(); ++n)
        (void)DecodeImageFile(rleFile.data(), n); // cut off anywhere: no read past the end

    // Whatever is cut off or damaged is refused, never read past its end.
    for (std::size_t n = 0; n < bmp.size(); ++n)
        EXPECT_FALSE(DecodeImageFile(bmp.data(), n)) << n;
    for (std::size_t n = 0; n < ico.size(); ++n)
        EXPECT_FALSE(DecodeImageFile(ico.data(), n)) << n;
    Bytes huge = bmp;
    huge[18] = 0xFF; // width 0x000000FF...
    huge[21] = 0x7F;
    EXPECT_FALSE(DecodeImageFile(huge.data(), huge.size()));
    EXPECT_TRUE(DecodeImageList(Bytes(list.begin(), list.begin() + 30)).empty());
}

// Tabs that break into rows are drawn in them, the selected tab's row next to
// the page, each tab with its sheet's image of the page control's list.
TEST(ImageDecoding, MultiLineTabsShowTheirRowsAndImages) {
    std::string hex;
    for (std::uint8_t b : SmallImageList()) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    auto sheet = [](const char* name, const char* caption, int image) {
        return std::string("    object ") + name + ": TTabSheet\n      Caption = '" + caption +
               "'\n      ImageIndex = " + std::to_string(image) + "\n    end\n";
    };
    const std::string form = "object Form1: TForm1\n  ClientHeight = 200\n  ClientWidth = 220\n"
                             "  Font.Height = -11\n  Font.Name = 'Tahoma'\n  PixelsPerInch = 96\n"
                             "  object Pages: TPageControl\n    Left = 0\n    Top = 0\n"
                             "    Width = 150\n    Height = 150\n    ActivePage = First\n"
                             "    Images = Icons\n    MultiLine = True\n" +
                             sheet("First", "First", 1) + sheet("Second", "Second", 2) +
                             sheet("Third", "Third", 0) + sheet("Fourth", "Fourth", 9) +
                             "  end\n  object Icons: TImageList\n    Width = 1\n    Height = 2\n"
                             "    Bitmap = {\n      " +
                             hex + "}\n  end\nend\n";
    TScratch dir;
    std::vector<TSnapshot> shots = Snapshots(dir.Write("tabs.dfm", form));
    ASSERT_EQ(shots.size(), 1u);
    const TControlState* pages = nullptr;
    const TControlState* first = nullptr;
    for (const TControlState& c : shots[0].Controls) {
        pages = c.Name == "Pages" ? &c : pages;
        first = c.Name == "First" ? &c : first;
    }
    ASSERT_TRUE(pages && first);
    const TControlLook& look = pages->Look;
    ASSERT_EQ(look.Tabs.size(), 4u);
    const int rows = look.Tabs.back().Row + 1;
    ASSERT_GE(rows, 2);
    EXPECT_EQ(look.Tabs[0].Row, 0);
    EXPECT_TRUE(look.Tabs[0].Image && look.Tabs[1].Image && look.Tabs[2].Image);
    EXPECT_FALSE(look.Tabs[3].Image); // beyond the list
    // The page lies below every row.
    EXPECT_GE(first->Top, rows * look.TabRowHeight);

    const TPainted painted(shots);
    const TBox& client = painted.Client;
    const TRasterCanvas& canvas = painted.Canvas;
    // The first tab's green image in the row next to the page, the second's
    // blue one wherever its row went; none on the page.
    auto find = [&](TRgb colour, int top, int bottom) {
        for (int y = client.Top + top; y < client.Top + bottom; ++y)
            for (int x = client.Left; x < client.Left + pages->Width; ++x)
                if (canvas.Pixel(x, y) == colour)
                    return y - client.Top;
        return -1;
    };
    const int rowHeight = look.TabRowHeight;
    EXPECT_GE(find(0x00FF00, 0, first->Top), (rows - 1) * rowHeight);
    EXPECT_GE(find(0x0000FF, 0, first->Top), 0);
    EXPECT_EQ(find(0x00FF00, first->Top, pages->Height), -1);
}

// One real form for each kind of stored image: each is decoded and drawn.
TEST(ImageDecoding, ThePicturesOfRealFormsShowTheirImages) {
    const std::filesystem::path root = std::filesystem::path(QUORVEL_CORPUS_DIR) / "text/jvcl/jvcl";
    if (!std::filesystem::is_directory(root))
        GTEST_SKIP() << "no corpus";
    struct TCase {
        const char* File;
        const char* Control;
        const char* Format;
    };
    const TCase cases[] = {
        {"examples/JvTransparentForm/FrmMain.dfm", "ImageBackground", "png"},
        {"install/JVCLInstall/Main.dfm", "ImageLogo", "jpeg"},
        {"examples/JvContentScroller/ContentScrollerMainFormU.dfm", "", "gif"},
        {"examples/JvDesktopAlert/BCB/MainForm.dfm", "", "ico"},
    };
    for (const TCase& c : cases) {
        if (!CanDecode(c.Format))
            continue;
        SCOPED_TRACE(c.File);
        std::vector<TSnapshot> shots = Snapshots((root / c.File).string());
        ASSERT_FALSE(shots.empty());
        int found = 0;
        for (const TControlState& control : shots[0].Controls)
            if (control.Look.Kind == TLookKind::Image && control.Look.HasImage) {
                EXPECT_TRUE(control.Look.Image) << control.Name;
                found += control.Look.Image ? 1 : 0;
            }
        EXPECT_GT(found, 0);
    }
    // Tool buttons show their toolbar's image-list images (the list's own file
    // length field counts only the headers).
    std::vector<TSnapshot> designer = Snapshots((root / "examples/JvDesigner/Main.dfm").string());
    ASSERT_FALSE(designer.empty());
    int buttons = 0;
    for (const TControlState& control : designer[0].Controls)
        if (control.ClassName == "TToolButton") {
            ASSERT_TRUE(control.Look.Image) << control.Name;
            EXPECT_EQ(control.Look.Image->Width, 26);
            ++buttons;
        }
    EXPECT_EQ(buttons, 5);
    // Run-length encoded glyphs of bit buttons.
    std::vector<TSnapshot> shots = Snapshots((root / "design/JvVirtualKeyEditorForm.dfm").string());
    ASSERT_FALSE(shots.empty());
    for (const TControlState& control : shots[0].Controls)
        if (control.ClassName == "TBitBtn") {
            ASSERT_TRUE(control.Look.Image) << control.Name;
            EXPECT_EQ(control.Look.Image->Width, 16);
            EXPECT_EQ(control.Look.Image->Height, 16);
        }
}

} // namespace
} // namespace ToolTest
