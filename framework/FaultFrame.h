// A frame of ours on the stack around code that may fault: a library's procedure, or one of our
// own procedures that the platform calls from a dispatch that would swallow a fault (under Wine,
// a message sent from another thread). Frames inside it come first, so a fault that the code's
// own handler deals with (a __try/__except, a vectored handler that fixes the context) never
// reaches it; one that no inner frame handled ends at the action set here.
#pragma once
#include <windows.h>

#include <type_traits>

namespace fw {

// Called with a hardware fault that reached a frame unhandled; it must not return.
using FaultAction = void (*)(const EXCEPTION_RECORD& fault);
void SetFaultAction(FaultAction action);

// Runs body(context) inside the frame. C++ exceptions pass through it unchanged.
void CallInFaultFrame(void (*body)(void*), void* context);

template <class Body>
void InFaultFrame(Body&& body) {
    CallInFaultFrame([](void* context) { (*static_cast<std::remove_reference_t<Body>*>(context))(); }, &body);
}

}  // namespace fw
