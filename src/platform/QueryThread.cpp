// The kept thread: two auto-reset events pass each piece of work there and back.
#include "platform/QueryThread.h"

#include <utility>

namespace platform {

QueryThread::QueryThread()
    : start_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)), done_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (start_ && done_) thread_.reset(::CreateThread(nullptr, 0, &QueryThread::Main, this, 0, &threadId_));
}

QueryThread::~QueryThread() {
    if (!thread_) return;
    const std::lock_guard<std::mutex> last(running_);  // after a run in progress
    work_ = nullptr;
    ::SetEvent(start_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
}

void QueryThread::Run(const std::function<void()>& work) {
    if (!thread_ || ::GetCurrentThreadId() == threadId_) return work();
    const std::lock_guard<std::mutex> one(running_);
    work_ = &work;
    failure_ = nullptr;
    ::SetEvent(start_.get());
    ::WaitForSingleObject(done_.get(), INFINITE);
    work_ = nullptr;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

DWORD WINAPI QueryThread::Main(void* self) {
    QueryThread& thread = *static_cast<QueryThread*>(self);
    for (;;) {
        ::WaitForSingleObject(thread.start_.get(), INFINITE);
        if (!thread.work_) return 0;
        try {
            (*thread.work_)();
        } catch (...) {
            thread.failure_ = std::current_exception();
        }
        ::SetEvent(thread.done_.get());
    }
}

}  // namespace platform
