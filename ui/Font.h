// GDI fonts for TFont values (ui/UiTypes.h). A face that the system does not have falls
// back to one that can show Chinese, so a design written for one machine still shows its
// text on another. GDI fonts are made once per distinct font and kept for the process's
// lifetime, so controls and canvases share them freely.
#pragma once
#include <windows.h>

#include <string>

#include "ui/UiTypes.h"

namespace qs {

// The GDI font for f (shared; never delete it). Missing faces are replaced (see
// ResolveFontFace).
HFONT FontHandle(const TFont& f);

// The face GDI is asked for: the name itself when the system has a face of that name,
// otherwise the first present of the Chinese-capable faces the layer knows.
std::wstring ResolveFontFace(const std::wstring& name);

// The size text takes in font f as DrawText lays it out with flags (DT_WORDBREAK wraps
// at wrapWidth); an empty text measures as one blank, so it still has a line's height.
TSize MeasureText(const TFont& f, const std::wstring& text, UINT flags, int wrapWidth = 0);

}  // namespace qs
