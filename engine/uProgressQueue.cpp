#include "engine/uProgressQueue.h"

#include <deque>
#include <map>
#include <utility>

#include "base/uHandles.h"

namespace qlm {

namespace {

struct TQueuedMessage {
  UINT Message;
  std::unique_ptr<TUpdateItem> Item;
};

struct TChannel {
  std::deque<TQueuedMessage> Messages;
  bool WakePending = false;
  DWORD LastWake = 0;
  bool Woken = false;
};

// A wake-up costs the engine's thread a trip through the system's message
// queues and the window a delivery; a few dozen a second keep the figures
// live. The end of an operation always wakes the window at once.
constexpr DWORD WAKE_INTERVAL_MS = 25;

bool IsEndMessage(UINT message) {
  return message == WM_CORE_SCAN_END || message == WM_CORE_CLEAN_END;
}

class TProgressQueue {
 public:
  bool Post(HWND window, UINT message, std::unique_ptr<TUpdateItem> item) {
    bool wake = false;
    {
      TLockGuard guard(fLock);
      TChannel& channel = fChannels[window];
      channel.Messages.push_back({message, std::move(item)});
      const DWORD now = ::GetTickCount();
      wake = !channel.WakePending &&
             (IsEndMessage(message) || !channel.Woken || now - channel.LastWake >= WAKE_INTERVAL_MS);
      if (wake) {
        channel.WakePending = true;
        channel.LastWake = now;
        channel.Woken = true;
      }
    }
    if (!wake) return true;
    if (::PostMessageA(window, WM_CORE_PROGRESS, 0, 0)) return true;
    TLockGuard guard(fLock);
    fChannels[window].WakePending = false;
    return false;
  }

  // The oldest message of the window, or none. The first take of a delivery
  // re-arms the wake-up, so that a message queued meanwhile wakes the window
  // again.
  bool Take(HWND window, bool first, TQueuedMessage& taken) {
    TLockGuard guard(fLock);
    auto found = fChannels.find(window);
    if (found == fChannels.end()) return false;
    if (first) found->second.WakePending = false;
    if (found->second.Messages.empty()) return false;
    taken = std::move(found->second.Messages.front());
    found->second.Messages.pop_front();
    return true;
  }

  std::size_t Pending(HWND window) {
    TLockGuard guard(fLock);
    auto found = fChannels.find(window);
    return found == fChannels.end() ? 0 : found->second.Messages.size();
  }

  void Discard(HWND window) {
    TChannel dropped;
    TLockGuard guard(fLock);
    auto found = fChannels.find(window);
    if (found == fChannels.end()) return;
    dropped = std::move(found->second);
    fChannels.erase(found);
  }

 private:
  TCriticalSection fLock;
  std::map<HWND, TChannel> fChannels;
};

TProgressQueue& Queue() {
  static TProgressQueue queue;
  return queue;
}

}  // namespace

bool PostProgress(HWND window, UINT message, std::unique_ptr<TUpdateItem> item) {
  if (window == nullptr) return false;
  return Queue().Post(window, message, std::move(item));
}

void DeliverProgress(HWND window) {
  TQueuedMessage taken{};
  for (bool first = true; Queue().Take(window, first, taken); first = false) {
    // Sent on the window's own thread: a direct call of its procedure.
    ::SendMessageA(window, taken.Message, reinterpret_cast<WPARAM>(taken.Item.release()), 0);
  }
}

void DiscardProgress(HWND window) { Queue().Discard(window); }

std::size_t PendingProgress(HWND window) { return Queue().Pending(window); }

}  // namespace qlm
