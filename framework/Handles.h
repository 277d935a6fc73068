// Move-only owners for every kind of handle the program acquires.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace fw {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : m_handle(Traits::invalid()) {}
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return m_handle; }
    bool valid() const noexcept { return m_handle != Traits::invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    Handle release() noexcept {
        Handle handle = m_handle;
        m_handle = Traits::invalid();
        return handle;
    }
    void reset(Handle handle = Traits::invalid()) noexcept {
        if (valid()) Traits::close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle;
};

// Traits of a handle whose "none" value is null (or INVALID_HANDLE_VALUE for the Invalid
// variants) and that is released by one platform function.
template <class H, auto Close>
struct NullHandleTraits {
    using Handle = H;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { Close(h); }
};
template <auto Close>
struct InvalidHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { Close(h); }
};
inline void DestroyWindowIfAlive(HWND h) {
    if (IsWindow(h)) DestroyWindow(h);
}

using KernelHandleTraits = NullHandleTraits<HANDLE, CloseHandle>;
using FileHandleTraits = InvalidHandleTraits<CloseHandle>;
using FindHandleTraits = InvalidHandleTraits<FindClose>;
template <class T>
using GdiObjectTraits = NullHandleTraits<T, DeleteObject>;
using ModuleTraits = NullHandleTraits<HMODULE, FreeLibrary>;
using IconTraits = NullHandleTraits<HICON, DestroyIcon>;
using GlobalTraits = NullHandleTraits<HGLOBAL, GlobalFree>;
using ImageListTraits = NullHandleTraits<HIMAGELIST, ImageList_Destroy>;
using WindowTraits = NullHandleTraits<HWND, DestroyWindowIfAlive>;
using AcceleratorTraits = NullHandleTraits<HACCEL, DestroyAcceleratorTable>;
using MenuTraits = NullHandleTraits<HMENU, DestroyMenu>;
using ViewTraits = NullHandleTraits<const void*, UnmapViewOfFile>;

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueGlobal = UniqueHandle<GlobalTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueAccelerators = UniqueHandle<AcceleratorTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueView = UniqueHandle<ViewTraits>;

}  // namespace fw
