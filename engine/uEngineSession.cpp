#include "engine/uEngineSession.h"

#include <memory>

#include "engine/uProgressQueue.h"
#include "startup/uTrace.h"

namespace qlm {

void TEngineSession::SetStop(bool stop) {
  TLockGuard guard(FLock);
  FStop = stop;
}

bool TEngineSession::IsStopped() const {
  TLockGuard guard(FLock);
  return FStop;
}

void TEngineSession::Log(int level, const std::string& text) const {
  if (FInit.Trace != nullptr) FInit.Trace->Log(level, text);
}

void TEngineSession::FlushLog() const {
  if (FInit.Trace != nullptr) FInit.Trace->Flush();
}

bool TEngineSession::LogsAt(int level) const {
  return FInit.Trace != nullptr && FInit.Trace->GetLevel() >= level;
}

bool TEngineSession::PostUpdate(UINT message, const std::string& text, std::int64_t count,
                                std::int64_t size, bool stopped) const {
  auto item = std::make_unique<TUpdateItem>();
  item->Text = text;
  item->Count = count;
  item->Size = size;
  item->Stopped = stopped;
  item->Failed = FFailed;
  return PostProgress(FInit.Window, message, std::move(item));
}

}  // namespace qlm
