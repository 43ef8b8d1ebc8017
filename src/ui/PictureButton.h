// The folder picture button: a picture on the button face, embossed while the button is disabled.
#pragma once
#include <windows.h>

#include "Gdi.h"

namespace zv {

// The open-folder picture of the browse buttons, its silver drawn in the button-face colour.
Bitmap LoadFolderPicture();
// Draws a picture button (an owner-drawn static) with its picture centred.
void DrawPictureButton(const DRAWITEMSTRUCT &item, HBITMAP picture);

} // namespace zv
