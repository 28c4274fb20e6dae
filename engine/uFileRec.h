// The record of one found object, as the scan makes it, the report shows it
// and the clean obeys it. Free of Windows headers.
#pragma once

#include <cstdint>
#include <string>

#include "base/uDateTime.h"
#include "engine/uSharedText.h"

namespace qlm {

// One found object. Texts that many records hold alike are shared.
struct TFileRec {
  bool Selected = false;
  bool Locked = false;
  bool RemoveEmptyFolder = false;
  int Category = 0;
  std::string Path;
  TSharedText Caption;
  TSharedText Key;
  TSharedText BackupFolder;
  TSharedText Owner;
  std::int64_t Size = 0;
  std::int64_t Count = 0;
  int Attributes = 0;
  TDateTime Created = 0;
  TDateTime Accessed = 0;
  TDateTime Written = 0;
};

}  // namespace qlm
