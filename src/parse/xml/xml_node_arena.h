#pragma once

// Bump allocation for the nodes of one parsed tree. A feed gives tens of thousands of small nodes;
// taking them from a few large blocks instead of one heap block each makes reading and freeing a
// tree much cheaper. Nodes built outside the reader still come from the heap; Node's operator
// delete tells the two apart.
//
// The arena must outlive every node made in it (Document destroys its root first). One thread
// at a time; spent blocks are kept for the next arena of the same thread, up to a small bound, so
// that reading feed after feed does not hand memory back and forth with the system.

#include <cstddef>
#include <memory>
#include <vector>

namespace tarsel::XMLParser {

class NodeArena {
 public:
  NodeArena() = default;
  ~NodeArena();
  NodeArena(const NodeArena&) = delete;
  NodeArena& operator=(const NodeArena&) = delete;

  // `size` bytes (at most kBlockSize) aligned for any node; freed only with the arena.
  void* Allocate(std::size_t size);

  static constexpr std::size_t kBlockSize = 32 * 1024;

 private:
  std::vector<std::unique_ptr<std::byte[]>> blocks_;
  std::byte* next_ = nullptr;
  std::size_t left_ = 0;
};

}  // namespace tarsel::XMLParser
