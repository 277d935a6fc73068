// A subclassed control leaves to the procedure it replaced whatever it does not handle, even
// when its handler throws or when another subclass was put on top of it.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/ReflectedControl.h"
#include "framework/Window.h"

namespace {

class ThrowingEdit : public fw::ReflectedControl {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) throw std::runtime_error("refused");
        return Default(message, wParam, lParam);
    }
};

// A later subclass that passes everything on to the procedure it replaced.
WNDPROC g_replaced = nullptr;
LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(g_replaced, hwnd, message, wParam, lParam);
}

}  // namespace

TEST(ReflectedControl, PassesOnWhatItDoesNotHandleInEveryPath) {
    HWND edit = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    {
        ThrowingEdit control;
        ASSERT_TRUE(control.Subclass(edit));
        EXPECT_FALSE(ThrowingEdit().Subclass(edit)) << "a control is taken once";
        SetWindowTextA(edit, "thrown past");
        EXPECT_EQ("thrown past", fw::WindowRef(edit).text());
        g_replaced = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterSubclass)));
    }  // the object lets go while the later subclass still calls its procedure
    SetWindowTextA(edit, "after");
    EXPECT_EQ("after", fw::WindowRef(edit).text());
    EXPECT_TRUE(DestroyWindow(edit));
}
