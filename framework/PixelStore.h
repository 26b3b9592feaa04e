#pragma once
// A block of memory for a large picture's pixels, kept from one picture to the next so that a
// picture read several times a second costs no fresh pages each time.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace fw {

class PixelStore {
 public:
  // A store of at least `bytes`, page-aligned; nullptr when there is no memory for it.
  static std::shared_ptr<PixelStore> Make(std::size_t bytes);
  // The store `kept` when nobody else holds it and it is large enough; a new one otherwise, put
  // into `kept` for the next time. nullptr when there is no memory.
  static std::shared_ptr<PixelStore> Reuse(std::shared_ptr<PixelStore>& kept, std::size_t bytes);

  ~PixelStore();
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;

  std::uint8_t* Data() const { return data_; }
  std::size_t Capacity() const { return capacity_; }

 private:
  PixelStore(std::uint8_t* data, std::size_t capacity) : data_(data), capacity_(capacity) {}
  std::uint8_t* data_;
  std::size_t capacity_;
};

}  // namespace fw
