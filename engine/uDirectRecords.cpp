#include "engine/uDirectRecords.h"

#include <memory>

#include "engine/uProgressQueue.h"
#include "engine/uScanContext.h"

namespace qlm {

bool AddTotalsRecord(TScanContext& scan, const std::string& text, int category,
                     const std::string& caption, TTotalsReader read) {
  scan.PostUpdate(WM_CORE_CURR_PATH, text, 0, 0, false);
  std::int64_t count = 0;
  std::int64_t size = 0;
  if (!read(&count, &size)) return false;
  if (count <= 0) return true;
  auto rec = std::make_unique<TFileRec>();
  rec->Selected = scan.Options().SelFoundObjs;
  rec->Category = category;
  rec->SetCaption(caption);
  rec->Count = count;
  rec->Size = size;
  scan.AddFound(std::move(rec));
  scan.PostUpdate(WM_CORE_UPDATE_SCAN, std::string(), count, size, false);
  return true;
}

}  // namespace qlm
