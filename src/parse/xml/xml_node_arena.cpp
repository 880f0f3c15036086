#include "parse/xml/xml_node_arena.h"

#include <cstdint>
#include <new>

#include "parse/xml/xml_node.h"

namespace tarsel::XMLParser {
namespace {

// Every node allocation starts with a header saying where it came from.
constexpr std::size_t kHeader = alignof(std::max_align_t);
constexpr std::uintptr_t kFromHeap = 0x48656170;
constexpr std::uintptr_t kFromArena = 0x4172656e;
// Blocks kept per thread between arenas: enough for a large feed.
constexpr std::size_t kKeptBlocks = 64;

thread_local std::vector<std::unique_ptr<std::byte[]>> kept_blocks;

std::size_t RoundUp(std::size_t size) {
  return (size + kHeader - 1) / kHeader * kHeader;
}

void* Tag(void* block, std::uintptr_t origin) {
  *static_cast<std::uintptr_t*>(block) = origin;
  return static_cast<std::byte*>(block) + kHeader;
}

}  // namespace

NodeArena::~NodeArena() {
  for (auto& block : blocks_) {
    if (kept_blocks.size() >= kKeptBlocks) break;
    kept_blocks.push_back(std::move(block));
  }
}

void* NodeArena::Allocate(std::size_t size) {
  size = RoundUp(size);
  if (size > kBlockSize) throw std::bad_alloc();
  if (size > left_) {
    if (kept_blocks.empty()) {
      blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(kBlockSize));
    } else {
      blocks_.push_back(std::move(kept_blocks.back()));
      kept_blocks.pop_back();
    }
    next_ = blocks_.back().get();
    left_ = kBlockSize;
  }
  void* result = next_;
  next_ += size;
  left_ -= size;
  return result;
}

void* Node::operator new(std::size_t size) {
  return Tag(::operator new(size + kHeader), kFromHeap);
}

void* Node::operator new(std::size_t size, NodeArena& arena) {
  return Tag(arena.Allocate(size + kHeader), kFromArena);
}

void Node::operator delete(void* node) {
  if (!node) return;
  void* block = static_cast<std::byte*>(node) - kHeader;
  if (*static_cast<std::uintptr_t*>(block) == kFromHeap) ::operator delete(block);
}

void Node::operator delete(void*, NodeArena&) {}

}  // namespace tarsel::XMLParser
