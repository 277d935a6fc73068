// An image list the program owns, cut from a bitmap resource; lent to controls, never given.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/Handles.h"

namespace fw {

// The colour that the program's bitmaps paint where they are transparent (teal).
constexpr COLORREF kImageMaskColour = RGB(0, 128, 128);

class CImageList {
public:
    // Square images of size pixels from bitmap resource id of the program; pixels of the
    // transparent colour are masked out. False when the bitmap is missing.
    bool LoadBitmap(UINT id, int size, COLORREF transparent);
    HIMAGELIST handle() const { return m_list.get(); }

private:
    UniqueImageList m_list;
};

}  // namespace fw
