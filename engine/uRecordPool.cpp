#include "engine/uRecordPool.h"

#include <algorithm>
#include <new>

namespace qlm {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

// A free block holds the address of the next one.
void*& NextOf(void* block) { return *static_cast<void**>(block); }

}  // namespace

// A free block must hold an address; the chunks come aligned for anything.
TRecordPool::TRecordPool(std::size_t blockSize, std::size_t alignment)
    : fBlockSize((std::max(blockSize, sizeof(void*)) + alignment - 1) / alignment * alignment) {}

TRecordPool::~TRecordPool() {
  for (void* chunk : fChunks) ::operator delete(chunk);
}

void TRecordPool::AddChunk() {
  fChunks.reserve(fChunks.size() + 1);
  char* chunk = static_cast<char*>(::operator new(kChunkBytes));
  fChunks.push_back(chunk);
  for (std::size_t at = kChunkBytes / fBlockSize; at-- > 0;) {
    void* block = chunk + at * fBlockSize;
    NextOf(block) = fFreeBlocks;
    fFreeBlocks = block;
  }
}

void* TRecordPool::Allocate() {
  TLockGuard guard(fLock);
  if (fFreeBlocks == nullptr) AddChunk();
  void* block = fFreeBlocks;
  fFreeBlocks = NextOf(block);
  ++fLive;
  return block;
}

void TRecordPool::Free(void* block) noexcept {
  if (block == nullptr) return;
  TLockGuard guard(fLock);
  NextOf(block) = fFreeBlocks;
  fFreeBlocks = block;
  if (--fLive > 0) return;
  for (void* chunk : fChunks) ::operator delete(chunk);
  fChunks.clear();
  fChunks.shrink_to_fit();
  fFreeBlocks = nullptr;
}

}  // namespace qlm
