#pragma once
// Owning handles for what the window creates: GDI objects (fonts, brushes)
// and icons are released when their owner goes, on every path; and the
// window's font and icons made from the layout's.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "window/front_end.h"

namespace velmora::win32 {

struct GdiObjectRelease {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct IconRelease {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};

template <class Handle, class Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Release>;

using OwnedFont = Owned<HFONT, GdiObjectRelease>;
using OwnedBrush = Owned<HBRUSH, GdiObjectRelease>;
using OwnedIcon = Owned<HICON, IconRelease>;

// The font at `dpi`. Raises RuntimeError when it cannot be made.
OwnedFont MakeFont(const FontLook& look, UINT dpi);

// An icon of `size` pixels from the first image of an icon file, or none.
OwnedIcon MakeIcon(const std::vector<std::uint8_t>& file, int size);

}  // namespace velmora::win32
