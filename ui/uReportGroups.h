// The category rows of the report, made from the found-object list: which
// row gathers a record, the row's value, its count and size. Building them
// gives every record shown the initial mark, as the clean obeys it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/uCoreTypes.h"

namespace qlm {

struct TReportGroup {
  int Category = 0;  // the row's value: 0 for rows that gather several categories
  std::string Text;
  std::int64_t Count = 0;
  std::int64_t Size = 0;
  std::vector<TFileRec*> Objects;  // in list order
};

// The rows in the order of their first object; records of categories that
// the report does not show are passed over and keep their mark.
std::vector<TReportGroup> GroupFoundObjects(TFoundList& list, const TCustomDefineList* defines,
                                            bool selected);

// Largest first; equal sizes keep their order.
void SortGroupsBySize(std::vector<TReportGroup>& groups);

}  // namespace qlm
