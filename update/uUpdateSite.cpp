#include "update/uUpdateSite.h"

namespace qlm {

namespace {

std::string& OverriddenSite() {
  static std::string site;
  return site;
}

}  // namespace

std::string UpdateBaseAddress() {
  std::string site = OverriddenSite().empty() ? UPDATE_SITE_ADDRESS : OverriddenSite();
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site + UPDATE_SITE_PATH;
}

void OverrideUpdateSite(const std::string& address) { OverriddenSite() = address; }

}  // namespace qlm
