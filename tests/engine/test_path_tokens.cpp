#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

TEST(PathTokens, SpecialFolderLookupsAddOneBackslash) {
  TStandInMisc misc;
  TCore core;
  TStandInMisc::Folders = {{66, "C:\\Windows"}, {65, ""}};
  EXPECT_EQ(SpecialFolder(&IMisc::PathWindows), "C:\\Windows\\");
  EXPECT_EQ(SpecialFolder(&IMisc::PathUserTemp), "");   // an empty answer stays empty
  EXPECT_EQ(SpecialFolder(&IMisc::PathPrefetch), "");   // a failed lookup yields nothing
  TStandInMisc::AppInstall = "C:\\Apps\\Tool";
  EXPECT_EQ(AppInstallFolder("key", "tool.exe"), "C:\\Apps\\Tool");  // taken as it stands
}

TEST(PathTokens, SpecificationsExpandIntoExistingFolders) {
  TScanFixture fixture;
  const std::string r = fixture.Root();
  MakeTree(r, {"win\\", "win\\temp\\", "win\\temp\\file.txt", "pf\\", "pf\\App\\", "dir\\",
               "}x{\\"});
  TStandInMisc::Folders = {{66, r + "win"}, {60, r + "pf"}};
  TStandInMisc::AppInstall = r + "pf";
  ::SetEnvironmentVariableA("QLMSUB", "temp");
  struct TCase {
    std::string Spec;
    std::string Folder;
  };
  const TCase cases[] = {
      {"{win}temp", r + "win\\temp\\"},
      {"{win}\\temp", r + "win\\temp\\"},
      {"{PF}\\App", r + "pf\\App\\"},
      {"{pf}", r + "pf\\"},
      {"x{win}", ""},
      {"{nosuch}\\dir", ""},
      {r + "{nosuch}\\dir", r + "dir\\"},
      {"{sys}\\dir", ""},  // the services library knows no system folder here
      {"{win}{sys}", ""},
      {r + "%QLMSUB%", ""},  // no token: taken literally
      {"{win}%QLMSUB%", r + "win\\temp\\"},
      {"a|b", ""},
      {r + "}x{", r + "}x{\\"},
      {"{win}\\temp\\file.txt", ""},
      {"{appinstall}", r + "pf\\"},
      {"{appinstall}\\App", r + "pf\\App\\"},
  };
  TCore core;
  core.SetInit(fixture.Init());
  for (const TCase& c : cases) {
    EXPECT_EQ(core.ScanContext().GetFolderCustomDefine(c.Spec, "key", "app.exe"), c.Folder) << c.Spec;
  }
  ::SetEnvironmentVariableA("QLMSUB", nullptr);
  const std::vector<TLogLine> entries = fixture.Entries();
  const auto logged = [&entries](const TLogLine& line) {
    return std::count(entries.begin(), entries.end(), line);
  };
  EXPECT_EQ(logged({6, "C_GetFolderCustomDefine : {win}temp"}), 1);
  EXPECT_EQ(logged({3, "Special Folder \"{nosuch}\" not define!"}), 2);
  EXPECT_EQ(logged({3, "Not supported!"}), 1);
}

}  // namespace
