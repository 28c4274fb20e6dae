// Binding of the resource library qlmres.dll, which holds the program's
// pictures as bitmap resources (names in ui/uPictureNames.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/uHandles.h"

namespace qlm {

inline constexpr char RES_LIBRARY_FILE[] = "qlmres.dll";

class TResHandler {
 public:
  // Loads the library from the program's folder (or from the given path); a
  // failure is not reported and every request then gives 0.
  explicit TResHandler(const std::string& libraryFile = RES_LIBRARY_FILE);
  ~TResHandler();
  TResHandler(const TResHandler&) = delete;
  TResHandler& operator=(const TResHandler&) = delete;

  // The named bitmap as a DIB section (32-bit pictures keep their
  // premultiplied alpha), or 0. The handler owns it until its destruction:
  // a caller that hands it to an object deleting its own bitmap gives that
  // object a copy.
  HBITMAP GetBitmap(const std::string& name);
  int BitmapCount() const { return fBitmapCount; }

 private:
  void FreeBitmaps();

  TModule fLibrary;
  std::vector<HBITMAP> fBitmaps;
  int fBitmapCount = 0;
};

}  // namespace qlm
