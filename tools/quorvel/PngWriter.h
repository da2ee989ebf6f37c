// PNG files of a raster: 8-bit RGB, one zlib stream, no filter.
#pragma once

#include <string>
#include <vector>

namespace QuorvelTool {

// The file's bytes for rows of three bytes a pixel (red, green, blue).
std::string EncodePng(int width, int height, const std::vector<unsigned char>& rgb);
// The same with four bytes a pixel, the fourth its opacity.
std::string EncodePngRgba(int width, int height, const std::vector<unsigned char>& rgba);

} // namespace QuorvelTool
