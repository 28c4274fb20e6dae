#include "engine/uCategories.h"

#include <array>

namespace qlm {

namespace {

struct TCategoryText {
  const char* EngineName;
  const char* Group;
};

// Indexed by category id; the engine names stand as the log has always
// written them.
constexpr std::array<TCategoryText, 23> kCategories = {{
    {"", ""},
    {"Cookies", "Tracking Cookies"},
    {"Internet Explorer Cache", "Internet Explorer Cache"},
    {"Recents files", "User Recents"},
    {"User Junk files", "User Junk files"},
    {"Windows Updates Uninstallation files", "Windows Updates Uninstallation files"},
    {"Windows Temp files", "Temporary Windows files"},
    {"System Junk files", "System Junk files"},
    {"Prefetch files", "Prefetch files"},
    {"Internet Explorer Updates Unistallation files",
     "Internet Explorer Updates Uninstallation files"},
    {"Outlook Deleted Items", "Microsoft Office files"},
    {"Outlook Junk Items", "Microsoft Office files"},
    {"Outlook Sent Items", ""},
    {"Outlook Express Deleted Items", "Outlook Express"},
    {"Mozilla Firefox Cache", "Mozilla FireFox"},
    {"Mozilla Firefox Cookies", "Mozilla FireFox"},
    {"Windows Updates Orphan Uninstallation files", "Windows Updates Orphan Uninstallation files"},
    {"Internet History", "Internet Explorer Additional"},
    {"IE's Address Bar History", "Internet Explorer Additional"},
    {"Flock Cache", "Flock Browser"},
    {"Flock Cookies", "Flock Browser"},
    {"MRU History", "User Junk files"},
    {"User db Cache", "User db cache files"},
}};

bool IsListed(int category) {
  return category >= OBJTYPE_COOKIES && category <= OBJTYPE_DB_CACHE;
}

}  // namespace

bool IsCustomCategory(int category) { return category >= 256 && category <= 511; }

std::string CategoryName(int category) {
  if (IsListed(category)) return kCategories[static_cast<std::size_t>(category)].EngineName;
  return IsCustomCategory(category) ? "Custom files" : "Undefined files";
}

std::string CategoryGroup(int category) {
  if (IsListed(category)) return kCategories[static_cast<std::size_t>(category)].Group;
  return std::string();
}

}  // namespace qlm
