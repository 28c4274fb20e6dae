#include "tests/misc/uMiscLibrary.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "startup/uMiscLoad.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

const IMisc& MiscLibrary() {
  static const IMisc* record = [] {
    HMODULE handle = nullptr;
    if (!LoadMiscLibrary(handle, ProgramFolder()) || !GetIMiscEntry) {
      throw std::runtime_error("cannot load the build's misc.dll");
    }
    return GetIMiscEntry();
  }();
  return *record;
}

std::string SlotPath(MiscPathFn slot) {
  char buffer[MISC_PATH_BUFFER] = {};
  int length = -1;
  if (!slot(buffer, sizeof buffer, &length)) return "<false>";
  return std::string(buffer, length);
}

TDefineList::TDefineList(std::vector<std::string> hosts) : fHosts(std::move(hosts)) {
  for (const std::string& host : fHosts) fItems.push_back(host.c_str());
  fList.Count = static_cast<std::int32_t>(fItems.size());
  fList.Items = fItems.data();
}
