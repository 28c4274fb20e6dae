#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uCatalogue.h"
#include "update/uUpdateList.h"
#include "update/uUpdateSignature.h"

using namespace qlm;

namespace {

using TLines = std::vector<std::string>;

constexpr std::uint64_t JAN_2010 = 129067776000000000ULL;

}  // namespace

TEST(UpdateList, ReadsEveryEntryWithItsNotes) {
  const std::string bytes = ListHeader(3) +
                            ListEntry(11, 4096, 2, 0x0001000400000010LL, JAN_2010,
                                      "\"New words\",\"Fixed, at last\"") +
                            ListEntry(2, 77, 0, 12345, JAN_2010 + 1, "") +
                            ListEntry(1, 1 << 20, 1, 0x0002000000010000LL, 5, "beta");
  const TUpdateList list = ParseUpdateList(bytes);
  ASSERT_EQ(list.Status, TUpdateListStatus::Complete);
  ASSERT_EQ(list.Entries.size(), 3u);
  EXPECT_EQ(list.Entries[0].FileId, 11);
  EXPECT_EQ(list.Entries[0].Size, 4096);
  EXPECT_EQ(list.Entries[0].Stamp.Kind, 2);
  EXPECT_EQ(list.Entries[0].Stamp.Value, 0x0001000400000010LL);
  EXPECT_EQ(list.Entries[0].Date, JAN_2010);
  EXPECT_EQ(list.Entries[0].Changes, "\"New words\",\"Fixed, at last\"");
  EXPECT_EQ(list.Entries[1].FileId, 2);
  EXPECT_EQ(list.Entries[1].Changes, "");
  EXPECT_EQ(list.Entries[1].Date, JAN_2010 + 1);
  EXPECT_EQ(list.Entries[2].Stamp.Kind, 1);
  EXPECT_EQ(list.Entries[2].Size, 1 << 20);
  EXPECT_EQ(list.Entries[2].Changes, "beta");
}

TEST(UpdateList, HeaderAndBounds) {
  const std::string one = ListEntry(7, 10, 2, 1, JAN_2010, "first");
  const struct {
    const char* Case;
    std::string Bytes;
    TUpdateListStatus Status;
    std::size_t Entries;
  } cases[] = {
      {"no entries", ListHeader(0), TUpdateListStatus::Complete, 0},
      {"wrong magic", ListHeader(1, "QLMX") + one, TUpdateListStatus::NotValid, 0},
      {"wrong version", ListHeader(1, "QLMU", 0x01000001) + one, TUpdateListStatus::NotValid, 0},
      {"short header", ListHeader(0).substr(0, 23), TUpdateListStatus::NotValid, 0},
      {"empty file", "", TUpdateListStatus::NotValid, 0},
      {"count past the end", ListHeader(3) + one + one, TUpdateListStatus::Truncated, 2},
      {"huge count", ListHeader(0xFFFFFFFF) + one, TUpdateListStatus::Truncated, 1},
      {"record cut short", ListHeader(2) + one + one.substr(0, 50), TUpdateListStatus::Truncated,
       1},
      {"notes past the end", ListHeader(2) + one + one.substr(0, one.size() - 1),
       TUpdateListStatus::Truncated, 1},
      {"notes length huge", ListHeader(1) + ListEntry(7, 10, 2, 1, 0, "").substr(0, 48) +
                                LittleEndian(0xFFFFFFF0, 4) + std::string(4, '\0') + "x",
       TUpdateListStatus::Truncated, 0},
      {"bytes after the entries", ListHeader(1) + one + "junk", TUpdateListStatus::Complete, 1},
  };
  for (const auto& c : cases) {
    const TUpdateList list = ParseUpdateList(c.Bytes);
    EXPECT_EQ(list.Status, c.Status) << c.Case;
    EXPECT_EQ(list.Entries.size(), c.Entries) << c.Case;
    for (const auto& entry : list.Entries) EXPECT_EQ(entry.Changes, "first") << c.Case;
    EXPECT_EQ(list.Error.empty(), c.Status == TUpdateListStatus::Complete) << c.Case;
  }
}

TEST(UpdateList, ChangeNotesOneLineEach) {
  const struct {
    const char* Notes;
    TLines Lines;
  } cases[] = {
      {"\"New words\",\"Fixed, at last\"", {"New words", "Fixed, at last"}},
      {"faster smaller", {"faster", "smaller"}},
      {"one,two", {"one", "two"}},
      {"\"He said \"\"hi\"\"\"", {"He said \"hi\""}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitChangeNotes(c.Notes), c.Lines) << c.Notes;
}

// The list that the publishing tool wrote for the test site.
TEST(UpdateList, ReadsThePublishedList) {
  const TUpdateList list = ParseUpdateList(ReadFileBytes(SitePublishedFolder() + UPDATE_LIST_NAME));
  ASSERT_EQ(list.Status, TUpdateListStatus::Complete);
  EXPECT_EQ(list.Machine, OWN_UPDATE_MACHINE) << "published for the program's own kind";
  ASSERT_EQ(list.Entries.size(), 6u);
  const TUpdateRecordEx* english = nullptr;
  const TUpdateRecordEx* program = nullptr;
  for (const auto& entry : list.Entries) {
    EXPECT_EQ(entry.Date, JAN_2010);
    if (entry.FileId == 11) english = &entry;
    if (entry.FileId == 1) program = &entry;
  }
  ASSERT_NE(english, nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(program->Stamp.Kind, STAMP_FILE_VERSION);
  EXPECT_EQ(FormatStamp(program->Stamp), "2.0.0.1");
  EXPECT_EQ(english->Stamp.Kind, STAMP_TEXT_VERSION);
  EXPECT_EQ(FormatStamp(english->Stamp), "1.4.10");
  EXPECT_EQ(english->Size,
            static_cast<std::int64_t>(
                ReadFileBytes(SiteSourceFolder() + "languages\\english.lng").size()));
  EXPECT_EQ(SplitChangeNotes(english->Changes), (TLines{"New words", "Fixed, at last", "beta"}));
}

TEST(Catalogue, KeepsTheNewerEntries) {
  TTempFolder program;
  TTempFolder downloads;
  ASSERT_TRUE(::CreateDirectoryA((program.Path() + "languages").c_str(), nullptr));
  WriteFileBytes(program.Path() + "languages\\english.lng", "[1.4.2]\r\n");
  WriteFileBytes(program.Path() + "languages\\dutch.lng", "[1.5.0]\r\n");
  const std::string listPath = downloads.Path() + UPDATE_LIST_NAME;
  WriteFileBytes(listPath, ListHeader(3) + ListEntry(11, 1, 2, 0x0001000400000010LL, 0, "a") +
                               ListEntry(10, 1, 2, 0x0001000400000010LL, 0, "b") +
                               ListEntry(14, 1, 2, 1, 0, "c"));
  SignWithTestKey(listPath);
  const TCatalogue catalogue = ReadCatalogue(listPath, program.Path());
  EXPECT_EQ(catalogue.Outcome, TCatalogueOutcome::Offered);
  ASSERT_EQ(catalogue.Entries.size(), 2u);
  EXPECT_EQ(catalogue.Entries[0].FileId, 11);
  EXPECT_EQ(catalogue.Entries[0].Changes, "a");
  EXPECT_EQ(catalogue.Entries[1].FileId, 14);
  EXPECT_TRUE(IsExistingFile(listPath)) << "the list stays for the installation";
}

TEST(Catalogue, OutcomesAndTheListFile) {
  TTempFolder program;
  const std::string one = ListEntry(11, 1, 2, 1, 0, "n");
  const std::uint16_t otherMachine =
      OWN_UPDATE_MACHINE == UPDATE_MACHINE_X64 ? UPDATE_MACHINE_X86 : UPDATE_MACHINE_X64;
  const struct {
    const char* Case;
    std::string Bytes;
    TCatalogueOutcome Outcome;
    std::size_t Entries;
    bool ListKept;
    bool Signed = true;
  } cases[] = {
      {"no entries", ListHeader(0), TCatalogueOutcome::NoUpdates, 0, false},
      {"nothing newer", ListHeader(1) + ListEntry(11, 1, 2, 0, 0, ""),
       TCatalogueOutcome::NoUpdates, 0, false},
      {"wrong magic", ListHeader(1, "ZIPP") + one, TCatalogueOutcome::NotValid, 0, false},
      {"not signed", ListHeader(1) + one, TCatalogueOutcome::NotValid, 0, false, false},
      {"another kind of program", ListHeader(1, "QLMU", UPDATE_LIST_VERSION, otherMachine) + one,
       TCatalogueOutcome::NotValid, 0, false},
      {"an unknown machine", ListHeader(1, "QLMU", UPDATE_LIST_VERSION, 0x01C4) + one,
       TCatalogueOutcome::NotValid, 0, false},
      // The first lists, for the 32-bit program only, left the machine zero.
      {"the machine left zero", ListHeader(1, "QLMU", UPDATE_LIST_VERSION, 0) + one,
       OWN_UPDATE_MACHINE == UPDATE_MACHINE_X86 ? TCatalogueOutcome::Offered
                                                : TCatalogueOutcome::NotValid,
       OWN_UPDATE_MACHINE == UPDATE_MACHINE_X86 ? 1u : 0u,
       OWN_UPDATE_MACHINE == UPDATE_MACHINE_X86},
      {"count past the end", ListHeader(2) + one, TCatalogueOutcome::Failed, 1, true},
      {"identifier out of range", ListHeader(3) + one + ListEntry(16, 1, 2, 1, 0, "") + one,
       TCatalogueOutcome::Failed, 1, true},
  };
  for (const auto& c : cases) {
    TTempFolder downloads;
    const std::string listPath = downloads.Path() + UPDATE_LIST_NAME;
    WriteFileBytes(listPath, c.Bytes);
    if (c.Signed) SignWithTestKey(listPath);
    const TCatalogue catalogue = ReadCatalogue(listPath, program.Path());
    EXPECT_EQ(catalogue.Outcome, c.Outcome) << c.Case;
    EXPECT_EQ(catalogue.Entries.size(), c.Entries) << c.Case;
    EXPECT_EQ(IsExistingFile(listPath), c.ListKept) << c.Case;
    EXPECT_EQ(IsExistingFile(listPath + SIGNATURE_SUFFIX), c.ListKept) << c.Case;
    EXPECT_EQ(catalogue.Error.empty(), c.Outcome != TCatalogueOutcome::Failed) << c.Case;
  }
}
