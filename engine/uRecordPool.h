// Blocks of one size carved from large chunks: a million found records cost
// no heap block header each. Thread-safe; every chunk goes back to the heap
// when the last block of the pool is freed (the found list is cleared).
#pragma once

#include <cstddef>
#include <vector>

#include "base/uHandles.h"

namespace qlm {

class TRecordPool {
 public:
  TRecordPool(std::size_t blockSize, std::size_t alignment);
  ~TRecordPool();
  TRecordPool(const TRecordPool&) = delete;
  TRecordPool& operator=(const TRecordPool&) = delete;

  void* Allocate();
  void Free(void* block) noexcept;

 private:
  void AddChunk();

  const std::size_t fBlockSize;
  TCriticalSection fLock;
  std::vector<void*> fChunks;
  void* fFreeBlocks = nullptr;
  std::size_t fLive = 0;
};

}  // namespace qlm
