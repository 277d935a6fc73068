// The frame is the platform's own exception registration: on i686 a record pushed on the
// thread's frame chain (FS:[0]), on x86_64 the unwind data of a small trampoline that names our
// handler. Either way the dispatcher asks it only after the frames the body pushed.
#include "framework/FaultFrame.h"

namespace {

fw::FaultAction faultAction = nullptr;

bool IsFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return true;
    default:
        return false;
    }
}

}  // namespace

// The dispatcher's calling convention for a frame handler. Anything but a fault, and every call
// while frames unwind, goes on to the outer frames.
extern "C" EXCEPTION_DISPOSITION __cdecl ZelkorFaultFrameHandler(EXCEPTION_RECORD* record, void*, CONTEXT*, void*) {
    if (!(record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) && IsFault(record->ExceptionCode) &&
        faultAction)
        faultAction(*record);
    return ExceptionContinueSearch;
}

#ifdef __x86_64__
// The trampoline's unwind data names the handler for dispatch only (@except), not for unwinding.
extern "C" void ZelkorCallInFaultFrame(void (*body)(void*), void* context);
asm(R"(
    .text
    .globl ZelkorCallInFaultFrame
    .def ZelkorCallInFaultFrame; .scl 2; .type 32; .endef
    .seh_proc ZelkorCallInFaultFrame
ZelkorCallInFaultFrame:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler ZelkorFaultFrameHandler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    nop
    addq $40, %rsp
    ret
    .seh_endproc
)");
#else
namespace {

struct Registration {
    Registration* next;
    void* handler;
};

// Pushed on construction, popped on destruction: the compiler's unwinder (DWARF on i686) runs the
// destructor when a C++ exception leaves the body.
class Registered {
public:
    Registered() : m_record{nullptr, reinterpret_cast<void*>(ZelkorFaultFrameHandler)} {
        asm volatile("movl %%fs:0, %0" : "=r"(m_record.next));
        asm volatile("movl %0, %%fs:0" : : "r"(&m_record) : "memory");
    }
    ~Registered() { asm volatile("movl %0, %%fs:0" : : "r"(m_record.next) : "memory"); }
    Registered(const Registered&) = delete;
    Registered& operator=(const Registered&) = delete;

private:
    Registration m_record;
};

}  // namespace
#endif

namespace fw {

void SetFaultAction(FaultAction action) { faultAction = action; }

void CallInFaultFrame(void (*body)(void*), void* context) {
#ifdef __x86_64__
    ZelkorCallInFaultFrame(body, context);
#else
    const Registered frame;
    body(context);
#endif
}

}  // namespace fw
