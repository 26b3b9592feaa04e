#pragma once

#include <cstddef>
#include <span>

namespace capture {

// A 24-bit BMP file in memory, filled row by row: top-down rows of B, G, R (a negative height),
// so that a reader finds row y where the screen has it and flips nothing. Three bytes a pixel, a quarter fewer than the X server's 32-bit pixels: most of
// a clipboard transfer's time is bytes passing through the server.
class BmpFile {
public:
    // Throws std::runtime_error for a picture too large for a BMP file or no memory for it.
    BmpFile(int width, int height);
    ~BmpFile();
    BmpFile(BmpFile&& other) noexcept;
    BmpFile(const BmpFile&) = delete;
    BmpFile& operator=(const BmpFile&) = delete;
    BmpFile& operator=(BmpFile&&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Where the picture's row y (0 = top) goes: width() pixels of B, G, R.
    unsigned char* row(int y) { return bytes_ + kHeaderSize + std::size_t(y) * rowBytes_; }
    std::span<const unsigned char> bytes() const { return {bytes_, size_}; }

    static constexpr std::size_t kHeaderSize = 14 + 40;  // file header + BITMAPINFOHEADER

private:
    int width_;
    int height_;
    std::size_t rowBytes_;
    std::size_t size_;
    std::size_t mapped_;
    unsigned char* bytes_ = nullptr;
};

}  // namespace capture
