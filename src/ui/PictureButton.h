// The folder picture button: a button to the system and to accessibility clients, drawn as a
// picture on the button face (embossed while disabled), that never takes the keyboard focus.
#pragma once
#include <windows.h>

#include "Gdi.h"

namespace zv {

// The resource of a picture drawn for one of the scales 100, 125, 150 and 200 % (variant 0 to
// 3): the bitmap of 96 DPI, and one drawn anew for each larger scale beside it.
inline int PictureResource(int resource, int variant) { return resource + 10 * variant; }

// The open-folder picture at dpi, its silver drawn in the button-face colour: the largest drawn
// that fits the picture's 16 pixels at that scale.
Bitmap LoadFolderPicture(int dpi);
// Draws a picture button with its picture centred.
void DrawPictureButton(const DRAWITEMSTRUCT &item, HBITMAP picture);
// A click gives the focus back where it was.
void KeepFocusAway(HWND button);

} // namespace zv
