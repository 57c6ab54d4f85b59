#include "winnt40/GJobIdNotice.h"

#include "winapi/WinThread.h"

bool GJobIdNotice::Start(Body body, void* argument) {
    Wait();
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, body, argument, 0, nullptr));
    return thread_ != nullptr;
}

void GJobIdNotice::Wait() {
    if (thread_ == nullptr) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}
