#include <gtest/gtest.h>

#include "base/uPathRules.h"

using namespace qlm;

namespace {

TEST(PathRules, WhichPathsMayBeActedOn) {
  struct TCase {
    const char* Path;
    bool Absolute;
    bool Actionable;
    bool Root;
  };
  const TCase cases[] = {
      {"C:\\Temp\\a.tmp", true, true, false},
      {"c:/temp/a.tmp", true, true, false},
      {"\\\\server\\share\\a.tmp", true, true, false},
      {"C:\\Temp\\*.tmp", true, false, false},
      {"C:\\Temp\\?.tmp", true, false, false},
      {"C:\\Windows\\..", true, false, false},
      {"C:\\Windows\\..\\a.tmp", true, false, false},
      {"C:\\.\\a.tmp", true, false, false},
      {"C:/Windows/../a.tmp", true, false, false},
      {"Temp\\a.tmp", false, false, false},
      {"Temp/a.tmp", false, false, false},
      {"..\\a.tmp", false, false, false},
      {"\\Temp\\a.tmp", false, false, false},
      {"C:a.tmp", false, false, false},
      {"", false, false, false},
      {"C:", false, false, true},
      {"C:\\", true, true, true},
      {"C:\\\\", true, true, true},
      {"\\\\server\\share", true, true, true},
      {"\\\\server\\share\\", true, true, true},
      {"\\\\server\\share\\dir", true, true, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(IsAbsolutePath(c.Path), c.Absolute) << c.Path;
    EXPECT_EQ(IsActionablePath(c.Path), c.Actionable) << c.Path;
    EXPECT_EQ(IsRootPath(c.Path), c.Root) << c.Path;
  }
}

}  // namespace
