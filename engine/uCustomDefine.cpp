#include "engine/uCustomDefine.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <stdexcept>

#include "base/uAtomicReplace.h"
#include "base/uMasks.h"
#include "engine/uDefineFiles.h"
#include "engine/uIniText.h"
#include "engine/uScanContext.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

std::optional<TIniText> ReadScript(const std::string& fileName) {
  std::optional<std::string> text = ReadDefineFile(fileName);
  if (!text) return std::nullopt;
  return TIniText(std::move(*text));
}

std::string ItemPrefix(int n) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%d.", n);
  return prefix;
}

// Whether a list already holds an application of that name.
bool HasDefine(const TCustomDefineList& list, const std::string& name) {
  for (const auto& define : list.Items) {
    if (SameName(define->Name, name)) return true;
  }
  return false;
}

void AddCustomItem(TScanContext& scan, const TCustomDefine& define, const TCustomInternal& item,
                   const std::string& folder) {
  TFolderItem* added =
      AddFolderItem(scan, folder, std::string(), item.ExtensionInclude, item.SubFolder,
                    define.Category, define.Name + ": ADD " + folder);
  added->FolderExclude = SplitDelimited(item.FolderExclude, '|');
  added->ExcludeMasks = SplitDelimited(item.ExtensionExclude, '|');
  added->RemoveEmptyFolders = item.RemEmptyFolder;
}

void CollectDefine(TScanContext& scan, const TCustomDefine& define) {
  for (int n = 0; n < define.ItemCount; ++n) {
    const TCustomInternal* item = nullptr;
    try {
      item = &define.GetItem(n);
    } catch (const std::out_of_range& e) {
      scan.Log(LVL_EXCEPT, std::string("##### EXCEPTION: ") + e.what());
      continue;
    }
    const std::string folder =
        scan.GetFolderCustomDefine(item->FolderInclude, item->SearchKey, item->SearchExe);
    if (folder.empty()) {
      scan.Log(LVL_ERROR, define.Name + " Invalid Folder_Include : " + item->FolderInclude);
      continue;
    }
    AddCustomItem(scan, define, *item, folder);
  }
}

}  // namespace

TCustomDefine::TCustomDefine(std::string fileName, std::string name)
    : FileName(std::move(fileName)), Name(std::move(name)) {}

bool TCustomDefine::Load() {
  const std::optional<TIniText> script = ReadScript(FileName);
  if (!script) return false;
  Load(*script);
  return true;
}

void TCustomDefine::Load(const TIniText& script) {
  Version = script.ReadString(Name, "version");
  Display = script.ReadString(Name, "display");
  Selected = script.ReadBool(Name, "selected", true);
  ItemCount = script.ReadInteger(Name, "items", 0);
  Items.clear();
  for (int n = 0; n < ItemCount; ++n) {
    const std::string prefix = ItemPrefix(n);
    // An item list ends at the first item without its folder or its masks.
    if (script.Key(Name, prefix + "folder_include") == nullptr ||
        script.Key(Name, prefix + "extension_include") == nullptr) {
      break;
    }
    TCustomInternal& item = Items.emplace_back();
    item.SubFolder = script.ReadBool(Name, prefix + "subfolder", false);
    item.RemEmptyFolder = script.ReadBool(Name, prefix + "rem_emptyfolder", false);
    item.FolderInclude = script.ReadString(Name, prefix + "folder_include");
    item.FolderExclude = script.ReadString(Name, prefix + "folder_exclude");
    item.ExtensionInclude = script.ReadString(Name, prefix + "extension_include");
    item.ExtensionExclude = script.ReadString(Name, prefix + "extension_exclude");
    item.SearchKey = script.ReadString(Name, prefix + "search_key");
    item.SearchExe = script.ReadString(Name, prefix + "search_exe");
  }
}

const TCustomInternal& TCustomDefine::GetItem(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= Items.size()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return Items[static_cast<std::size_t>(index)];
}

bool TCustomDefine::SetSelected(bool selected) {
  // Read afresh: another application may have written its tick since.
  std::optional<TIniText> script = ReadScript(FileName);
  if (script) {
    const std::string before = script->Text();
    script->WriteString(Name, "selected", selected ? "1" : "0");
    if (script->Text() == before || WriteFileAtomically(FileName, script->Text())) {
      Selected = selected;
      return true;
    }
  }
  Log(LVL_ERROR, "Cannot save the selection of " + Name + " in " + FileName);
  return false;
}

TCustomDefineList::TCustomDefineList(const TCustomDefineList& other) : Version(other.Version) {
  for (const auto& define : other.Items) Items.push_back(std::make_unique<TCustomDefine>(*define));
}

TCustomDefineList& TCustomDefineList::operator=(const TCustomDefineList& other) {
  if (this != &other) *this = TCustomDefineList(other);
  return *this;
}

const TCustomDefine* TCustomDefineList::ByCategory(int category) const {
  if (category < OBJTYPE_CUSTOM || category >= OBJTYPE_CUSTOM + MAX_CUSTOM_DEFINES) return nullptr;
  const std::size_t index = static_cast<std::size_t>(category - OBJTYPE_CUSTOM);
  return index < Items.size() ? Items[index].get() : nullptr;
}

TCustomDefineList LoadCustomDefines(const std::string& appFolder) {
  Log(LVL_DEBUG, "Loading custom defines...");
  TCustomDefineList list;
  const std::string fileName = appFolder + "defines\\" + APPLICATIONS_SCRIPT;
  const std::optional<TIniText> script = ReadScript(fileName);
  if (!script || script->Sections().empty()) return list;
  const std::vector<TIniSection>& sections = script->Sections();
  for (const TIniSection& section : sections) Log(LVL_DEBUG, section.Name);
  list.Version = sections.front().Name;
  for (std::size_t i = 1; i < sections.size(); ++i) {
    const std::string& name = sections[i].Name;
    // A second section of a name would read the first one's keys, and no
    // category is left past the last one.
    if (HasDefine(list, name) || list.Items.size() == MAX_CUSTOM_DEFINES) {
      Log(LVL_ERROR, "Unable to load custom define " + name);
      continue;
    }
    auto define = std::make_unique<TCustomDefine>(fileName, name);
    define->Load(*script);
    define->Category = OBJTYPE_CUSTOM + static_cast<int>(list.Items.size());
    list.Items.push_back(std::move(define));
  }
  return list;
}

void CollectCustomDefines(TScanContext& scan) {
  for (const auto& define : scan.CustomDefines().Items) {
    scan.Log(LVL_DEBUG, "Name: " + define->Name);
    scan.Log(LVL_DEBUG, std::string("Selected: ") + (define->Selected ? "True" : "False"));
    if (define->Selected) CollectDefine(scan, *define);
  }
}

}  // namespace qlm
