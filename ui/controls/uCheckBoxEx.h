// TCheckBoxEx: a check box drawn from a picture strip of eight 16 by 16
// frames (checked, mouse over, pressed, disabled, then the same unchecked).
// Its parent hears WM_COMMAND CBXN_CHANGE on every change of the mark, by
// program or by user, and BN_CLICKED after it when a user's click or Space
// made the change. The caption's accelerator key changes the mark with
// CBXN_CHANGE only.
#pragma once

#include <windows.h>

#include "ui/controls/uControlGeometry.h"
#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char CHECK_BOX_EX_CLASS[] = "TCheckBoxEx";
inline constexpr WORD CBXN_CHANGE = 0x0F01;

// Each style draws from the program's bitmap resource of the same name.
enum TCheckBoxStyle { cbsAdvance, cbsCross, cbsFlat, cbsNormal, cbsTick, cbsVista, cbsXp };
// The box at the left with the caption at its right, or the mirror image.
enum TLeftRight { taLeftJustify, taRightJustify };

// The module whose bitmap resources hold the strips; the program's own
// executable unless set.
void SetCheckBoxPictureModule(HMODULE module);

class TCheckBoxEx final : public TControlWindow {
 public:
  explicit TCheckBoxEx(HWND window) : TControlWindow(window) {}
  static TCheckBoxEx* From(HWND window);

  // Both raise CBXN_CHANGE even when the mark stays as it was.
  void SetChecked(bool value);
  void SetState(TCheckBoxState state);
  bool Checked() const { return fState == cbChecked; }
  TCheckBoxState State() const { return fState; }

  void SetStyle(TCheckBoxStyle style);
  TCheckBoxStyle Style() const { return fStyle; }
  void SetAlignment(TLeftRight alignment);
  void SetDrawFocusRect(bool value);
  // Without word breaks the box takes the size of its caption.
  void SetWordBreak(bool value);
  // The fill; the parent's background until set.
  void SetColor(COLORREF colour);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;
  void TextChanged() override;

  void MouseMove();
  void ButtonUp(LPARAM point);
  void KeyDown(WPARAM key, LPARAM flags);
  void KeyUp(WPARAM key);
  LRESULT SetCheckMessage(WPARAM check);
  LRESULT ClickMessage();
  void UserClick();
  void SetPressed(bool value);
  void FitToCaption();
  bool AcceleratorKeyDown() const;
  RECT CaptionRoom(const RECT& client) const override;
  UINT CaptionFormat() const override;
  int FrameSize() const;
  void DrawFrame(HDC dc, const RECT& client, int size) const;
  void DrawCaption(HDC dc, RECT bounds, COLORREF colour) const;

  TCheckBoxState fState = cbUnchecked;
  TCheckBoxStyle fStyle = cbsNormal;
  TLeftRight fAlignment = taLeftJustify;
  bool fDrawFocusRect = true;
  bool fWordBreak = false;
  bool fOwnColour = false;
  COLORREF fColour = 0;
  bool fHover = false;
  bool fPressed = false;
  bool fSpaceDown = false;
};

}  // namespace qlm
