#include <windows.h>

#include "app/WizardApp.h"

namespace {
CWizardApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return theApp.Run(); }
