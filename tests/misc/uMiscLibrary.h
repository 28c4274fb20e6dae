// The real misc.dll of the build's program folder, loaded once per test
// program and kept until it ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "startup/IMisc.h"

using namespace qlm;

const IMisc& MiscLibrary();

// The text of a path slot, or "<false>" when the slot answers false.
std::string SlotPath(MiscPathFn slot);

// A definition list over texts that outlive it.
class TDefineList {
 public:
  explicit TDefineList(std::vector<std::string> hosts);
  const MiscDefineList* Get() const { return &fList; }

 private:
  std::vector<std::string> fHosts;
  std::vector<const char*> fItems;
  MiscDefineList fList{};
};
