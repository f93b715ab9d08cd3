#pragma once
// The fuzzer's bytes, taken from the front piece by piece. Once they run out
// every read gives zeros and empty texts, so a harness never reads past them.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace durvek::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    size_t remaining() const { return m_size - m_pos; }

    uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }
    bool flag() { return byte() & 1; }

    QByteArray take(size_t count)
    {
        const size_t n = count < remaining() ? count : remaining();
        QByteArray bytes(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return bytes;
    }
    // A length byte, then that many bytes.
    QByteArray chunk() { return take(byte()); }
    QByteArray rest() { return take(remaining()); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace durvek::fuzz
