// TGroupBoxEx: a group box that holds its controls as child windows. It
// passes their notifications on to its own parent and gives them its fill
// as their background.
#pragma once

#include <windows.h>

#include "base/uHandles.h"
#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char GROUP_BOX_EX_CLASS[] = "TGroupBoxEx";

enum TGroupBoxStyle { gbsGradientCustom, gbsGradientVista, gbsNormal, gbsVista, gbsXP };
enum TGradientDirection { gdHorizontal, gdVertical };

class TGroupBoxEx final : public TControlWindow {
 public:
  explicit TGroupBoxEx(HWND window);
  static TGroupBoxEx* From(HWND window);

  void SetBorderColor(COLORREF colour);
  COLORREF BorderColor() const { return fBorderColour; }
  void SetCaptionColor(COLORREF colour);
  COLORREF CaptionColor() const { return fCaptionColour; }
  void SetCaptionFade(COLORREF colour);
  // Cut to a quarter of the box's height.
  void SetCaptionHeight(int height);
  int CaptionHeight() const;
  void SetCaptionGradient(TGradientDirection direction);
  void SetStyle(TGroupBoxStyle style);
  TGroupBoxStyle Style() const { return fStyle; }
  // An own fill colour, or (the default) the parent's class background.
  void SetColor(COLORREF colour);
  void SetParentColor(bool value);
  COLORREF Color() const;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;

  LRESULT ChildColour(HDC dc);
  void PaintRounded(HDC dc, const RECT& client, COLORREF fill) const;
  void PaintCaptionBand(HDC dc, const RECT& client, int band) const;
  void PaintEtched(HDC dc, const RECT& client, COLORREF fill) const;
  void DrawRoundedCaption(HDC dc, const RECT& client, int band) const;
  bool RightToLeft() const;

  COLORREF fBorderColour;
  COLORREF fCaptionColour;
  COLORREF fCaptionFade;
  int fCaptionHeight = 24;
  TGradientDirection fGradient = gdHorizontal;
  TGroupBoxStyle fStyle = gbsNormal;
  bool fParentColour = true;
  COLORREF fColour = 0;
  // The brush handed to the children, remade when the fill changes.
  TGdiObject fChildBrush;
  COLORREF fChildBrushColour = 0;
};

}  // namespace qlm
