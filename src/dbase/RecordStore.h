#pragma once

// The bytes of all records of an open table in one block of memory. Large
// tables are read whole on open; the block is mapped in large pages where the
// system allows, which makes reading 100,000 records several times faster
// than filling ordinary heap memory page by page.

#include <cstddef>
#include <thread>

namespace dbase {

class RecordStore
{
public:
    RecordStore() = default;
    ~RecordStore() { clear(); }
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;

    char *data() { return m_data; }
    const char *data() const { return m_data; }
    size_t size() const { return m_size; }

    // Returns false when the memory cannot be had; the contents stay.
    bool resize(size_t size);
    bool append(const char *bytes, size_t size);
    void clear();
    // Room for size bytes, its memory made ready (faulted in and zeroed)
    // by a thread of its own meanwhile, so that appends up to there do not
    // wait for it. Without effect when the memory cannot be had.
    void reserve(size_t size);

private:
    void settle(); // waits for the memory being made ready

    std::thread m_readying;
    char *m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

} // namespace dbase
