#include "startup/uResources.h"

#include "startup/uLibrarySearch.h"

namespace qlm {

TResHandler::TResHandler(const std::string& libraryFile)
    : fLibrary(::LoadLibraryA(ProgramLibraryPath(libraryFile).c_str())) {}

TResHandler::~TResHandler() { FreeBitmaps(); }

HBITMAP TResHandler::GetBitmap(const std::string& name) {
  if (!fLibrary) return nullptr;
  fBitmaps.resize(static_cast<std::size_t>(fBitmapCount) + 1);
  HBITMAP& slot = fBitmaps[static_cast<std::size_t>(fBitmapCount)];
  slot = static_cast<HBITMAP>(::LoadImageA(fLibrary.Get(), name.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
  if (slot == nullptr) return nullptr;
  ++fBitmapCount;
  return slot;
}

void TResHandler::FreeBitmaps() {
  for (int i = 0; i < fBitmapCount; ++i) {
    HBITMAP& bitmap = fBitmaps[static_cast<std::size_t>(i)];
    if (bitmap != nullptr) ::DeleteObject(bitmap);
    bitmap = nullptr;
  }
  fBitmaps.clear();
  fBitmapCount = 0;
}

}  // namespace qlm
