#include "engine/uFoundList.h"

#include "engine/uCoreTypes.h"

namespace qlm {

THandedFoundList FoundList;

TFoundList& THandedFoundList::Checked(TListSide side) {
#ifdef QLM_CHECK_OWNERSHIP
  if (fHolder != side) {
    throw EOwnershipError(side == TListSide::Worker
                              ? "the worker reached for the found list the window holds"
                              : "the window reached for the found list the worker holds");
  }
#else
  static_cast<void>(side);
#endif
  return fList;
}

}  // namespace qlm
