// Etched lines and rectangles of frames and separators: two one-pixel lines
// side by side, shadow then light (sunken) or light then shadow (raised).
#pragma once

#include "toolkit/resources/KIVDrawBuffer.h"

namespace KIVEtching {

void Rectangle(const KIVDrawBuffer& buffer, const RECT& rect, bool raised);
void HorizontalLine(const KIVDrawBuffer& buffer, int left, int right, int y);
void VerticalLine(const KIVDrawBuffer& buffer, int x, int top, int bottom);

} // namespace KIVEtching
