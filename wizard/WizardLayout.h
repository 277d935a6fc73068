// The arithmetic that fits the wizard frame around its first page, kept apart from windows.
#pragma once
#include <windows.h>

// Rectangles of the frame's parts in the wizard's client coordinates, and the window's size.
struct WizardFrameRects {
    RECT placeholder;  // 1002, where pages go
    RECT margin;       // 1008, the left margin marker
    RECT picture;      // 1009, the side picture at its real size
    RECT title;        // 1000
    RECT titleLine;    // 1001
    RECT separator;    // 1007
    RECT previous;     // 100
    RECT next;         // 101 (Continue takes the same place)
    RECT cancel;       // 2 (Finish takes the same place)
    SIZE window;       // the wizard window's outer size
};

// The frame after fitting it to a page window of size pageSize; page receives where the page goes.
WizardFrameRects FitWizardToPage(const WizardFrameRects& frame, SIZE pageSize, RECT& page);
