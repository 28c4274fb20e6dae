#include "update/uUpdateList.h"

#include "base/uStringList.h"

namespace qlm {

namespace {

std::uint64_t ReadLittleEndian(std::string_view bytes, std::size_t offset, int size) {
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  }
  return value;
}

}  // namespace

TUpdateList ParseUpdateList(std::string_view bytes) {
  TUpdateList list;
  if (bytes.size() < UPDATE_LIST_HEADER_SIZE || bytes.substr(0, 4) != UPDATE_LIST_MAGIC ||
      ReadLittleEndian(bytes, 4, 4) != UPDATE_LIST_VERSION) {
    list.Error = "The update list is not valid";
    return list;
  }
  const auto count = static_cast<std::uint32_t>(ReadLittleEndian(bytes, 8, 4));
  if (const auto machine = static_cast<std::uint16_t>(ReadLittleEndian(bytes, 16, 2))) {
    list.Machine = machine;
  }
  std::size_t offset = UPDATE_LIST_HEADER_SIZE;
  for (std::uint32_t index = 0; index < count; ++index) {
    const std::size_t left = bytes.size() - offset;
    if (left < UPDATE_RECORD_SIZE ||
        ReadLittleEndian(bytes, offset + 48, 4) > left - UPDATE_RECORD_SIZE) {
      list.Status = TUpdateListStatus::Truncated;
      list.Error = "The update list ends inside entry " + std::to_string(index + 1) + " of " +
                   std::to_string(count);
      return list;
    }
    const auto notesLength = static_cast<std::size_t>(ReadLittleEndian(bytes, offset + 48, 4));
    TUpdateRecordEx& entry = list.Entries.emplace_back();
    entry.FileId = static_cast<std::int64_t>(ReadLittleEndian(bytes, offset + 8, 8));
    entry.Size = static_cast<std::int64_t>(ReadLittleEndian(bytes, offset + 16, 8));
    entry.Stamp.Kind = static_cast<int>(ReadLittleEndian(bytes, offset + 24, 4));
    entry.Stamp.Value = static_cast<std::int64_t>(ReadLittleEndian(bytes, offset + 32, 8));
    entry.Date = ReadLittleEndian(bytes, offset + 40, 8);
    entry.Changes = std::string(bytes.substr(offset + UPDATE_RECORD_SIZE, notesLength));
    offset += UPDATE_RECORD_SIZE + notesLength;
  }
  list.Status = TUpdateListStatus::Complete;
  return list;
}

std::vector<std::string> SplitChangeNotes(std::string_view notes) {
  return SplitDelimited(notes, ',').Items;
}

}  // namespace qlm
