// The slot functions of misc.dll, one group per file; miscRecord puts them
// into the IMisc record.
#pragma once

#include <string>

#include "startup/IMisc.h"

namespace qlm::misc {

// miscFolders: the finder of each special folder (empty when this Windows has
// no such folder) and the one slot shape that serves them all.
std::string FindAppData();
std::string FindCommonAppData();
std::string FindCookies();
std::string FindCrashDumps();
std::string FindIeCache();
std::string FindLocalAppData();
std::string FindOeStore();
std::string FindOfficeRecent();
std::string FindOperaCache();
std::string FindPrefetch();
std::string FindProfiles();
std::string FindCommonFiles();
std::string FindProgramFiles();
std::string FindRecent();
std::string FindUserProfile();
std::string FindUserTemp();
std::string FindWindows();
std::string FindSystem();
std::string FindWindowsTemp();
MiscBool GiveFolder(const std::string& folder, char* buffer, int size, int* outLength);

template <std::string (*Find)()>
MiscBool MISC_CALL FolderSlot(char* buffer, int size, int* outLength) {
  return GiveFolder(Find(), buffer, size, outLength);
}

extern "C" {
MiscBool MISC_CALL AppInstallFolder(char* buffer, int size, int* outLength, const char* registryKey,
                                    const char* executable);

// miscFiles
MiscBool MISC_CALL RemoveFile(const char* path);
MiscBool MISC_CALL RemoveTree(const char* folder, int reserved1, int reserved2);
MiscBool MISC_CALL FolderTotals(const char* folder, std::int64_t* size, std::int64_t* count);
int MISC_CALL IsSubFolder(const char* a, const char* b);

// miscFileInfo
MiscBool MISC_CALL FileTimeToDate(std::uint64_t fileTime, double* localDate);
int MISC_CALL FileVersionText(const char* file, char* buffer, int size);
MiscBool MISC_CALL SizeToText(char* buffer, int size, int* outLength, std::int64_t bytes);
MiscBool MISC_CALL FixedDriveRoots(const char* separator, char* buffer, int size, int* outLength);

// miscRecycleBin
MiscBool MISC_CALL RecycleFile(const char* path);
MiscBool MISC_CALL RecycleFiles(const char* names);
MiscBool MISC_CALL EmptyRecycleBin(MiscBool ask, MiscBool showProgress, MiscBool silent);
MiscBool MISC_CALL RecycleBinTotals(std::int64_t* count, std::int64_t* size);
MiscBool MISC_CALL OpenRecycleBin();

// miscRegistry
MiscBool MISC_CALL RegKeyDelete(const char* root, const char* key);
MiscBool MISC_CALL RegKeyExists(const char* root, const char* key);
MiscBool MISC_CALL RegReadNumber(const char* root, const char* key, const char* value,
                                 std::int32_t* number);
MiscBool MISC_CALL RegReadText(const char* root, const char* key, const char* value, char* buffer);

// miscProfiles
MiscProfiles MISC_CALL OpenProfiles(const char* subPath);
int MISC_CALL ProfileCount(MiscProfiles handle);
MiscBool MISC_CALL ProfileCacheFolder(MiscProfiles handle, int index, char* buffer, int* outLength,
                                      int size);
MiscBool MISC_CALL ProfileCookiesFolder(MiscProfiles handle, int index, char* buffer, int* outLength,
                                        int size);
MiscBool MISC_CALL CloseProfiles(MiscProfiles* handle);

// miscCookies
MiscBool MISC_CALL IsTrackingCookieFile(const char* cookieFile, const MiscDefineList* definitions);
MiscBool MISC_CALL MozHasTrackingCookie(const char* cookieFile, const MiscDefineList* definitions);
MiscBool MISC_CALL MozCleanCookies(const char* cookieFile, const MiscDefineList* definitions,
                                   MiscBool eraseAll);
MiscBool MISC_CALL MozCountCookies(const char* cookieFile, const MiscDefineList* definitions,
                                   std::int64_t* count, std::int64_t* size);

// miscHistory
MiscBool MISC_CALL IeHistoryTotals(std::int64_t* count, std::int64_t* size);
MiscBool MISC_CALL CleanIeHistory();
MiscBool MISC_CALL AddressBarTotals(std::int64_t* count, std::int64_t* size);
MiscBool MISC_CALL CleanAddressBar();
MiscBool MISC_CALL MruTotals(std::int64_t* count, std::int64_t* size);
MiscBool MISC_CALL CleanMruLists();

// miscMail
MiscBool MISC_CALL OeMessageCount(const char* storeFile, int* count);
MiscBool MISC_CALL OutlookAvailable();
MiscBool MISC_CALL OutlookFolderTotals(int folderId, std::int64_t* count, std::int64_t* size);
MiscBool MISC_CALL EmptyOutlookFolder(int folderId);

// miscCapabilities
MiscBool MISC_CALL CapabilityFlag1();
MiscBool MISC_CALL LegacyCategoriesOff();
}

}  // namespace qlm::misc
