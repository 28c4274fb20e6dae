// Where found objects lie: the folder part of their paths, the texts of the
// folder item that found them, and their names one after another, shared by
// the records of one folder searched for one item. Free of Windows headers.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "engine/uSharedText.h"

namespace qlm {

// The texts that a found object takes from its folder item; most objects
// have only an owner, updates have all four.
struct TFoundTexts {
  TSharedText Owner;
  TSharedText Caption;
  TSharedText Key;
  TSharedText BackupFolder;
};

class TFoundPlace {
 public:
  TFoundPlace(std::string folder, TFoundTexts texts)
      : fFolder(std::move(folder)), fTexts(std::move(texts)) {}

  const std::string& Folder() const { return fFolder; }
  const TFoundTexts& Texts() const { return fTexts; }
  TFoundTexts& Texts() { return fTexts; }

  // Where the name starts among the names; the names move as they grow, so
  // a record keeps this offset, never a pointer.
  std::uint32_t AddName(std::string_view name);
  std::string_view NameAt(std::uint32_t at) const;
  // Gives back what growing left over, once no more names come.
  void Compact() { fNames.shrink_to_fit(); }

  bool Shared() const { return fRefs.load(std::memory_order_acquire) > 1; }
  void AddRef() { fRefs.fetch_add(1, std::memory_order_relaxed); }
  void Release() {
    if (fRefs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }

 private:
  std::atomic<int> fRefs{0};
  std::string fFolder;
  TFoundTexts fTexts;
  // Each name followed by a zero.
  std::string fNames;
};

// A counted reference to a place.
class TFoundPlacePtr {
 public:
  TFoundPlacePtr() noexcept = default;
  explicit TFoundPlacePtr(TFoundPlace* place) noexcept : fPlace(place) {
    if (fPlace) fPlace->AddRef();
  }
  TFoundPlacePtr(const TFoundPlacePtr& other) noexcept : TFoundPlacePtr(other.fPlace) {}
  TFoundPlacePtr(TFoundPlacePtr&& other) noexcept : fPlace(std::exchange(other.fPlace, nullptr)) {}
  TFoundPlacePtr& operator=(TFoundPlacePtr other) noexcept {
    std::swap(fPlace, other.fPlace);
    return *this;
  }
  ~TFoundPlacePtr() {
    if (fPlace) fPlace->Release();
  }

  TFoundPlace* Get() const noexcept { return fPlace; }
  TFoundPlace* operator->() const noexcept { return fPlace; }
  explicit operator bool() const noexcept { return fPlace != nullptr; }

 private:
  TFoundPlace* fPlace = nullptr;
};

// A new place of that folder (with its trailing backslash) for the texts.
TFoundPlacePtr MakeFoundPlace(std::string folder, TFoundTexts texts);

}  // namespace qlm
