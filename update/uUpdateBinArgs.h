// The command line of update.bin: four double-quoted texts (the update
// window's caption and the labels of Close, Update and Restart) and the main
// window's handle in decimal, each separated by one blank. The main window
// writes it, update.bin reads it. Free of Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qlm {

struct TUpdateBinArgs {
  std::string Caption;
  std::string CloseText;
  std::string UpdateText;
  std::string RestartText;
  std::uint32_t MainWindow = 0;
};

// Reads the parameters from the whole command line: they begin at the first
// double quote after the program's path (which the program passes unquoted;
// a quoted one is passed over too). False when they are not exactly as above.
bool ParseUpdateBinArgs(std::string_view commandLine, TUpdateBinArgs& args);

// The parameters as the main window passes them. A double quote cannot be
// carried inside a quoted text and is left out of it.
std::string FormatUpdateBinArgs(const TUpdateBinArgs& args);

}  // namespace qlm
