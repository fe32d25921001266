#pragma once
// Owning handles for what the window creates: GDI objects (fonts, brushes)
// and icons are released when their owner goes, on every path.

#include <windows.h>

#include <memory>
#include <type_traits>

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

}  // namespace velmora::win32
