// The folder picture button.
#include "PictureButton.h"

#include <initializer_list>

#include "Dpi.h"
#include "Subclass.h"

namespace zv {
namespace {

const int kFolderPicture = 100; // the bitmap resource
const UINT_PTR kSubclass = 0x5042;

// Paints the pixels of the picture that have one colour (key) with brushes, offset by one pixel
// each, through a mask (the system's DSS_DISABLED turns a colour bitmap into a grey block on some
// systems). The mask is black where the picture has the key colour.
void PaintWhere(HDC dc, HBITMAP picture, const BITMAP &bm, int x, int y, COLORREF key,
                std::initializer_list<int> colours, bool whereKey) {
    MemoryDc colour(CreateCompatibleDC(dc)), mono(CreateCompatibleDC(dc));
    Bitmap mask(CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr));
    {
        Selected pictureIn(colour.get(), picture), maskIn(mono.get(), mask.get());
        SetBkColor(colour.get(), key);
        BitBlt(mono.get(), 0, 0, bm.bmWidth, bm.bmHeight, colour.get(), 0, 0,
               whereKey ? NOTSRCCOPY : SRCCOPY);
        COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
        COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        const DWORD kPatternWhereBlack = 0x00B8074A; // PSDPxax
        int offset = static_cast<int>(colours.size()) - 1;
        for (int c : colours) {
            Selected brush(dc, GetSysColorBrush(c));
            BitBlt(dc, x + offset, y + offset, bm.bmWidth, bm.bmHeight, mono.get(), 0, 0,
                   kPatternWhereBlack);
            --offset;
        }
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBk);
    } // deselected before the DCs and the mask go
}

// Whether black stands out against a colour: not on a dark button face (a high-contrast scheme).
bool BlackShowsOn(COLORREF c) {
    return GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114 > 128 * 1000;
}

LRESULT CALLBACK NoFocus(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_SETFOCUS) {
        if (HWND before = reinterpret_cast<HWND>(wp)) SetFocus(before);
        return 0;
    }
    if (msg == WM_NCDESTROY) Unsubclass(hwnd, NoFocus, kSubclass);
    return DefSubclass(hwnd, msg, wp, lp);
}

} // namespace

Bitmap LoadFolderPicture(int dpi) {
    const int sizes[] = {16, 20, 24, 32};
    int variant = 0;
    while (variant < 3 && sizes[variant + 1] <= Scaled(16, dpi)) ++variant;
    return Bitmap(static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(PictureResource(kFolderPicture, variant)),
        IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
}

void KeepFocusAway(HWND button) { Subclass(button, NoFocus, kSubclass, 0); }

void DrawPictureButton(const DRAWITEMSTRUCT &item, HBITMAP picture) {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (!picture) return;
    BITMAP bm{};
    GetObjectA(picture, sizeof bm, &bm);
    const int x = (r.right - r.left - bm.bmWidth) / 2, y = (r.bottom - r.top - bm.bmHeight) / 2;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (!IsWindowEnabled(item.hwndItem)) {
        // Embossed, as the system draws a disabled picture: highlight below right, shadow above.
        PaintWhere(item.hDC, picture, bm, x, y, face, {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}, false);
        return;
    }
    DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, x, y, 0, 0,
               DST_BITMAP | DSS_NORMAL);
    // On a dark face the picture's black outline is drawn in the button-text colour.
    if (!BlackShowsOn(face))
        PaintWhere(item.hDC, picture, bm, x, y, RGB(0, 0, 0), {COLOR_BTNTEXT}, true);
}

} // namespace zv
