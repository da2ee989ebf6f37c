// The images a form file holds (a picture's, a glyph's, an image list's bytes),
// decoded into pixels for drawing. PNG, JPEG and GIF go through libpng,
// libjpeg and giflib when the build found them; bitmaps and icons are plain
// structures read here. What cannot be decoded is drawn as a placeholder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace QuorvelTool {

// Rows top to bottom, 0xAARRGGBB a pixel (alpha 0 is transparent).
struct TPixmap {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Argb;
    std::uint32_t At(int x, int y) const {
        return Argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                    static_cast<std::size_t>(x)];
    }
    // The part of the pixmap at (x, y) of that size.
    TPixmap Crop(int x, int y, int width, int height) const;
    // The pixels of this colour (alpha ignored) made transparent.
    void MakeTransparent(std::uint32_t rgb);
};

using TImageRef = std::shared_ptr<const TPixmap>;

// An image file by its signature: BMP, PNG, JPEG, GIF or ICO.
std::optional<TPixmap> DecodeImageFile(const std::uint8_t* data, std::size_t size);

// A picture's Data: the graphic's class name, then what the graphic writes
// (a bitmap, a JPEG and some GIFs with their length first).
std::optional<TPixmap> DecodePictureData(const std::vector<std::uint8_t>& data);

// A bitmap's Data (a glyph): the file's length, then the file.
std::optional<TPixmap> DecodeBitmapData(const std::vector<std::uint8_t>& data);

// An image list's Bitmap: its header, the images in a grid and their mask.
std::vector<TPixmap> DecodeImageList(const std::vector<std::uint8_t>& data);

// Which formats this build decodes through a library ("png", "jpeg", "gif").
bool CanDecode(const std::string& format);

} // namespace QuorvelTool
