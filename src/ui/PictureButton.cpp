// The folder picture button.
#include "PictureButton.h"

namespace zv {
namespace {

const int kFolderPicture = 100; // the bitmap resource

// Disabled: the picture's shape embossed in the highlight and shadow colours, as the system draws
// a disabled picture (its own DSS_DISABLED turns a colour bitmap into a grey block on some
// systems). The mask is white where the picture shows the button face.
void DrawEmbossed(HDC dc, HBITMAP picture, const BITMAP &bm, int x, int y) {
    MemoryDc colour(CreateCompatibleDC(dc)), mono(CreateCompatibleDC(dc));
    Bitmap mask(CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr));
    {
        Selected pictureIn(colour.get(), picture), maskIn(mono.get(), mask.get());
        SetBkColor(colour.get(), GetSysColor(COLOR_BTNFACE));
        BitBlt(mono.get(), 0, 0, bm.bmWidth, bm.bmHeight, colour.get(), 0, 0, SRCCOPY);
        COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
        COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        const DWORD kPatternWhereBlack = 0x00B8074A; // PSDPxax
        {
            Selected highlight(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            BitBlt(dc, x + 1, y + 1, bm.bmWidth, bm.bmHeight, mono.get(), 0, 0, kPatternWhereBlack);
        }
        {
            Selected shadow(dc, GetSysColorBrush(COLOR_BTNSHADOW));
            BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mono.get(), 0, 0, kPatternWhereBlack);
        }
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBk);
    } // deselected before the DCs and the mask go
}

} // namespace

Bitmap LoadFolderPicture() {
    return Bitmap(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kFolderPicture),
                                        IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
}

void DrawPictureButton(const DRAWITEMSTRUCT &item, HBITMAP picture) {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (!picture) return;
    BITMAP bm{};
    GetObjectA(picture, sizeof bm, &bm);
    const int x = (r.right - r.left - bm.bmWidth) / 2, y = (r.bottom - r.top - bm.bmHeight) / 2;
    if (IsWindowEnabled(item.hwndItem))
        DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, x, y, 0, 0,
                   DST_BITMAP | DSS_NORMAL);
    else
        DrawEmbossed(item.hDC, picture, bm, x, y);
}

} // namespace zv
