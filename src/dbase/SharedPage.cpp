#include "SharedPage.h"

#include <atomic>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace dbase {

namespace {

// Where an access to a mapped page returns to when the page is gone (the
// system reports that as SIGBUS); none outside such an access.
thread_local sigjmp_buf *t_return = nullptr;
struct sigaction g_previous;
bool g_guarded = false;

void onBusError(int signal, siginfo_t *info, void *context)
{
    if (t_return)
        siglongjmp(*t_return, 1);
    // Not one of our accesses: the handler that was there before takes it.
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction)
            g_previous.sa_sigaction(signal, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
    } else {
        // The default ends the process when the access is made again on return.
        ::signal(SIGBUS, SIG_DFL);
    }
}

// Installed once, in front of any handler there was (a test framework's or
// a sanitizer's), which still gets every signal that is not ours.
bool guardInstalled()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction ours {};
        ours.sa_sigaction = onBusError;
        ours.sa_flags = SA_SIGINFO | SA_NODEFER; // not left blocked by the jump back
        sigemptyset(&ours.sa_mask);
        g_guarded = ::sigaction(SIGBUS, &ours, &g_previous) == 0;
    });
    return g_guarded;
}

bool guardedCopy(void *to, const void *from, size_t size)
{
    sigjmp_buf back;
    if (sigsetjmp(back, 0) != 0) {
        t_return = nullptr;
        return false;
    }
    t_return = &back;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    std::memcpy(to, from, size);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    t_return = nullptr;
    return true;
}

} // namespace

bool SharedPage::map(int fd, bool writable)
{
    unmap();
    if (!guardInstalled())
        return false;
    const long page = ::sysconf(_SC_PAGESIZE);
    const size_t size = page > 0 ? size_t(page) : 4096;
    void *p = ::mmap(nullptr, size, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED)
        return false;
    m_data = static_cast<char *>(p);
    m_size = size;
    return true;
}

void SharedPage::unmap()
{
    if (m_data)
        ::munmap(m_data, m_size);
    m_data = nullptr;
    m_size = 0;
}

bool SharedPage::read(size_t offset, void *to, size_t size) const
{
    return m_data && offset + size <= m_size && guardedCopy(to, m_data + offset, size);
}

bool SharedPage::write(size_t offset, const void *from, size_t size)
{
    return m_data && offset + size <= m_size && guardedCopy(m_data + offset, from, size);
}

} // namespace dbase
