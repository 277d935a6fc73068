#include "app/Ctl3d.h"

#include <windows.h>

#include <memory>

#include "framework/WindowsVersion.h"

namespace {

struct Ctl3dTable {
    HMODULE module;
    BOOL(WINAPI* Register)(HINSTANCE);
    BOOL(WINAPI* Unregister)(HINSTANCE);
    BOOL(WINAPI* AutoSubclass)(HINSTANCE);
    BOOL(WINAPI* UnAutoSubclass)();
    BOOL(WINAPI* SubclassDlgEx)(HWND, DWORD);
};

std::unique_ptr<Ctl3dTable> g_ctl3d;

template <class Function>
void lookUp(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool Load3dControls() {
    if (WindowsMajorVersion() >= 4 || g_ctl3d) return true;
    HMODULE module = LoadLibraryA("CTL3D32.DLL");
    if (!module) return false;
    auto table = std::make_unique<Ctl3dTable>();
    table->module = module;
    lookUp(module, "Ctl3dRegister", table->Register);
    lookUp(module, "Ctl3dUnregister", table->Unregister);
    lookUp(module, "Ctl3dAutoSubclass", table->AutoSubclass);
    lookUp(module, "Ctl3dUnAutoSubclass", table->UnAutoSubclass);
    lookUp(module, "Ctl3dSubclassDlgEx", table->SubclassDlgEx);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!table->Register || !table->Unregister || !table->AutoSubclass || !table->UnAutoSubclass ||
        !table->Register(instance)) {
        FreeLibrary(module);
        return false;
    }
    table->AutoSubclass(instance);
    g_ctl3d = std::move(table);
    return true;
}

void Free3dControls() {
    if (WindowsMajorVersion() >= 4 || !g_ctl3d) return;
    g_ctl3d->UnAutoSubclass();
    g_ctl3d->Unregister(GetModuleHandleA(nullptr));
    FreeLibrary(g_ctl3d->module);
    g_ctl3d.reset();
}
