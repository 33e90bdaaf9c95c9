// The picture work of the picture buttons, free of any window: the disabled picture made
// from the normal one, and the stretch that keeps a picture's borders at their size.
#pragma once
#include "ui/PngObject.h"

namespace qs {

// Target := Source at one third of its opacity (every alpha div 3). A palette picture
// has no alpha channel to fade and stays fully opaque.
void MakeDisabledPng(const TPNGObject& source, TPNGObject& target);

// A new RGBA picture of the source's width and `height` rows: the top and bottom `fixed`
// rows copied as they are, the rows between stretched over the rest (nearest neighbour).
// A picture with no rows between its borders repeats the row after the top border; one
// smaller than its borders lends what it has to them and is never read outside.
TPNGObject StretchFixedRows(const TPNGObject& source, int fixed, int height);
// The same across: `fixed` columns at the left and the right keep their size.
TPNGObject StretchFixedColumns(const TPNGObject& source, int fixed, int width);

}  // namespace qs
