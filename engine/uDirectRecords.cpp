#include "engine/uDirectRecords.h"

#include <memory>

#include "engine/uCore.h"
#include "engine/uProgressQueue.h"

bool AddTotalsRecord(TCore& core, const std::string& text, int category, const std::string& caption,
                     TTotalsReader read) {
  core.PostUpdate(WM_CORE_CURR_PATH, text, 0, 0, false);
  std::int64_t count = 0;
  std::int64_t size = 0;
  if (!read(&count, &size)) return false;
  if (count <= 0) return true;
  auto rec = std::make_unique<TFileRec>();
  rec->Selected = core.Options().SelFoundObjs;
  rec->Category = category;
  rec->Caption = caption;
  rec->Count = count;
  rec->Size = size;
  FoundList.push_back(std::move(rec));
  core.PostUpdate(WM_CORE_UPDATE_SCAN, std::string(), count, size, false);
  return true;
}
