#include "window/win32/colour_button.h"

#include <string>

#include "window/front_end.h"
#include "window/win32/text.h"

namespace velmora::win32 {
namespace {

// A rectangle of one colour, without a brush.
void Fill(HDC dc, int left, int top, int width, int height, Colour colour) {
  const RECT r{left, top, left + width, top + height};
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// One ring of the edge, one pixel wide: lit on its top and left sides,
// shaded on its bottom and right sides and the corners these share.
void DrawRing(HDC dc, const RECT& r, Colour lit, Colour shaded) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  Fill(dc, r.left, r.top, width - 1, 1, lit);
  Fill(dc, r.left, r.top, 1, height - 1, lit);
  Fill(dc, r.left, r.bottom - 1, width, 1, shaded);
  Fill(dc, r.right - 1, r.top, 1, height, shaded);
}

}  // namespace

void DrawColourButton(const DRAWITEMSTRUCT& item, Colour face, HFONT font) {
  HDC dc = item.hDC;
  const RECT box = item.rcItem;
  const bool held = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF old_back = GetBkColor(dc);
  Fill(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, face);
  const ButtonEdge edge = ButtonEdgeOf(face, held);
  DrawRing(dc, box, edge.outer_top_left, edge.outer_bottom_right);
  const RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  DrawRing(dc, inner, edge.inner_top_left, edge.inner_bottom_right);
  SetBkColor(dc, old_back);

  const std::wstring caption = WindowText(item.hwndItem);
  RECT text = box;
  if (held) OffsetRect(&text, kPressedCaptionShift, kPressedCaptionShift);
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_colour = SetTextColor(
      dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  HGDIOBJ old_font = SelectObject(dc, font);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  SetTextColor(dc, old_colour);
  SetBkMode(dc, old_mode);

  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -kFocusRectangleInset, -kFocusRectangleInset);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace velmora::win32
