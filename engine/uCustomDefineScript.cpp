#include "engine/uCustomDefine.h"

#include <cstdio>
#include <stdexcept>

#include "engine/uCategories.h"
#include "engine/uIniText.h"

namespace qlm {

namespace {

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

}  // namespace

TCustomDefine::TCustomDefine(std::string fileName, std::string name)
    : FileName(std::move(fileName)), Name(std::move(name)) {}

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

TCustomDefineList ReadCustomDefines(const TIniText& script, const std::string& fileName,
                                    std::vector<std::string>& refused) {
  TCustomDefineList list;
  const std::vector<TIniSection>& sections = script.Sections();
  if (sections.empty()) return list;
  list.Version = sections.front().Name;
  for (std::size_t i = 1; i < sections.size(); ++i) {
    const std::string& name = sections[i].Name;
    // A second section of a name would read the first one's keys, and no
    // category is left past the last one.
    if (HasDefine(list, name) || list.Items.size() == MAX_CUSTOM_DEFINES) {
      refused.push_back(name);
      continue;
    }
    auto define = std::make_unique<TCustomDefine>(fileName, name);
    define->Load(script);
    define->Category = OBJTYPE_CUSTOM + static_cast<int>(list.Items.size());
    list.Items.push_back(std::move(define));
  }
  return list;
}

}  // namespace qlm
