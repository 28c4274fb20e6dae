#include <gtest/gtest.h>

#include "startup/uTraceFormat.h"

using namespace qlm;

namespace {
const TTraceTime kMarch15{2009, 3, 15, 14, 25, 30, 123};
}

TEST(TraceFormat, EntryLineMatchesTheDesignExample) {
  EXPECT_EQ(TraceEntryLine(6, kMarch15, 0xA1C, "Set default inits..."),
            "[06] 142530.123   [00000A1C] Set default inits...");
}

TEST(TraceFormat, EntryLineKeepsTheMessageUnchanged) {
  const TTraceTime earlyMorning{2009, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(TraceEntryLine(1, earlyMorning, 0xFFFFFFFF, "50% done \"x\""),
            "[01] 030405.006   [FFFFFFFF] 50% done \"x\"");
}

TEST(TraceFormat, FileNames) {
  struct Case {
    const char* app;
    bool unique;
    const char* suffix;
    const char* expected;
  } cases[] = {
      {"quillmere.exe", true, "", "quillmere.20090315-142530-123.txt"},
      {"quillmere.exe", false, "", "quillmere.20090315.txt"},
      {"quillmere.exe", false, "engine", "quillmere.20090315-engine.txt"},
      {"my.tool.exe", false, "", "my.tool.20090315.txt"},
      {"noextension", false, "", "noextension.20090315.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TraceFileName(c.app, TraceStamp(kMarch15, c.unique), c.suffix), c.expected)
        << c.app << " " << c.suffix;
  }
}

TEST(TraceFormat, LevelLinesNameEveryLevel) {
  const char* expected[] = {"LOG Level: 0 [LVL_NONE]",    "LOG Level: 1 [LVL_EXCEPT]",
                            "LOG Level: 2 [LVL_ERROR]",   "LOG Level: 3 [LVL_WARNING]",
                            "LOG Level: 4 [LVL_INFO]",    "LOG Level: 5 [LVL_NOTICE]",
                            "LOG Level: 6 [LVL_DEBUG]",   "LOG Level: 7 [LVL_TRASH]"};
  for (int level = LVL_NONE; level <= LVL_TRASH; ++level) {
    EXPECT_EQ(TraceLevelLine(level), expected[level]);
  }
  EXPECT_TRUE(TraceLevelName(8).empty());
}

TEST(TraceFormat, RuleIsEightyCharactersOfCode187) {
  const std::string rule = TraceRule();
  ASSERT_EQ(rule.size(), 80u);
  for (char c : rule) EXPECT_EQ(static_cast<unsigned char>(c), 187);
}
