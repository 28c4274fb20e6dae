// The found-object list changes hands between the two threads: the worker
// holds it from the start of an operation to that operation's end message,
// the window at every other time. Each side reaches the list only through
// its own accessor; builds with QLM_CHECK_OWNERSHIP (the test builds) raise
// EOwnershipError when a side reaches for it out of turn.
#pragma once

#include <atomic>
#include <memory>
#include <stdexcept>
#include <vector>

namespace qlm {

class TFileRec;

// Owned records, entries may be empty. A scan appends to it, a clean empties
// the entries of removed objects, the window clears it before a scan and at
// exit.
using TFoundList = std::vector<std::unique_ptr<TFileRec>>;

enum class TListSide { Window, Worker };

class EOwnershipError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class THandedFoundList {
 public:
  void HandTo(TListSide side) { fHolder = side; }
  TListSide Holder() const { return fHolder; }
  TFoundList& Window() { return Checked(TListSide::Window); }
  TFoundList& Worker() { return Checked(TListSide::Worker); }

 private:
  TFoundList& Checked(TListSide side);
  std::atomic<TListSide> fHolder{TListSide::Window};
  TFoundList fList;
};

extern THandedFoundList FoundList;

}  // namespace qlm
