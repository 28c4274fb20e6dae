#include "update/uUpdateSite.h"

#include <cstdlib>

std::string UpdateBaseAddress() {
  const char* overridden = std::getenv(UPDATE_SITE_VARIABLE);
  std::string site = overridden != nullptr && *overridden != '\0' ? overridden : UPDATE_SITE_ADDRESS;
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site + UPDATE_SITE_PATH;
}
