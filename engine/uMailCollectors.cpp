#include "engine/uMailCollectors.h"

#include <exception>
#include <string>

#include "engine/uDirectRecords.h"
#include "engine/uScanContext.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

struct TOutlookFolder {
  bool TCoreOptions::*Option;
  const char* ScanLog;
  const char* Text;
  int Category;
  const char* Caption;
  TTotalsReader Read;
};

bool OutlookTotals(int folderId, std::int64_t* count, std::int64_t* size) {
  return Misc != nullptr && Misc->OutlookFolderTotals(folderId, count, size);
}

const TOutlookFolder kOutlookFolders[] = {
    {&TCoreOptions::OlDeleted, "Scanning Office Outlook Deleted Items",
     "Office Outlook Deleted Items", OBJTYPE_OL_DELETED, "Outlook Deleted Items",
     [](std::int64_t* count, std::int64_t* size) {
       return OutlookTotals(MISC_OUTLOOK_DELETED, count, size);
     }},
    {&TCoreOptions::OlJunk, "Scanning Office Outlook Junk Items", "Office Outlook Junk Items",
     OBJTYPE_OL_JUNK, "Outlook Junk Items",
     [](std::int64_t* count, std::int64_t* size) {
       return OutlookTotals(MISC_OUTLOOK_JUNK, count, size);
     }},
};

// The library turns every error of Outlook's into a false answer.
bool ScanOutlookFolder(TScanContext& scan, const TOutlookFolder& folder) {
  try {
    return AddTotalsRecord(scan, folder.Text, folder.Category, folder.Caption, folder.Read);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void CollectOutlookExpress(TScanContext& scan) {
  if (!scan.Options().Core.OeDeleted) return;
  AddFolderItem(scan, SpecialFolder(&IMisc::PathOeStore), "", "deleted?items.dbx", false,
                OBJTYPE_OE_DELETED, "Item Outlook Express: ADD");
}

void ScanOutlookFolders(TScanContext& scan) {
  if (scan.IsStopped()) return;
  for (const TOutlookFolder& folder : kOutlookFolders) {
    if (!(scan.Options().Core.*folder.Option)) continue;
    scan.Log(LVL_DEBUG, folder.ScanLog);
    if (!ScanOutlookFolder(scan, folder))
      scan.Log(LVL_WARNING, "Outlook not initialized correctly!");
  }
}

}  // namespace qlm
