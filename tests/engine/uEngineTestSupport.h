// What the engine tests share: a stand-in services record whose special
// folders point at fixture trees, a window that records progress messages,
// and the entry lines of a trace file.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/uCore.h"
#include "startup/IMisc.h"
#include "startup/uTrace.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

// The services record the engine sees while the object lives: special
// folders from Folders (by word; a missing word answers failure), the folder
// relation of the design, file times as date-times (no time zone), and an
// optional hook called at every file time asked for. Files and trees are
// removed on disk (a tree never through a reparse point; Recycled lists the
// files that went to the "Recycle Bin", RecycleBatches the number of names
// of each list handed over at once), registry slots act on the real
// local-machine hive, the fixed drives are DriveRoots. Record may be changed
// by a test; it is rebuilt for every object.
class TStandInMisc {
 public:
  TStandInMisc();
  ~TStandInMisc();
  TStandInMisc(const TStandInMisc&) = delete;
  TStandInMisc& operator=(const TStandInMisc&) = delete;

  static std::map<int, std::string> Folders;
  static std::string AppInstall;  // answered for any key and executable
  static std::function<void()> OnFileTime;
  static std::function<void(const std::string&)> OnRemoveFile;
  static std::vector<std::string> Recycled;
  static std::vector<std::size_t> RecycleBatches;
  static std::string DriveRoots;
  static IMisc Record;

  // Takes the slots that the stand-in lacks (cookies, profiles, mail,
  // history lists, Outlook) from another record, such as the real one's.
  static void BorrowServices(const IMisc& from);

 private:
  const IMisc* fSaved;
};

// The build's own misc.dll bound as the program binds it, for one test.
class TRealMisc {
 public:
  TRealMisc();
  ~TRealMisc();
  TRealMisc(const TRealMisc&) = delete;
  TRealMisc& operator=(const TRealMisc&) = delete;
  bool Bound() const { return fReal != nullptr; }
  const IMisc& Record() const { return *fReal; }

 private:
  const IMisc* fSaved;
  const IMisc* fReal = nullptr;
  HMODULE fModule = nullptr;
};

struct TRecordedMessage {
  UINT Message;
  TUpdateItem Item;
};

// A window that takes every progress message and keeps its payload.
class TProgressRecorder {
 public:
  TProgressRecorder();
  ~TProgressRecorder();
  HWND Handle() const { return fWindow; }
  // Dispatches this thread's messages until pred holds or time runs out.
  bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 20000);
  bool PumpUntilEnd(DWORD timeoutMs = 20000);
  std::vector<TRecordedMessage> Messages;
  std::function<void(const TRecordedMessage&)> OnMessage;
  std::size_t Count(UINT message) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND fWindow = nullptr;
};

struct TLogLine {
  int Level;
  std::string Text;
  bool operator==(const TLogLine&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TLogLine& line);

// The entry lines of a trace file, without time and thread.
std::vector<TLogLine> TraceEntries(const std::string& file);

// Makes folders (names ending in a backslash) and files (content "x" * size
// given after a '=' or one byte) below root.
void MakeTree(const std::string& root, const std::vector<std::string>& entries);

// An Outlook Express message store of deleted items holding that many
// messages, by its header.
std::string DbxStore(std::uint32_t messages);

// A folder item as a collector makes it.
std::unique_ptr<TFolderItem> MakeItem(const std::string& folder, const std::string& masks,
                                      bool subFolders, int category, bool nested = true);

// Everything a scan test needs: the stand-in record, a fixture folder, a
// trace file at the given level and a recording window; the found list is
// emptied before and after.
class TScanFixture {
 public:
  explicit TScanFixture(int level = LVL_DEBUG);
  ~TScanFixture();
  TCoreInit Init();
  std::string Root() const { return fFolder.Path(); }
  // Every line logged so far, the waiting ones written first.
  std::vector<TLogLine> Entries() const {
    fTrace->Flush();
    return TraceEntries(fTrace->FileName());
  }
  TTrace* TraceLog() const { return fTrace.get(); }
  // Runs a scan on this thread with items made by the custom define collector.
  void Scan(TCore& core, std::function<void(TScanContext&)> collect);
  // Runs a scan on this thread with the program's collectors and these options.
  void ScanWith(TCore& core, const TOptions& options);
  // Runs a clean on this thread with these options.
  void CleanWith(TCore& core, const TOptions& options);

  TStandInMisc Misc;
  TProgressRecorder Recorder;

 private:
  void RunOperation(TCore& core, const TOptions& options, int opType);
  TTempFolder fFolder;
  std::unique_ptr<TTrace> fTrace;
};

// What one collector or category rule sees, without an engine around it:
// options that the test may change, the folder list and the cookie
// definitions.
class TTestScan {
 public:
  void SetInit(const TCoreInit& init) { Session.SetInit(init); }
  TOptions& Options() { return Session.OwnOptions(); }

  TEngineSession Session;
  TFolderList Folders;
  TStringList CookieDefs;
  TCustomDefineList Defines;
  TScanContext Context{Session, Folders, CookieDefs, Defines};
};

// The items that the next scan's custom define collector appends.
extern std::function<void(TScanContext&)> CollectForTest;
void CollectTestItems(TScanContext& core);

// A key below the local-machine root made for a test and deleted with
// everything below it when the object ends.
class TTestRegKey {
 public:
  explicit TTestRegKey(const std::string& key);
  ~TTestRegKey();
  TTestRegKey(const TTestRegKey&) = delete;
  TTestRegKey& operator=(const TTestRegKey&) = delete;
  bool Made() const { return fMade; }
  void SetText(const std::string& name, const std::string& value);
  void SetNumber(const std::string& name, DWORD value);

 private:
  void SetValue(const std::string& name, DWORD type, const void* data, DWORD size);
  std::string fKey;
  bool fMade = false;
};
bool RegKeyPresent(const std::string& key);

// Sets a file's or folder's three times to now minus the given hours.
bool SetAgeHours(const std::string& path, double hours);
FILETIME FileTimeHoursAgo(double hours);
