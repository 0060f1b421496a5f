#include "RecordStore.h"

#include <cstring>
#include <sys/mman.h>

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

void RecordStore::clear()
{
    if (m_data)
        ::munmap(m_data, m_capacity);
    m_data = nullptr;
    m_size = m_capacity = 0;
}

} // namespace dbase
