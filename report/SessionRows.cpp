// Blocks are left unwritten when allocated: each part of the pass writes only its own rows.
#include "report/SessionRows.h"

SessionRows::~SessionRows()
{
    release();
}

void SessionRows::release()
{
    for (std::size_t b = 0; b < m_blockCount; ++b)
        delete[] m_blocks[b].load(std::memory_order_relaxed);
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
    // The last block holds only the rows up to the capacity, so a small file takes little memory.
    const std::size_t first = block * blockRows;
    const std::size_t rows = m_capacity - first < blockRows ? m_capacity - first : blockRows;
    SessionRow* fresh = new SessionRow[rows];
    SessionRow* expected = nullptr;
    if (m_blocks[block].compare_exchange_strong(expected, fresh, std::memory_order_acq_rel))
        return fresh;
    delete[] fresh;
    return expected;
}
