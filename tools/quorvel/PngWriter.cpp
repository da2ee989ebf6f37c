#include "PngWriter.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>

namespace QuorvelTool {

namespace {

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    Put32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

namespace {

std::string Encode(int width, int height, const std::vector<unsigned char>& rgb, int channels) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                          static_cast<std::size_t>(channels))
        throw std::invalid_argument("EncodePng: the pixels do not match the size");
    // Each row starts with its filter type, 0 (none).
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    std::string raw;
    raw.reserve((stride + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(rgb.data()) + stride * static_cast<std::size_t>(y),
                   stride);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK)
        throw std::runtime_error("EncodePng: compression failed");
    packed.resize(size);

    std::string header;
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));
    // 8 bits, RGB or RGBA, deflate, no filter, no interlace.
    header += std::string(channels == 4 ? "\x08\x06\x00\x00\x00" : "\x08\x02\x00\x00\x00", 5);

    std::string out("\x89PNG\r\n\x1a\n", 8);
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", {});
    return out;
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<unsigned char>& rgb) {
    return Encode(width, height, rgb, 3);
}

std::string EncodePngRgba(int width, int height, const std::vector<unsigned char>& rgba) {
    return Encode(width, height, rgba, 4);
}

} // namespace QuorvelTool
