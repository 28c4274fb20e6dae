// The uninstallation folders of installed updates: which are security
// updates, which are orphans, and what their "spuninst.inf" says.
#pragma once

#include <string>

namespace qlm {

inline constexpr char MACHINE_ROOT[] = "machine";

// The "spuninst.inf" file below an update folder.
std::string SpuninstFile(const std::string& folder);

// The value of that name in the section "Version"; empty when missing.
std::string ReadSpuninstValue(const std::string& infFile, const std::string& name);

// Whether the update's uninstall entry (or, without one, its title) speaks
// of security.
bool IsSecurityUpdate(const std::string& id, const std::string& title);

// Whether a backup folder in "$hf_mig$" has lost its update: no uninstall
// entry, or an entry that may be removed and no uninstallation folder left.
bool IsOrphanUpdate(const std::string& path);

}  // namespace qlm
