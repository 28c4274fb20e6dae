// The application script: at most one application per name and per custom
// category, each found by its category; a tick written into the script
// reads back on that application alone.
#include <string>
#include <vector>

#include "base/uMasks.h"
#include "base/uStringList.h"
#include "engine/uCategories.h"
#include "engine/uCustomDefine.h"
#include "engine/uIniText.h"
#include "fuzz/uFuzzCheck.h"

using namespace qlm;

namespace {

void CheckList(const TIniText& script, const TCustomDefineList& list,
               const std::vector<std::string>& refused) {
  const std::size_t sections = script.Sections().size();
  FUZZ_CHECK(list.Items.size() <= MAX_CUSTOM_DEFINES);
  FUZZ_CHECK(sections == 0 ? list.Items.empty() && refused.empty()
                           : list.Items.size() + refused.size() == sections - 1);
  for (std::size_t i = 0; i < list.Items.size(); ++i) {
    const TCustomDefine& define = *list.Items[i];
    FUZZ_CHECK(define.Category == OBJTYPE_CUSTOM + static_cast<int>(i));
    FUZZ_CHECK(list.ByCategory(define.Category) == &define);
    FUZZ_CHECK(define.Items.size() <= static_cast<std::size_t>(std::max(define.ItemCount, 0)));
    for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(!SameName(list.Items[j]->Name, define.Name));
    for (const TCustomInternal& item : define.Items) {
      for (const std::string& mask : SplitDelimited(item.ExtensionInclude, '|').Items) {
        MatchesMask("cache.tmp", mask);
      }
    }
  }
  FUZZ_CHECK(list.ByCategory(OBJTYPE_CUSTOM + static_cast<int>(list.Items.size())) == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TIniText script{std::string(fuzz::InputText(data, size))};
  std::vector<std::string> refused;
  const TCustomDefineList list = ReadCustomDefines(script, "applications.script", refused);
  CheckList(script, list, refused);
  if (list.Items.empty()) return 0;

  // The tick of the first application, as its check box writes it.
  const TCustomDefine& first = *list.Items.front();
  script.WriteString(first.Name, "selected", first.Selected ? "0" : "1");
  std::vector<std::string> refusedAgain;
  const TCustomDefineList again = ReadCustomDefines(script, "applications.script", refusedAgain);
  CheckList(script, again, refusedAgain);
  FUZZ_CHECK(again.Items.size() == list.Items.size());
  FUZZ_CHECK(again.Items.front()->Selected == !first.Selected);
  for (std::size_t i = 1; i < list.Items.size(); ++i) {
    FUZZ_CHECK(again.Items[i]->Name == list.Items[i]->Name);
    FUZZ_CHECK(again.Items[i]->Selected == list.Items[i]->Selected);
    FUZZ_CHECK(again.Items[i]->Items.size() == list.Items[i]->Items.size());
  }
  return 0;
}
