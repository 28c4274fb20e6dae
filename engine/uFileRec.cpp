#include "engine/uFileRec.h"

#include <algorithm>
#include <cmath>

#include "base/uPathText.h"
#include "engine/uRecordPool.h"

namespace qlm {

namespace {

constexpr TDateTime kUnixEpoch = 25569.0;  // 1970-01-01 as a date-time
constexpr double kSecondsPerDay = 86400.0;
constexpr double kLastSecond = 4294967294.0;

// Never destroyed: records of the process-wide found list may outlive any
// static object.
TRecordPool& Pool() {
  static TRecordPool& pool = *new TRecordPool(sizeof(TFileRec), alignof(TFileRec));
  return pool;
}

const TFoundTexts& NoTexts() {
  static const TFoundTexts none;
  return none;
}

const std::string& NoFolder() {
  static const std::string none;
  return none;
}

}  // namespace

// What a million found objects cost rests on these sizes (the benchmark
// computes the 32-bit build's bytes per object from them).
static_assert(sizeof(void*) != 4 || sizeof(TFileRec) == 40, "a record of the 32-bit build");
static_assert(sizeof(void*) != 8 || sizeof(TFileRec) == 48, "a record of the 64-bit build");

TRecTime ToRecTime(TDateTime time) {
  if (time == 0) return 0;
  const double seconds = std::round((time - kUnixEpoch) * kSecondsPerDay);
  return static_cast<TRecTime>(std::clamp(seconds, 0.0, kLastSecond)) + 1;
}

TDateTime FromRecTime(TRecTime time) {
  if (time == 0) return 0;
  return kUnixEpoch + static_cast<double>(time - 1) / kSecondsPerDay;
}

TFileRec::TFileRec(TFoundPlacePtr place, std::string_view name)
    : fPlace(std::move(place)), fNameAt(fPlace->AddName(name)) {}

TFileRec::TFileRec(const TFileRec& other) = default;
TFileRec& TFileRec::operator=(const TFileRec& other) = default;

void* TFileRec::operator new(std::size_t size) {
  return size == sizeof(TFileRec) ? Pool().Allocate() : ::operator new(size);
}

void TFileRec::operator delete(void* block, std::size_t size) noexcept {
  if (size == sizeof(TFileRec)) {
    Pool().Free(block);
  } else {
    ::operator delete(block);
  }
}

std::string TFileRec::Path() const {
  if (!fPlace) return {};
  const std::string_view name = Name();
  std::string path;
  path.reserve(fPlace->Folder().size() + name.size());
  path += fPlace->Folder();
  path += name;
  return path;
}

const std::string& TFileRec::Folder() const { return fPlace ? fPlace->Folder() : NoFolder(); }

std::string_view TFileRec::Name() const {
  return fPlace ? fPlace->NameAt(fNameAt) : std::string_view();
}

void TFileRec::SetPath(std::string_view path) {
  const std::size_t cut = FolderOf(path).size();
  TFoundPlacePtr place = MakeFoundPlace(std::string(path.substr(0, cut)), Texts());
  fNameAt = place->AddName(path.substr(cut));
  fPlace = std::move(place);
}

const TFoundTexts& TFileRec::Texts() const { return fPlace ? fPlace->Texts() : NoTexts(); }

TFoundTexts& TFileRec::OwnTexts() {
  if (!fPlace || fPlace->Shared()) {
    TFoundPlacePtr place = MakeFoundPlace(Folder(), Texts());
    fNameAt = place->AddName(Name());
    fPlace = std::move(place);
  }
  return fPlace->Texts();
}

}  // namespace qlm
