// Found objects that are no files (Outlook folders, history lists): made
// directly from the totals that the services library gives for them.
#pragma once

#include <cstdint>
#include <string>

namespace qlm {

class TScanContext;

// Reads an object's count and size; false when the library could not.
using TTotalsReader = bool (*)(std::int64_t* count, std::int64_t* size);

// Posts the current-category message with `text`, reads the totals and,
// when the count is above 0, appends a record of that category and caption
// to the found-object list and posts the found message. False when the
// totals could not be read.
bool AddTotalsRecord(TScanContext& scan, const std::string& text, int category,
                     const std::string& caption, TTotalsReader read);

}  // namespace qlm
