// misc.dll: builds the IMisc record. Slots that this build does not serve yet
// answer failure (false, zero, an empty buffer) whatever their arguments.
#include <windows.h>

#include "startup/IMisc.h"

namespace {

// A slot of any signature that answers failure: a zero result of its type.
template <typename Slot>
struct TUnserved;

template <typename R, typename... Args>
struct TUnserved<R(MISC_CALL*)(Args...)> {
  static R MISC_CALL Call(Args...) { return R{}; }
};

template <typename Slot>
void Unserved(Slot& slot) {
  slot = &TUnserved<Slot>::Call;
}

// The relation of two folders fails with 255; 0 would claim "same folder".
int MISC_CALL UndeterminedRelation(const char*, const char*) { return 255; }

IMisc BuildRecord() {
  IMisc record{};
  record.Version = MISC_INTERFACE_VERSION;
  Unserved(record.IsTrackingCookieFile);
  Unserved(record.RemoveFile);
  Unserved(record.RemoveTree);
  Unserved(record.FileTimeToDate);
  Unserved(record.FolderTotals);
  Unserved(record.FileVersionText);
  Unserved(record.SizeToText);
  Unserved(record.MozHasTrackingCookie);
  Unserved(record.MozCleanCookies);
  Unserved(record.MozCountCookies);
  Unserved(record.ProfileCacheFolder);
  Unserved(record.ProfileCookiesFolder);
  Unserved(record.CloseProfiles);
  Unserved(record.ProfileCount);
  Unserved(record.OpenProfiles);
  Unserved(record.CleanMruLists);
  Unserved(record.EmptyOutlookFolder);
  Unserved(record.MruTotals);
  Unserved(record.OutlookFolderTotals);
  Unserved(record.OeMessageCount);
  Unserved(record.CleanAddressBar);
  Unserved(record.CleanIeHistory);
  Unserved(record.AddressBarTotals);
  Unserved(record.IeHistoryTotals);
  Unserved(record.CapabilityFlag1);
  Unserved(record.OutlookAvailable);
  Unserved(record.PathAppData);
  Unserved(record.PathCommonAppData);
  Unserved(record.PathCookies);
  Unserved(record.PathCrashDumps);
  Unserved(record.PathIeCache);
  Unserved(record.AppInstallFolder);
  Unserved(record.PathLocalAppData);
  Unserved(record.PathOeStore);
  Unserved(record.PathOfficeRecent);
  Unserved(record.PathOperaCache);
  Unserved(record.PathPrefetch);
  Unserved(record.PathProfiles);
  Unserved(record.PathCommonFiles);
  Unserved(record.PathProgramFiles);
  Unserved(record.PathRecent);
  Unserved(record.PathUserProfile);
  Unserved(record.PathUserTemp);
  Unserved(record.PathWindows);
  Unserved(record.PathSystem);
  Unserved(record.PathWindowsTemp);
  record.IsSubFolder = &UndeterminedRelation;
  Unserved(record.RecycleFile);
  Unserved(record.EmptyRecycleBin);
  Unserved(record.RecycleBinTotals);
  Unserved(record.OpenRecycleBin);
  Unserved(record.RegKeyDelete);
  Unserved(record.RegKeyExists);
  Unserved(record.RegReadNumber);
  Unserved(record.RegReadText);
  Unserved(record.LegacyCategoriesOff);
  Unserved(record.FixedDriveRoots);
  return record;
}

const IMisc gRecord = BuildRecord();

}  // namespace

extern "C" __declspec(dllexport) const IMisc* MISC_CALL GetIMisc() { return &gRecord; }
