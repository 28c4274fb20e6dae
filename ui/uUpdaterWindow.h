// What the main window asks of the update window: the places it works in
// before each showing, a modal showing, what the showing left behind, and
// its texts in the current language.
#pragma once

#include <functional>
#include <string>

namespace qlm {

class IUpdaterWindow {
 public:
  virtual ~IUpdaterWindow() = default;

  virtual void Prepare(const std::string& listName, const std::string& downloadFolder,
                       const std::string& appFolder) = 0;
  virtual void ShowModal() = 0;
  // A valid update list has been read in this run.
  virtual bool CatalogueRead() const = 0;
  // Files wait in the download folder for update.bin.
  virtual bool LaunchUpdateBin() const = 0;
  // Its title, captions and texts in the current language.
  virtual void UpdateLabels(const std::function<std::string(const std::string&)>& textOf) = 0;
};

}  // namespace qlm
