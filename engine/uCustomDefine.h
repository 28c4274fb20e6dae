// The application script: one TCustomDefine per application section, each
// with its numbered folder items, and the collector that turns the items of
// the ticked applications into folders to search.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qlm {

class TIniText;
class TScanContext;

inline constexpr char APPLICATIONS_SCRIPT[] = "applications.script";
// Custom categories are 256 + the position in the list and keep that
// position in their low byte, so the list holds at most 256 applications.
inline constexpr int MAX_CUSTOM_DEFINES = 256;

// One folder item of an application.
struct TCustomInternal {
  bool SubFolder = false;
  bool RemEmptyFolder = false;
  std::string FolderInclude;
  std::string FolderExclude;
  std::string ExtensionInclude;
  std::string ExtensionExclude;
  std::string SearchKey;
  std::string SearchExe;
};

class TCustomDefine {
 public:
  TCustomDefine(std::string fileName, std::string name);

  // Reads the section from the script; false when the script cannot be read.
  bool Load();
  // Reads the section from a script already in memory.
  void Load(const TIniText& script);
  // The item at that position of Items; raises std::out_of_range past them.
  const TCustomInternal& GetItem(int index) const;
  // Writes the tick at once as "selected" into the section, leaving every
  // other line of the script as it was, and then stores it. False, logged,
  // with the tick in memory unchanged, when the script could not be read or
  // written: memory and file always agree.
  bool SetSelected(bool selected);

  std::string FileName;
  std::string Name;
  bool Selected = true;
  int Category = 0;
  std::string Version;
  std::string Display;
  std::vector<TCustomInternal> Items;
  int ItemCount = 0;  // as declared by "items"; may exceed the records loaded
};

// The loaded applications in list order, and the script's version.
class TCustomDefineList {
 public:
  TCustomDefineList() = default;
  // A deep copy: the engine's own, independent of the window's reloads.
  TCustomDefineList(const TCustomDefineList& other);
  TCustomDefineList& operator=(const TCustomDefineList& other);
  TCustomDefineList(TCustomDefineList&&) = default;
  TCustomDefineList& operator=(TCustomDefineList&&) = default;

  std::string Version;
  std::vector<std::unique_ptr<TCustomDefine>> Items;

  // The application of a custom category, or null.
  const TCustomDefine* ByCategory(int category) const;
};

// Loads AppFolder + "defines\applications.script": the first section names
// the version, every later one becomes an application with the category 256
// + its position. A missing script gives an empty list without a version.
TCustomDefineList LoadCustomDefines(const std::string& appFolder);

// The applications of a script in memory, as LoadCustomDefines reads them
// (`fileName` is where each keeps its tick); `refused` gets the names of the
// sections left out: a repeated name, or one past the last custom category.
TCustomDefineList ReadCustomDefines(const TIniText& script, const std::string& fileName,
                                    std::vector<std::string>& refused);

// The tenth collector: one folder item per item of every ticked application.
void CollectCustomDefines(TScanContext& scan);

}  // namespace qlm
