#include "framework/ImageList.h"

namespace fw {

bool CImageList::LoadBitmap(UINT id, int size, COLORREF transparent) {
    m_list.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), size, 0, transparent,
                                      IMAGE_BITMAP, LR_CREATEDIBSECTION));
    return m_list.valid();
}

}  // namespace fw
