#include <windows.h>

#include "app/WizardApp.h"

namespace {
CWizardApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return theApp.Run(instance); }
