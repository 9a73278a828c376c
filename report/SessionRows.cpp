// Blocks are left unwritten when allocated: each part of the pass writes only its own rows.
#include "report/SessionRows.h"

#include <mutex>
#include <utility>

namespace {

/// Rows of a large file are allocated in whole steps of this many, so that the next file of about the same
/// size fits the block the last one left.
constexpr std::size_t spareStep = std::size_t(1) << 16;

// The block of a large file dropped last, kept for the next pass. A window totals the file again after every
// click while it still shows the last totals; without this the system would find and clear up to 24 MB of
// fresh pages each time, a fifth of the click. At most one block is kept.
class SpareBlock
{
public:
    SessionRow* take(std::size_t rows)
    {
        const std::lock_guard lock(m_mutex);
        if (!m_rows || m_count != rows)
            return nullptr;
        return std::exchange(m_rows, nullptr);
    }

    void keep(SessionRow* rows, std::size_t count)
    {
        SessionRow* older = nullptr;
        {
            const std::lock_guard lock(m_mutex);
            older = std::exchange(m_rows, rows);
            m_count = count;
        }
        delete[] older;
    }

private:
    std::mutex m_mutex;
    SessionRow* m_rows = nullptr;
    std::size_t m_count = 0;
};

SpareBlock& spareBlock()
{
    // Never destroyed: rows may still be dropped while the program ends.
    static auto* spare = new SpareBlock;
    return *spare;
}

} // namespace

SessionRows::~SessionRows()
{
    release();
}

std::size_t SessionRows::blockSize(std::size_t block) const
{
    // The last block holds only the rows up to the capacity, so a small file takes little memory.
    const std::size_t first = block * blockRows;
    const std::size_t rows = m_capacity - first < blockRows ? m_capacity - first : blockRows;
    if (rows < spareStep)
        return rows;
    const std::size_t stepped = (rows + spareStep - 1) / spareStep * spareStep;
    return stepped < blockRows ? stepped : blockRows;
}

void SessionRows::release()
{
    for (std::size_t b = 0; b < m_blockCount; ++b) {
        SessionRow* rows = m_blocks[b].load(std::memory_order_relaxed);
        const std::size_t count = blockSize(b);
        if (rows && count >= spareStep)
            spareBlock().keep(rows, count);
        else
            delete[] rows;
    }
    m_blocks.reset();
    m_blockCount = 0;
}

void SessionRows::setCapacity(std::size_t capacity)
{
    release();
    m_capacity = capacity;
    m_size = 0;
    m_blockCount = (capacity + blockRows - 1) / blockRows;
    if (m_blockCount == 0)
        return;
    m_blocks = std::make_unique<std::atomic<SessionRow*>[]>(m_blockCount);
    for (std::size_t b = 0; b < m_blockCount; ++b)
        m_blocks[b].store(nullptr, std::memory_order_relaxed);
}

SessionRow* SessionRows::allocate(std::size_t block)
{
    const std::size_t rows = blockSize(block);
    SessionRow* fresh = rows >= spareStep ? spareBlock().take(rows) : nullptr;
    if (!fresh)
        fresh = new SessionRow[rows];
    SessionRow* expected = nullptr;
    if (m_blocks[block].compare_exchange_strong(expected, fresh, std::memory_order_acq_rel))
        return fresh;
    delete[] fresh;
    return expected;
}
