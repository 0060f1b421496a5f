#pragma once

// The first page of a file mapped shared with the system's file cache, so
// that a few bytes of it are read and written without a system call; every
// process with the file open sees the same bytes. Another program may cut
// the file short meanwhile: an access to a page the file no longer has then
// fails (returns false) instead of ending the process.

#include <cstddef>

namespace dbase {

class SharedPage
{
public:
    SharedPage() = default;
    ~SharedPage() { unmap(); }
    SharedPage(const SharedPage &) = delete;
    SharedPage &operator=(const SharedPage &) = delete;

    // False when the page cannot be mapped safely here: use ordinary calls.
    bool map(int fd, bool writable);
    void unmap();
    bool isMapped() const { return m_data != nullptr; }

    // offset + size must lie within the page.
    bool read(size_t offset, void *to, size_t size) const;
    bool write(size_t offset, const void *from, size_t size);

private:
    char *m_data = nullptr;
    size_t m_size = 0;
};

} // namespace dbase
