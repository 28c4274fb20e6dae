// The update list: the entries read, written back in the format, read as the
// same entries with the same outcome; the change notes split into notes
// that write back to the same list.
#include <string>
#include <vector>

#include "base/uStringList.h"
#include "fuzz/uFuzzCheck.h"
#include "update/uUpdateList.h"

using namespace qlm;

namespace {

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// The list in its format; the fields that the reader skips are zero.
std::string Written(std::string_view header, const TUpdateList& list) {
  std::string bytes(header.substr(0, UPDATE_LIST_HEADER_SIZE));
  for (const TUpdateRecordEx& entry : list.Entries) {
    std::string record(UPDATE_RECORD_SIZE, '\0');
    PutLittleEndian(record, 8, static_cast<std::uint64_t>(entry.FileId), 8);
    PutLittleEndian(record, 16, static_cast<std::uint64_t>(entry.Size), 8);
    PutLittleEndian(record, 24, static_cast<std::uint32_t>(entry.Stamp.Kind), 4);
    PutLittleEndian(record, 32, static_cast<std::uint64_t>(entry.Stamp.Value), 8);
    PutLittleEndian(record, 40, entry.Date, 8);
    PutLittleEndian(record, 48, entry.Changes.size(), 4);
    bytes += record + entry.Changes;
  }
  return bytes;
}

bool SameEntry(const TUpdateRecordEx& a, const TUpdateRecordEx& b) {
  return a.FileId == b.FileId && a.Size == b.Size && a.Stamp.Kind == b.Stamp.Kind &&
         a.Stamp.Value == b.Stamp.Value && a.Date == b.Date && a.Changes == b.Changes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::InputText(data, size);
  const TUpdateList list = ParseUpdateList(bytes);
  if (list.Status == TUpdateListStatus::NotValid) {
    FUZZ_CHECK(list.Entries.empty() && !list.Error.empty());
    return 0;
  }
  std::size_t used = UPDATE_LIST_HEADER_SIZE;
  for (const TUpdateRecordEx& entry : list.Entries) used += UPDATE_RECORD_SIZE + entry.Changes.size();
  FUZZ_CHECK(used <= size);

  const TUpdateList again = ParseUpdateList(Written(bytes, list));
  FUZZ_CHECK(again.Machine == list.Machine);
  FUZZ_CHECK(again.Entries.size() == list.Entries.size());
  for (std::size_t i = 0; i < list.Entries.size(); ++i) {
    FUZZ_CHECK(SameEntry(again.Entries[i], list.Entries[i]));
  }
  // Written back, a complete list stays complete; a truncated one ends at the
  // same entry.
  FUZZ_CHECK(again.Status == list.Status);

  for (const TUpdateRecordEx& entry : list.Entries) {
    const std::vector<std::string> notes = SplitChangeNotes(entry.Changes);
    TStringList written;
    written.Items = notes;
    written.Delimiter = ',';
    FUZZ_CHECK(SplitChangeNotes(DelimitedText(written)) == notes);
  }
  return 0;
}
