#include "engine/uScanContext.h"

#include "base/uText.h"
#include "startup/uTrace.h"

namespace qlm {

void TScanContext::DisableCookieScan() {
  TOptions& options = fSession.OwnOptions();
  options.Core.Cookies.Enabled = false;
  options.Core.FirefoxCookies = false;
}

TFolderItem* AddFolderItem(TScanContext& scan, const std::string& base, const std::string& sub,
                           const std::string& masks, bool subFolders, int category,
                           const std::string& logLine) {
  if (base.empty()) return nullptr;
  auto item = std::make_unique<TFolderItem>();
  item->Folder = LowerText(base + sub);
  item->Path = item->Folder;
  item->Nested = true;
  item->SubFolders = subFolders;
  item->Category = category;
  item->IncludeMasks = SplitDelimited(masks, '|');
  TFolderItem* added = item.get();
  scan.Folders().push_back(std::move(item));
  scan.Log(LVL_INFO, logLine);
  return added;
}

}  // namespace qlm
