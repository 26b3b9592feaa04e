#include "framework/PixelStore.h"

#include <sys/mman.h>

namespace fw {

namespace {
// Huge pages, where the system gives them: a few faults for a whole screen instead of thousands.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
}  // namespace

std::shared_ptr<PixelStore> PixelStore::Make(std::size_t bytes) {
  const std::size_t capacity = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  if (capacity == 0) return nullptr;
  void* memory = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return nullptr;
  madvise(memory, capacity, MADV_HUGEPAGE);  // a hint; ordinary pages do as well
  return std::shared_ptr<PixelStore>(new PixelStore(static_cast<std::uint8_t*>(memory), capacity));
}

std::shared_ptr<PixelStore> PixelStore::Reuse(std::shared_ptr<PixelStore>& kept, std::size_t bytes) {
  if (kept && kept.use_count() == 1 && kept->Capacity() >= bytes) return kept;
  kept = Make(bytes);
  return kept;
}

PixelStore::~PixelStore() { munmap(data_, capacity_); }

}  // namespace fw
