// PNG pictures compiled into the program, decoded with Windows Imaging Component into
// premultiplied 32-bit BGRA.
#pragma once
#include "app/SkinPixels.h"

namespace qs {

// The RT_RCDATA resource Id of this module as a picture; an empty one when it is missing
// or cannot be decoded.
TSkinPicture LoadPngResource(int id);

}  // namespace qs
