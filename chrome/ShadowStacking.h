// Keeping a freshly shown shadow beneath the windows above it on an X server. Wine's X11
// driver maps every newly shown window on top of the X stacking order and lowers none
// (it only raises a window that becomes the first in the Windows z-order), so the
// shadow, shown behind its form in the Windows z-order, would be drawn over the form by
// the compositor and would take the form's pointer events; those in turn make Wine
// raise the shadow above the form in the Windows z-order too. On Windows the z-order is
// already right and nothing is done.
#pragma once
#include <windows.h>

namespace qs {

// Raises again, lowest first, the visible windows of this process standing above wnd,
// so the X stacking order matches the Windows z-order above it. Only under Wine.
void RaiseWindowsAbove(HWND wnd);

}  // namespace qs
