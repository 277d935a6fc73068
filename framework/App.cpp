#include "framework/App.h"

namespace fw {

CApp* CApp::s_instance = nullptr;

CApp::CApp() { s_instance = this; }

CApp::~CApp() {
    if (s_instance == this) s_instance = nullptr;
}

int CApp::Run(HINSTANCE instance) {
    m_instance = instance;
    bool runLoop = false;
    try {
        runLoop = InitInstance();
    } catch (...) {
        runLoop = false;
    }
    if (runLoop) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return ExitInstance();
}

}  // namespace fw
