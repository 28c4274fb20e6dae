// The services library's interface record, shared word for word by the
// program and by misc.dll. Any misc.dll built to this header can replace ours.
//
// Binary contract
// - The record is an array of 32-bit words: word 0 is the version
//   (MISC_INTERFACE_VERSION), word n (1..92) is the entry point of slot n.
//   Words that no slot uses are reserved and may be null.
// - misc.dll exports GetIMisc (no arguments, __stdcall), returning a pointer
//   to a record that stays valid while the library is loaded.
// - Every slot uses the standard Windows calling convention (__stdcall).
// - A Boolean result or argument is a 32-bit BOOL (MiscBool): nonzero is true.
// - Texts are zero-terminated single-byte strings in the system code page:
//   `const char*` in, `char*` buffers out. Buffer sizes and out lengths are
//   32-bit int (out lengths through int*). The caller keeps out-length
//   characters of a buffer only when the slot returned true.
// - Counts and sizes are signed 64-bit, through int64_t*; the 32-bit message
//   count of OeMessageCount goes through int*.
// - A date-time is a double: days since 30 December 1899, local time.
// - The cookie definition list is passed as `const MiscDefineList*`, a count
//   and an array of `const char*` host masks, valid for the call only.
// - Slots never raise: an error inside the library becomes a false result
//   (OutlookFolderTotals included).
// - Every slot may be called from the main and the engine thread at once.
//   A null pointer, an empty text or a too-small buffer answers failure and
//   leaves the caller's variables alone.
// - Safety rules of this library: a slot that removes, recycles or rewrites
//   a file or folder refuses a path that is not absolute ("X:\..." or
//   "\\server\share...") or that holds "*" or "?" (a name the single-byte
//   functions could not represent comes back with "?", which the shell would
//   take as a wildcard); a walk never passes through a junction or symbolic
//   link, it removes the link itself or counts it as nothing.
//
// The file compiles with any C++20 compiler; the calling convention applies
// only to 32-bit Windows builds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlm {

#if defined(_WIN32) && !defined(_WIN64)
#define MISC_CALL __stdcall
#else
#define MISC_CALL
#endif

using MiscBool = std::int32_t;

inline constexpr std::uint32_t MISC_INTERFACE_VERSION = 0x1014000;
inline constexpr int MISC_LAST_WORD = 92;

// The definition list handed to the cookie slots.
struct MiscDefineList {
  std::int32_t Count;
  const char* const* Items;
};

// Opaque handle of a browser's profile list; 0 means no profiles.
using MiscProfiles = std::uintptr_t;

// Folder ids of the Outlook slots.
inline constexpr int MISC_OUTLOOK_DELETED = 3;
inline constexpr int MISC_OUTLOOK_JUNK = 23;

// Buffer sizes that the callers pass.
inline constexpr int MISC_PATH_BUFFER = 260;
inline constexpr int MISC_PROFILE_BUFFER = 2048;
inline constexpr int MISC_TEXT_BUFFER = 64;
inline constexpr int MISC_REGTEXT_BUFFER = 128;
inline constexpr int MISC_DRIVES_BUFFER = 1024;

extern "C" {
using MiscReserved = void*;

// Special folders: the folder without a trailing backslash; false when this
// Windows has no such folder.
using MiscPathFn = MiscBool(MISC_CALL*)(char* buffer, int size, int* outLength);
using MiscActionFn = MiscBool(MISC_CALL*)();
using MiscTotalsFn = MiscBool(MISC_CALL*)(std::int64_t* count, std::int64_t* size);
using MiscProfileFolderFn = MiscBool(MISC_CALL*)(MiscProfiles handle, int index, char* buffer,
                                                 int* outLength, int size);
}

struct IMisc {
  std::uint32_t Version;                                                       // 0
  MiscReserved Reserved1;                                                      // 1
  MiscReserved Reserved2;                                                      // 2
  MiscReserved Reserved3;                                                      // 3
  // Cookie definitions: one host mask per entry, trimmed, case ignored. A
  // cookie host (leading dot removed) matches an entry equal to it or ending
  // it after a dot ("ads.example.com" matches "example.com"); an entry that
  // holds "*", "?" or a "[...]" set is matched as a whole-text mask instead.
  // Every cookie slot answers false for a null definition list; an empty
  // list matches nothing.
  // IsTrackingCookieFile: an Internet Explorer cookie file (records of name,
  // value, host/path, flags, four time words, each closed by a line "*") with
  // a record whose host matches.
  MiscBool(MISC_CALL* IsTrackingCookieFile)(const char* cookieFile,
                                            const MiscDefineList* definitions);  // 4
  // A file, not a folder; a read-only file is made writable first (and put
  // back when it still cannot go).
  MiscBool(MISC_CALL* RemoveFile)(const char* path);                           // 5
  // The folder with everything in it; a drive or share root is refused. An
  // entry whose name could not be read exactly stays, and so does the tree.
  // True when the folder is gone (callers test the folder themselves).
  MiscBool(MISC_CALL* RemoveTree)(const char* folder, int reserved1, int reserved2);  // 6
  // The file time (UTC) in local time, as days since 30 December 1899.
  MiscBool(MISC_CALL* FileTimeToDate)(std::uint64_t fileTime, double* localDate);  // 7
  // Bytes and number of the files below the folder, all levels; folders and
  // links count as nothing.
  MiscBool(MISC_CALL* FolderTotals)(const char* folder, std::int64_t* size,
                                    std::int64_t* count);                      // 8
  MiscReserved Reserved9;                                                      // 9
  // Returns the characters written, 0 for none: the file version of the
  // version resource as "major.minor.release.build" in decimal.
  int(MISC_CALL* FileVersionText)(const char* file, char* buffer, int size);   // 10
  MiscReserved Reserved11;                                                     // 11
  MiscReserved Reserved12;                                                     // 12
  MiscReserved Reserved13;                                                     // 13
  // The shell's byte-size text ("1.50 KB"); the same text for the same
  // number; a negative size answers false.
  MiscBool(MISC_CALL* SizeToText)(char* buffer, int size, int* outLength,
                                  std::int64_t bytes);                         // 14
  MiscReserved Reserved15;                                                     // 15
  MiscReserved Reserved16;                                                     // 16
  MiscReserved Reserved17;                                                     // 17
  MiscReserved Reserved18;                                                     // 18
  MiscReserved Reserved19;                                                     // 19
  MiscReserved Reserved20;                                                     // 20
  MiscReserved Reserved21;                                                     // 21
  MiscReserved Reserved22;                                                     // 22
  // Netscape-format cookies.txt: a cookie line holds tab-separated fields
  // with the host first; "#" lines are comments, except "#HttpOnly_" lines,
  // cookies whose host follows the prefix.
  // MozCountCookies: count = tracking lines, size = their bytes with their
  // line breaks. MozCleanCookies: keeps every line that is not a tracking
  // cookie byte for byte (with eraseAll no cookie line); the new text goes
  // to a temporary file beside the original that then replaces it, so a
  // failure never leaves a truncated file.
  MiscBool(MISC_CALL* MozHasTrackingCookie)(const char* cookieFile,
                                            const MiscDefineList* definitions);  // 23
  MiscBool(MISC_CALL* MozCleanCookies)(const char* cookieFile,
                                       const MiscDefineList* definitions,
                                       MiscBool eraseAll);                     // 24
  MiscBool(MISC_CALL* MozCountCookies)(const char* cookieFile,
                                       const MiscDefineList* definitions,
                                       std::int64_t* count, std::int64_t* size);  // 25
  // Profiles from profiles.ini in the application data + subPath, in the
  // order of their [ProfileN] sections. The cookie folder is the profile
  // folder (IsRelative=1: below the browser's folder; 0: as written; key
  // missing: by the path's form); the cache folder is its twin below the
  // local application data, subfolder "Cache" (an absolute profile outside
  // the browser's folder keeps its "Cache" inside). Both end with a
  // backslash. A handle is the library's own; stale or unknown handles
  // answer failure. CloseProfiles sets the variable to 0.
  MiscProfileFolderFn ProfileCacheFolder;                                      // 26
  MiscProfileFolderFn ProfileCookiesFolder;                                    // 27
  MiscBool(MISC_CALL* CloseProfiles)(MiscProfiles* handle);                    // 28
  int(MISC_CALL* ProfileCount)(MiscProfiles handle);                           // 29
  // subPath is "Mozilla\Firefox\" or "Flock\Browser\".
  MiscProfiles(MISC_CALL* OpenProfiles)(const char* subPath);                  // 30
  // MRU lists: every value (the order values included) of these keys of the
  // current user below Software\Microsoft\Windows\CurrentVersion\Explorer,
  // their subkeys included: RecentDocs, RunMRU, ComDlg32\OpenSaveMRU,
  // ComDlg32\LastVisitedMRU, ComDlg32\OpenSavePidlMRU,
  // ComDlg32\LastVisitedPidlMRU, TypedPaths. Count = values, size = bytes of
  // their data; the clean deletes exactly those values, the keys stay.
  MiscActionFn CleanMruLists;                                                  // 31
  // Outlook through its automation server ("Outlook.Application", MAPI
  // namespace, default folder 3 or 23; other ids are refused): totals =
  // items and the sum of their sizes; empty deletes every item and is true
  // when the folder is empty. Without Outlook both answer false.
  MiscBool(MISC_CALL* EmptyOutlookFolder)(int folderId);                       // 32
  MiscTotalsFn MruTotals;                                                      // 33
  MiscBool(MISC_CALL* OutlookFolderTotals)(int folderId, std::int64_t* count,
                                           std::int64_t* size);                // 34
  // The message count in the header of an Outlook Express message store;
  // false without the message store's signature (Folders.dbx included).
  MiscBool(MISC_CALL* OeMessageCount)(const char* storeFile, int* count);      // 35
  // Address bar: the values of the current user's
  // Software\Microsoft\Internet Explorer\TypedURLs; count = values, size =
  // bytes of their data; the clean deletes those values, the key stays.
  MiscActionFn CleanAddressBar;                                                // 36
  // Internet Explorer history: the shell's URL history service; count =
  // URLs, size 0; the clean clears that history. Where the service cannot
  // enumerate, the "Visited:" entries of the URL cache are counted and
  // deleted one by one instead (totals and clean take the same road).
  MiscActionFn CleanIeHistory;                                                 // 37
  MiscTotalsFn AddressBarTotals;                                               // 38
  MiscTotalsFn IeHistoryTotals;                                                // 39
  // The process runs with administrator rights (its token holds the enabled
  // Administrators group).
  MiscActionFn CapabilityFlag1;                                                // 40
  // Outlook's automation server is registered: "Outlook.Application" names a
  // class with a local server.
  MiscActionFn OutlookAvailable;                                               // 41
  MiscReserved Reserved42;                                                     // 42
  MiscReserved Reserved43;                                                     // 43
  MiscReserved Reserved44;                                                     // 44
  // Special folders, each in its long form and only when it exists:
  // AppData, CommonAppData, Cookies, IeCache (Temporary Internet Files),
  // LocalAppData, CommonFiles, ProgramFiles, Recent, UserProfile, System:
  // the shell's folder service; CrashDumps: LocalAppData\CrashDumps;
  // OeStore: the "Store Root" of the current Outlook Express identity
  // (Identities' "Last User ID", else "Default User ID"); OfficeRecent:
  // AppData\Microsoft\Office\Recent; OperaCache: the first of profile\cache4,
  // cache4 and cache below LocalAppData\Opera\Opera; Prefetch and
  // WindowsTemp: the Windows folder's Prefetch and Temp; Profiles: the
  // profiles folder; UserTemp: the user's temporary folder; Windows: the
  // Windows folder.
  MiscPathFn PathAppData;                                                      // 45
  MiscPathFn PathCommonAppData;                                                // 46
  MiscPathFn PathCookies;                                                      // 47
  MiscPathFn PathCrashDumps;                                                   // 48
  MiscReserved Reserved49;                                                     // 49
  MiscReserved Reserved50;                                                     // 50
  MiscPathFn PathIeCache;                                                      // 51
  // The folder that holds the executable, with a trailing backslash, found
  // below the registry key (local machine first, in its native view and
  // then in the 32-bit one on 64-bit Windows, then current user): its
  // "InstallLocation" value when the executable is there, else its default
  // value when that names the executable (quoted or not, arguments after
  // it). The text is taken as it stands (no backslash is added by the
  // caller).
  MiscBool(MISC_CALL* AppInstallFolder)(char* buffer, int size, int* outLength,
                                        const char* registryKey,
                                        const char* executable);               // 52
  MiscPathFn PathLocalAppData;                                                 // 53
  MiscPathFn PathOeStore;                                                      // 54
  MiscPathFn PathOfficeRecent;                                                 // 55
  MiscPathFn PathOperaCache;                                                   // 56
  MiscPathFn PathPrefetch;                                                     // 57
  MiscPathFn PathProfiles;                                                     // 58
  MiscPathFn PathCommonFiles;                                                  // 59
  MiscPathFn PathProgramFiles;                                                 // 60
  MiscPathFn PathRecent;                                                       // 61
  MiscReserved Reserved62;                                                     // 62
  MiscReserved Reserved63;                                                     // 63
  MiscPathFn PathUserProfile;                                                  // 64
  MiscPathFn PathUserTemp;                                                     // 65
  MiscPathFn PathWindows;                                                      // 66
  MiscPathFn PathSystem;                                                       // 67
  MiscPathFn PathWindowsTemp;                                                  // 68
  // 0 same folder, -1 a inside b, 1 b inside a, 2 unrelated, 255 undetermined.
  // On the texts alone: case and slash direction ignored, empty components
  // add nothing; two empty texts are the same, one empty text is unrelated,
  // a text without components (or a null pointer) is undetermined.
  int(MISC_CALL* IsSubFolder)(const char* a, const char* b);                   // 69
  MiscReserved Reserved70;                                                     // 70
  // Through the shell's file operation, silently (no confirmation, progress
  // or error window); true only when the file is gone from its place.
  MiscBool(MISC_CALL* RecycleFile)(const char* path);                          // 71
  // The files of a list (each name ended by a zero, the list by an empty
  // name) in one shell operation, each refused as RecycleFile refuses it.
  // True when the operation went through for every file it was given; which
  // files went, the caller sees on the disk. Empty in a library before it.
  MiscBool(MISC_CALL* RecycleFiles)(const char* names);                        // 72
  // ask: the shell asks for confirmation; showProgress: it shows progress;
  // silent: no sound. True when the bin is empty afterwards.
  MiscBool(MISC_CALL* EmptyRecycleBin)(MiscBool ask, MiscBool showProgress,
                                       MiscBool silent);                       // 73
  // Objects and bytes of the Recycle Bins of all drives.
  MiscTotalsFn RecycleBinTotals;                                               // 74
  MiscReserved Reserved75;                                                     // 75
  // Opens the Recycle Bin folder in the shell's explorer.
  MiscActionFn OpenRecycleBin;                                                 // 76
  MiscReserved Reserved77;                                                     // 77
  // root is "machine" (the local-machine hive, case ignored), in its native
  // view also when the 32-bit program runs on 64-bit Windows; any other root
  // is refused, and so is a key with an empty component (a leading, trailing
  // or doubled backslash would name a parent key). RegKeyDelete removes the
  // key with all its subkeys.
  MiscBool(MISC_CALL* RegKeyDelete)(const char* root, const char* key);        // 78
  MiscBool(MISC_CALL* RegKeyExists)(const char* root, const char* key);        // 79
  MiscReserved Reserved80;                                                     // 80
  // A DWORD value.
  MiscBool(MISC_CALL* RegReadNumber)(const char* root, const char* key, const char* value,
                                     std::int32_t* number);                    // 81
  // buffer: MISC_REGTEXT_BUFFER bytes, zeroed by the caller. A text value
  // that does not fit with its zero is refused rather than cut.
  MiscBool(MISC_CALL* RegReadText)(const char* root, const char* key, const char* value,
                                   char* buffer);                              // 82
  MiscReserved Reserved83;                                                     // 83
  MiscReserved Reserved84;                                                     // 84
  MiscReserved Reserved85;                                                     // 85
  MiscReserved Reserved86;                                                     // 86
  MiscReserved Reserved87;                                                     // 87
  MiscReserved Reserved88;                                                     // 88
  MiscReserved Reserved89;                                                     // 89
  // Windows Vista or later: the update uninstallation folders, $hf_mig$ and
  // Outlook Express no longer exist there.
  MiscActionFn LegacyCategoriesOff;                                            // 90
  MiscReserved Reserved91;                                                     // 91
  // Roots ("C:\") of the drives of fixed type, joined by the separator.
  MiscBool(MISC_CALL* FixedDriveRoots)(const char* separator, char* buffer, int size,
                                       int* outLength);                        // 92
};

extern "C" {
using GetIMiscFn = const IMisc*(MISC_CALL*)();
}

#if defined(_WIN32) && !defined(_WIN64)
// The record's layout is the binary interface: pin every used word.
#define MISC_WORD(field, word) static_assert(offsetof(IMisc, field) == (word) * 4, #field)
MISC_WORD(IsTrackingCookieFile, 4);
MISC_WORD(RemoveFile, 5);
MISC_WORD(RecycleFiles, 72);
MISC_WORD(RemoveTree, 6);
MISC_WORD(FileTimeToDate, 7);
MISC_WORD(FolderTotals, 8);
MISC_WORD(FileVersionText, 10);
MISC_WORD(SizeToText, 14);
MISC_WORD(MozHasTrackingCookie, 23);
MISC_WORD(MozCleanCookies, 24);
MISC_WORD(MozCountCookies, 25);
MISC_WORD(ProfileCacheFolder, 26);
MISC_WORD(ProfileCookiesFolder, 27);
MISC_WORD(CloseProfiles, 28);
MISC_WORD(ProfileCount, 29);
MISC_WORD(OpenProfiles, 30);
MISC_WORD(CleanMruLists, 31);
MISC_WORD(EmptyOutlookFolder, 32);
MISC_WORD(MruTotals, 33);
MISC_WORD(OutlookFolderTotals, 34);
MISC_WORD(OeMessageCount, 35);
MISC_WORD(CleanAddressBar, 36);
MISC_WORD(CleanIeHistory, 37);
MISC_WORD(AddressBarTotals, 38);
MISC_WORD(IeHistoryTotals, 39);
MISC_WORD(CapabilityFlag1, 40);
MISC_WORD(OutlookAvailable, 41);
MISC_WORD(PathAppData, 45);
MISC_WORD(PathCommonAppData, 46);
MISC_WORD(PathCookies, 47);
MISC_WORD(PathCrashDumps, 48);
MISC_WORD(PathIeCache, 51);
MISC_WORD(AppInstallFolder, 52);
MISC_WORD(PathLocalAppData, 53);
MISC_WORD(PathOeStore, 54);
MISC_WORD(PathOfficeRecent, 55);
MISC_WORD(PathOperaCache, 56);
MISC_WORD(PathPrefetch, 57);
MISC_WORD(PathProfiles, 58);
MISC_WORD(PathCommonFiles, 59);
MISC_WORD(PathProgramFiles, 60);
MISC_WORD(PathRecent, 61);
MISC_WORD(PathUserProfile, 64);
MISC_WORD(PathUserTemp, 65);
MISC_WORD(PathWindows, 66);
MISC_WORD(PathSystem, 67);
MISC_WORD(PathWindowsTemp, 68);
MISC_WORD(IsSubFolder, 69);
MISC_WORD(RecycleFile, 71);
MISC_WORD(EmptyRecycleBin, 73);
MISC_WORD(RecycleBinTotals, 74);
MISC_WORD(OpenRecycleBin, 76);
MISC_WORD(RegKeyDelete, 78);
MISC_WORD(RegKeyExists, 79);
MISC_WORD(RegReadNumber, 81);
MISC_WORD(RegReadText, 82);
MISC_WORD(LegacyCategoriesOff, 90);
MISC_WORD(FixedDriveRoots, 92);
#undef MISC_WORD
static_assert(sizeof(IMisc) == (MISC_LAST_WORD + 1) * 4, "IMisc holds words 0 to 92");
#endif

}  // namespace qlm
