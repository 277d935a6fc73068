#include "wizard/WizardLayout.h"

#include "framework/Window.h"

namespace {
void shift(RECT& rect, int dx, int dy) { OffsetRect(&rect, dx, dy); }
void widen(RECT& rect, int by) { rect.right += by; }
}  // namespace

WizardFrameRects FitWizardToPage(const WizardFrameRects& frame, SIZE pageSize, RECT& page) {
    WizardFrameRects fitted = frame;
    const int dx = pageSize.cx - fw::width(frame.placeholder);
    const int dy = pageSize.cy - fw::height(frame.placeholder);
    const int bx = fw::width(frame.picture) - fw::width(frame.margin);

    page = {frame.placeholder.left, frame.placeholder.top, frame.placeholder.left + pageSize.cx,
            frame.placeholder.top + pageSize.cy};
    shift(page, bx, 0);

    for (RECT* rect : {&fitted.title, &fitted.titleLine}) {
        shift(*rect, bx, 0);
        widen(*rect, dx);
    }
    shift(fitted.separator, 0, dy);
    widen(fitted.separator, bx + dx);
    for (RECT* rect : {&fitted.previous, &fitted.next, &fitted.cancel}) shift(*rect, bx + dx, dy);

    fitted.window.cx += bx + dx;
    fitted.window.cy += dy;
    return fitted;
}
