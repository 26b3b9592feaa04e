#include "capture/BmpFile.h"

#include <sys/mman.h>

#include <cstdint>
#include <stdexcept>

namespace capture {

namespace {

// Huge pages, where the system gives them: a few page faults instead of one per 4 KiB.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

void put16(unsigned char*& p, std::uint16_t v)
{
    *p++ = v & 0xFF;
    *p++ = v >> 8;
}

void put32(unsigned char*& p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        *p++ = (v >> (8 * i)) & 0xFF;
}

}  // namespace

BmpFile::BmpFile(int width, int height)
    : width_(width),
      height_(height),
      rowBytes_((std::size_t(width) * 3 + 3) & ~std::size_t(3)),  // rows end on 4 bytes
      size_(kHeaderSize + rowBytes_ * std::size_t(height)),
      mapped_((size_ + kHugePage - 1) / kHugePage * kHugePage)
{
    if (width <= 0 || height <= 0 || size_ > UINT32_MAX)
        throw std::runtime_error("the screen's size does not make a BMP picture");
    void* memory = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::runtime_error("no memory for the picture");
    madvise(memory, mapped_, MADV_HUGEPAGE);  // a hint; ordinary pages do as well
    bytes_ = static_cast<unsigned char*>(memory);
    // Fresh pages are zero, which is what the padding at each row's end must be.

    unsigned char* p = bytes_;
    *p++ = 'B';
    *p++ = 'M';
    put32(p, std::uint32_t(size_));
    put32(p, 0);
    put32(p, std::uint32_t(kHeaderSize));
    put32(p, 40);
    put32(p, std::uint32_t(width));
    put32(p, std::uint32_t(-height));  // negative: top-down rows
    put16(p, 1);
    put16(p, 24);
    put32(p, 0);  // BI_RGB
    put32(p, std::uint32_t(size_ - kHeaderSize));
    put32(p, 2835);  // 72 dpi
    put32(p, 2835);
    put32(p, 0);
    put32(p, 0);
}

BmpFile::~BmpFile()
{
    if (bytes_)
        munmap(bytes_, mapped_);
}

BmpFile::BmpFile(BmpFile&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      rowBytes_(other.rowBytes_),
      size_(other.size_),
      mapped_(other.mapped_),
      bytes_(other.bytes_)
{
    other.bytes_ = nullptr;
}

}  // namespace capture
