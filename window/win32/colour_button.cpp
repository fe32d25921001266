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

bool Held(const DRAWITEMSTRUCT& item) { return (item.itemState & ODS_SELECTED) != 0; }

// The caption, centred (moved right and down while held), and the focus
// rectangle while the button has the focus.
void DrawCaptionAndFocus(const DRAWITEMSTRUCT& item, COLORREF text, HFONT font) {
  HDC dc = item.hDC;
  const std::wstring caption = WindowText(item.hwndItem);
  RECT box = item.rcItem;
  if (Held(item)) OffsetRect(&box, kPressedCaptionShift, kPressedCaptionShift);
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_colour =
      SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : text);
  HGDIOBJ old_font = SelectObject(dc, font);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  SetTextColor(dc, old_colour);
  SetBkMode(dc, old_mode);

  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -kFocusRectangleInset, -kFocusRectangleInset);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

void DrawColourButton(const DRAWITEMSTRUCT& item, Colour face, COLORREF text, HFONT font) {
  HDC dc = item.hDC;
  const RECT box = item.rcItem;
  const COLORREF old_back = GetBkColor(dc);
  Fill(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, face);
  const ButtonEdge edge = ButtonEdgeOf(face, Held(item));
  DrawRing(dc, box, edge.outer_top_left, edge.outer_bottom_right);
  const RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  DrawRing(dc, inner, edge.inner_top_left, edge.inner_bottom_right);
  SetBkColor(dc, old_back);
  DrawCaptionAndFocus(item, text, font);
}

void DrawSystemButton(const DRAWITEMSTRUCT& item, COLORREF text, HFONT font) {
  RECT box = item.rcItem;
  DrawFrameControl(item.hDC, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (Held(item) ? DFCS_PUSHED : 0));
  DrawCaptionAndFocus(item, text, font);
}

}  // namespace velmora::win32
