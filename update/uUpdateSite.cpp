#include "update/uUpdateSite.h"

#include <cstdlib>

#include "update/uUpdateMachine.h"

namespace qlm {

namespace {

std::string& OverriddenSite() {
  static std::string site;
  return site;
}

std::string SiteAddress() {
  if (!OverriddenSite().empty()) return OverriddenSite();
  const char* variable = std::getenv(UPDATE_SITE_VARIABLE);
  if (variable != nullptr && *variable != '\0') return variable;
  return UPDATE_SITE_ADDRESS;
}

}  // namespace

std::string UpdateBaseAddress() {
  std::string site = SiteAddress();
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site + UPDATE_SITE_PATH + UpdateMachineFolder(OWN_UPDATE_MACHINE) + "/";
}

void OverrideUpdateSite(const std::string& address) { OverriddenSite() = address; }

}  // namespace qlm
