// The rows of one totalled file, kept in blocks that are allocated as the pass reaches them: memory follows
// the sessions actually read, never the size the file claims.
#pragma once

#include "report/SessionRow.h"

#include <atomic>
#include <cstddef>
#include <memory>

class SessionRows
{
public:
    /// 1,048,576 rows, 24 MB, per block: large enough for the system to back it with huge pages, which a
    /// million rows need to be filled as fast as the file is read.
    static constexpr std::size_t blockShift = 20;
    static constexpr std::size_t blockRows = std::size_t(1) << blockShift;

    SessionRows() = default;
    ~SessionRows();
    SessionRows(const SessionRows&) = delete;
    SessionRows& operator=(const SessionRows&) = delete;

    /// Room for `capacity` rows, none of them allocated yet; drops any earlier rows.
    void setCapacity(std::size_t capacity);
    /// The first `size` rows are written and count.
    void setSize(std::size_t size) { m_size = size < m_capacity ? size : m_capacity; }
    /// Drops every row.
    void clear() { setCapacity(0); }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const SessionRow& operator[](std::size_t i) const
    {
        return m_blocks[i >> blockShift].load(std::memory_order_relaxed)[i & (blockRows - 1)];
    }

    /// Row `i` (below the capacity) for the pass to fill, its block allocated on first use. Two threads may
    /// fill rows of the same block: whichever allocates it first wins.
    SessionRow& slot(std::size_t i)
    {
        SessionRow* block = m_blocks[i >> blockShift].load(std::memory_order_acquire);
        if (!block)
            block = allocate(i >> blockShift);
        return block[i & (blockRows - 1)];
    }

private:
    /// The rows allocated for `block`. A large file's last block is rounded up in steps, and the block of the
    /// last large rows dropped is kept for the next ones of that size.
    std::size_t blockSize(std::size_t block) const;
    SessionRow* allocate(std::size_t block);
    void release();

    std::unique_ptr<std::atomic<SessionRow*>[]> m_blocks;
    std::size_t m_blockCount = 0;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
};
