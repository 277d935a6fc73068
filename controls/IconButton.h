// A push button that shows only an icon. Windows 4 and later draw one themselves (BS_ICON); on
// older versions the program swaps the dialog's button for a ZKICONBUTTON window of its own.
#pragma once
#include <windows.h>

extern const char kIconButtonClass[];  // "ZKICONBUTTON"

// The window words of a ZKICONBUTTON: four 32-bit slots.
enum IconButtonWord { kStateWord = 0, kIconWord = 4, kDisabledImageWord = 8, kIconSizeWord = 12 };
// Unset (0) is drawn as normal.
enum IconButtonState { kStateUnset = 0, kStateNormal = 1, kStatePressed = 2, kStateDisabled = 3 };

// Start-up: registers the class only where the platform button cannot show an icon.
bool RegisterIconButtonClass();
// Registers the class whatever the version (start-up below Windows 4, and tests).
bool RegisterIconButtonWindowClass();

// Gives the dialog's button `controlId` the icon `iconName` from `module`, replacing the button
// with a ZKICONBUTTON first below Windows 4. False when there is no such control or the
// replacement cannot be created (the dialog then keeps its own button).
bool InitIconButton(HWND dialog, int controlId, LPCSTR iconName, HINSTANCE module);
