// Owners of the handles that only windows use: menus and image lists.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "base/uHandles.h"

namespace qlm {

struct TMenuTraits {
  static HMENU None() { return nullptr; }
  static void Close(HMENU menu) { ::DestroyMenu(menu); }
};

struct TImageListTraits {
  static HIMAGELIST None() { return nullptr; }
  static void Close(HIMAGELIST list) { ImageList_Destroy(list); }
};

using TMenu = TOwned<HMENU, TMenuTraits>;
using TImageList = TOwned<HIMAGELIST, TImageListTraits>;

}  // namespace qlm
