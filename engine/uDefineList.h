// The cookie definition list as the services library takes it: a count and
// an array of texts that stay valid while the view lives. Free of Windows
// headers.
#pragma once

#include <vector>

#include "base/uStringList.h"
#include "startup/IMisc.h"

namespace qlm {

class TDefineListView {
 public:
  explicit TDefineListView(const TStringList& list) {
    fItems.reserve(list.Items.size());
    for (const std::string& item : list.Items) fItems.push_back(item.c_str());
    fList.Count = static_cast<std::int32_t>(fItems.size());
    fList.Items = fItems.data();
  }
  TDefineListView(const TDefineListView&) = delete;
  TDefineListView& operator=(const TDefineListView&) = delete;
  const MiscDefineList* Get() const { return &fList; }

 private:
  std::vector<const char*> fItems;
  MiscDefineList fList{};
};

}  // namespace qlm
