// misc.dll's interface record and its one export.
#include <windows.h>

#include "base/uFolderRelation.h"
#include "misc/miscSlots.h"

namespace qlm::misc {

namespace {

// Every slot behind a guard: an error raised inside the library (an
// allocation that fails) becomes the slot's failure value instead of
// crossing into the caller.
template <auto Slot, auto Failure = 0>
struct TGuarded;

template <typename R, typename... Args, R(MISC_CALL* Slot)(Args...), auto Failure>
struct TGuarded<Slot, Failure> {
  static R MISC_CALL Call(Args... args) noexcept {
    try {
      return Slot(args...);
    } catch (...) {
      return static_cast<R>(Failure);
    }
  }
};

template <auto Slot, auto Failure = 0>
constexpr auto Guarded = &TGuarded<Slot, Failure>::Call;

IMisc BuildRecord() {
  IMisc record{};
  record.Version = MISC_INTERFACE_VERSION;
  record.IsTrackingCookieFile = Guarded<&IsTrackingCookieFile>;
  record.RemoveFile = Guarded<&RemoveFile>;
  record.RemoveTree = Guarded<&RemoveTree>;
  record.FileTimeToDate = Guarded<&FileTimeToDate>;
  record.FolderTotals = Guarded<&FolderTotals>;
  record.FileVersionText = Guarded<&FileVersionText>;
  record.SizeToText = Guarded<&SizeToText>;
  record.MozHasTrackingCookie = Guarded<&MozHasTrackingCookie>;
  record.MozCleanCookies = Guarded<&MozCleanCookies>;
  record.MozCountCookies = Guarded<&MozCountCookies>;
  record.ProfileCacheFolder = Guarded<&ProfileCacheFolder>;
  record.ProfileCookiesFolder = Guarded<&ProfileCookiesFolder>;
  record.CloseProfiles = Guarded<&CloseProfiles>;
  record.ProfileCount = Guarded<&ProfileCount>;
  record.OpenProfiles = Guarded<&OpenProfiles>;
  record.CleanMruLists = Guarded<&CleanMruLists>;
  record.EmptyOutlookFolder = Guarded<&EmptyOutlookFolder>;
  record.MruTotals = Guarded<&MruTotals>;
  record.OutlookFolderTotals = Guarded<&OutlookFolderTotals>;
  record.OeMessageCount = Guarded<&OeMessageCount>;
  record.CleanAddressBar = Guarded<&CleanAddressBar>;
  record.CleanIeHistory = Guarded<&CleanIeHistory>;
  record.AddressBarTotals = Guarded<&AddressBarTotals>;
  record.IeHistoryTotals = Guarded<&IeHistoryTotals>;
  record.CapabilityFlag1 = Guarded<&CapabilityFlag1>;
  record.OutlookAvailable = Guarded<&OutlookAvailable>;
  record.PathAppData = Guarded<&FolderSlot<FindAppData>>;
  record.PathCommonAppData = Guarded<&FolderSlot<FindCommonAppData>>;
  record.PathCookies = Guarded<&FolderSlot<FindCookies>>;
  record.PathCrashDumps = Guarded<&FolderSlot<FindCrashDumps>>;
  record.PathIeCache = Guarded<&FolderSlot<FindIeCache>>;
  record.AppInstallFolder = Guarded<&AppInstallFolder>;
  record.PathLocalAppData = Guarded<&FolderSlot<FindLocalAppData>>;
  record.PathOeStore = Guarded<&FolderSlot<FindOeStore>>;
  record.PathOfficeRecent = Guarded<&FolderSlot<FindOfficeRecent>>;
  record.PathOperaCache = Guarded<&FolderSlot<FindOperaCache>>;
  record.PathPrefetch = Guarded<&FolderSlot<FindPrefetch>>;
  record.PathProfiles = Guarded<&FolderSlot<FindProfiles>>;
  record.PathCommonFiles = Guarded<&FolderSlot<FindCommonFiles>>;
  record.PathProgramFiles = Guarded<&FolderSlot<FindProgramFiles>>;
  record.PathRecent = Guarded<&FolderSlot<FindRecent>>;
  record.PathUserProfile = Guarded<&FolderSlot<FindUserProfile>>;
  record.PathUserTemp = Guarded<&FolderSlot<FindUserTemp>>;
  record.PathWindows = Guarded<&FolderSlot<FindWindows>>;
  record.PathSystem = Guarded<&FolderSlot<FindSystem>>;
  record.PathWindowsTemp = Guarded<&FolderSlot<FindWindowsTemp>>;
  record.IsSubFolder = Guarded<&IsSubFolder, FOLDER_UNDETERMINED>;
  record.RecycleFile = Guarded<&RecycleFile>;
  record.RecycleFiles = Guarded<&RecycleFiles>;
  record.EmptyRecycleBin = Guarded<&EmptyRecycleBin>;
  record.RecycleBinTotals = Guarded<&RecycleBinTotals>;
  record.OpenRecycleBin = Guarded<&OpenRecycleBin>;
  record.RegKeyDelete = Guarded<&RegKeyDelete>;
  record.RegKeyExists = Guarded<&RegKeyExists>;
  record.RegReadNumber = Guarded<&RegReadNumber>;
  record.RegReadText = Guarded<&RegReadText>;
  record.LegacyCategoriesOff = Guarded<&LegacyCategoriesOff>;
  record.FixedDriveRoots = Guarded<&FixedDriveRoots>;
  return record;
}

const IMisc gRecord = BuildRecord();

}  // namespace

}  // namespace qlm::misc

using namespace qlm;
using namespace qlm::misc;

extern "C" __declspec(dllexport) const IMisc* MISC_CALL GetIMisc() { return &gRecord; }
