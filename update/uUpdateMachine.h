// The kind of Windows program an update list is for. Each build reads the
// list of its own kind from a folder of its own on the update site, so that
// an update never puts a 64-bit file into a 32-bit installation or the
// reverse. Free of Windows headers.
#pragma once

#include <cstdint>

namespace qlm {

// The machine codes of the PE header, as the list's header carries them.
inline constexpr std::uint16_t UPDATE_MACHINE_X86 = 0x014C;
inline constexpr std::uint16_t UPDATE_MACHINE_X64 = 0x8664;

inline constexpr std::uint16_t OWN_UPDATE_MACHINE =
    sizeof(void*) == 8 ? UPDATE_MACHINE_X64 : UPDATE_MACHINE_X86;

// The site's folder of a machine's lists and archives: "x86" or "x64".
constexpr const char* UpdateMachineFolder(std::uint16_t machine) {
  return machine == UPDATE_MACHINE_X64 ? "x64" : "x86";
}

}  // namespace qlm
