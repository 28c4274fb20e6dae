// misc.dll's interface record and its one export.
#include <windows.h>

#include "misc/miscSlots.h"

namespace {

IMisc BuildRecord() {
  IMisc record{};
  record.Version = MISC_INTERFACE_VERSION;
  record.IsTrackingCookieFile = &IsTrackingCookieFile;
  record.RemoveFile = &RemoveFile;
  record.RemoveTree = &RemoveTree;
  record.FileTimeToDate = &FileTimeToDate;
  record.FolderTotals = &FolderTotals;
  record.FileVersionText = &FileVersionText;
  record.SizeToText = &SizeToText;
  record.MozHasTrackingCookie = &MozHasTrackingCookie;
  record.MozCleanCookies = &MozCleanCookies;
  record.MozCountCookies = &MozCountCookies;
  record.ProfileCacheFolder = &ProfileCacheFolder;
  record.ProfileCookiesFolder = &ProfileCookiesFolder;
  record.CloseProfiles = &CloseProfiles;
  record.ProfileCount = &ProfileCount;
  record.OpenProfiles = &OpenProfiles;
  record.CleanMruLists = &CleanMruLists;
  record.EmptyOutlookFolder = &EmptyOutlookFolder;
  record.MruTotals = &MruTotals;
  record.OutlookFolderTotals = &OutlookFolderTotals;
  record.OeMessageCount = &OeMessageCount;
  record.CleanAddressBar = &CleanAddressBar;
  record.CleanIeHistory = &CleanIeHistory;
  record.AddressBarTotals = &AddressBarTotals;
  record.IeHistoryTotals = &IeHistoryTotals;
  record.CapabilityFlag1 = &CapabilityFlag1;
  record.OutlookAvailable = &OutlookAvailable;
  record.PathAppData = &FolderSlot<FindAppData>;
  record.PathCommonAppData = &FolderSlot<FindCommonAppData>;
  record.PathCookies = &FolderSlot<FindCookies>;
  record.PathCrashDumps = &FolderSlot<FindCrashDumps>;
  record.PathIeCache = &FolderSlot<FindIeCache>;
  record.AppInstallFolder = &AppInstallFolder;
  record.PathLocalAppData = &FolderSlot<FindLocalAppData>;
  record.PathOeStore = &FolderSlot<FindOeStore>;
  record.PathOfficeRecent = &FolderSlot<FindOfficeRecent>;
  record.PathOperaCache = &FolderSlot<FindOperaCache>;
  record.PathPrefetch = &FolderSlot<FindPrefetch>;
  record.PathProfiles = &FolderSlot<FindProfiles>;
  record.PathCommonFiles = &FolderSlot<FindCommonFiles>;
  record.PathProgramFiles = &FolderSlot<FindProgramFiles>;
  record.PathRecent = &FolderSlot<FindRecent>;
  record.PathUserProfile = &FolderSlot<FindUserProfile>;
  record.PathUserTemp = &FolderSlot<FindUserTemp>;
  record.PathWindows = &FolderSlot<FindWindows>;
  record.PathSystem = &FolderSlot<FindSystem>;
  record.PathWindowsTemp = &FolderSlot<FindWindowsTemp>;
  record.IsSubFolder = &IsSubFolder;
  record.RecycleFile = &RecycleFile;
  record.EmptyRecycleBin = &EmptyRecycleBin;
  record.RecycleBinTotals = &RecycleBinTotals;
  record.OpenRecycleBin = &OpenRecycleBin;
  record.RegKeyDelete = &RegKeyDelete;
  record.RegKeyExists = &RegKeyExists;
  record.RegReadNumber = &RegReadNumber;
  record.RegReadText = &RegReadText;
  record.LegacyCategoriesOff = &LegacyCategoriesOff;
  record.FixedDriveRoots = &FixedDriveRoots;
  return record;
}

const IMisc gRecord = BuildRecord();

}  // namespace

extern "C" __declspec(dllexport) const IMisc* MISC_CALL GetIMisc() { return &gRecord; }
