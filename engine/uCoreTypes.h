// The engine's records: options, the initialisation record, the found object,
// the folder to search, the progress payload, categories and operation types,
// and the process-wide found-object list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/uStringList.h"
#include "engine/uCategories.h"
#include "engine/uFileRec.h"
#include "engine/uFoundList.h"

namespace qlm {

class TTrace;
class TCustomDefineList;

// The engine's operation selector; any other value runs nothing.
inline constexpr int OPTYPE_SCAN = 1;
inline constexpr int OPTYPE_CLEAN = 2;

struct TCOCookies {
  bool Enabled = false;
  bool EraseAll = false;
  bool IndexDat = false;
  std::string DefsFile;
  bool UseDefault = false;
};

struct TCOSystem {
  bool FixedDrives = false;
  bool SelFolders = false;
  std::string AddFolders;
  bool UseDefExts = false;
  std::string AddExts;
  int DaysOlder = 0;
};

struct TCoreOptions {
  TCOCookies Cookies;
  bool Temp = false;
  bool Mru = false;
  bool IeCache = false;
  bool ForceDel = false;
  bool ShowFiles = false;
  bool IeIndexDat = false;
  bool IeUpdates = false;
  bool IeHistory = false;
  bool AddrBarUrls = false;
  bool OeDeleted = false;
  bool RecentsWindows = false;
  bool RecentsOffice = false;
  bool OlDeleted = false;
  bool OlJunk = false;
  bool DbCache = false;
  bool WinUpdates = false;
  int WinUpdatesDays = 0;
  bool WinUpdatesOptional = false;
  bool WinUpdatesOrphan = false;
  bool WinTemp = false;
  bool Prefetch = false;
  int PrefetchDays = 0;
  TCOSystem System;
  bool FirefoxCache = false;
  bool FirefoxCookies = false;
  bool FlockCache = false;
  bool FlockCookies = false;
  // The loaded custom define objects in application-list order; owned by
  // the main window, shared by every copy of the options.
  const TCustomDefineList* CustomDefines = nullptr;
};

struct TMainOptions {
  std::string AppFolder;
  bool CapabilityFlag1 = false;
  bool OutlookAvailable = false;
  bool LegacyCategoriesOff = false;
  bool ScanOverdue = false;
  bool NeverScanned = false;
  bool UpdateOverdue = false;
  int DaysSinceScan = 0;
  std::string LngFile;
};

struct TOptions {
  TDateTime UpdateTime = 0;
  TDateTime OperTime = 0;
  std::int64_t ObjsFound = 0;
  std::int64_t SizeFound = 0;
  std::int64_t ObjsRem = 0;
  std::int64_t SizeRem = 0;
  TMainOptions Main;
  bool ScanLowPriority = false;
  bool SelFoundObjs = false;
  bool RemObjsScanEnd = false;
  bool MoveRemInRB = false;
  bool HidePath = false;
  bool AskConfirm = false;
  bool ShowProgress = false;
  bool PlaySound = false;
  bool EmptyRBin = false;
  int LogLevel = 0;
  int MaxRetention = 0;
  bool DelSaveLog = false;
  TCoreOptions Core;
};

// Handed to the engine before each operation and read back from it.
struct TCoreInit {
  TTrace* Trace = nullptr;
  HWND Window = nullptr;
  TOptions Options;
};

// One folder to search, made by a collector and owned by the engine.
struct TFolderItem {
  bool Done = false;
  bool Nested = false;
  bool SubFolders = false;
  bool RemoveEmptyFolders = false;
  std::string Folder;
  std::string Path;
  int Category = 0;
  std::optional<TStringList> FolderExclude;
  std::optional<TStringList> IncludeMasks;
  std::optional<TStringList> ExcludeMasks;
};

// The payload of one progress message; the receiver owns it.
struct TUpdateItem {
  std::int64_t Count = 0;
  std::int64_t Size = 0;
  bool Stopped = false;
  bool Failed = false;
  std::string Text;
};

}  // namespace qlm
