#include "RecordStore.h"

#include <cstring>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>

namespace dbase {

namespace {
constexpr size_t Granule = size_t(2) << 20; // one large page
size_t rounded(size_t n) { return (n + Granule - 1) / Granule * Granule; }
} // namespace

bool RecordStore::resize(size_t size)
{
    if (size <= m_capacity) {
        m_size = size;
        return true;
    }
    settle(); // the block may move
    const size_t capacity = rounded(size > m_capacity * 2 ? size : m_capacity * 2);
    void *p;
    if (!m_data)
        p = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    else
        p = ::mremap(m_data, m_capacity, capacity, MREMAP_MAYMOVE); // moves page tables, copies nothing
    if (p == MAP_FAILED)
        return false;
    ::madvise(p, capacity, MADV_HUGEPAGE);
    m_data = static_cast<char *>(p);
    m_capacity = capacity;
    m_size = size;
    return true;
}

bool RecordStore::append(const char *bytes, size_t size)
{
    const size_t at = m_size;
    if (!resize(m_size + size))
        return false;
    std::memcpy(m_data + at, bytes, size);
    return true;
}

void RecordStore::reserve(size_t size)
{
    if (size <= m_capacity)
        return;
    const size_t used = m_size;
    if (!resize(size))
        return;
    m_size = used;
    // From the first page not yet touched on.
    const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const size_t from = (used + page - 1) / page * page;
    if (from >= m_capacity)
        return;
    char *start = m_data + from;
    const size_t length = m_capacity - from;
    try {
        m_readying = std::thread([start, length] { ::madvise(start, length, MADV_POPULATE_WRITE); });
    } catch (const std::system_error &) {
        // No thread: the pages are faulted in as they are written.
    }
}

void RecordStore::settle()
{
    if (m_readying.joinable())
        m_readying.join();
}

void RecordStore::clear()
{
    settle();
    if (m_data)
        ::munmap(m_data, m_capacity);
    m_data = nullptr;
    m_size = m_capacity = 0;
}

} // namespace dbase
