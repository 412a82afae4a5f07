#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// Little-endian numbers in and out of a message's bytes. The reader never
// reads past its end: a read beyond it gives zero and marks the whole read as
// failed, so a decoder checks once at the end instead of after every field.
class RecordBytes
{
public:
    using Bytes = std::vector<std::uint8_t>;

    class Writer
    {
    public:
        void u8(unsigned value) { m_bytes.push_back(std::uint8_t(value)); }
        void u32(std::uint32_t value);
        void i32(std::int32_t value) { u32(std::uint32_t(value)); }
        void f32(float value);
        void raw(const std::uint8_t *data, std::size_t size) { m_bytes.insert(m_bytes.end(), data, data + size); }
        void text(const std::string &text);
        std::size_t size() const { return m_bytes.size(); }
        // Puts a u32 at an offset already written, for a length known only later.
        void patchU32(std::size_t at, std::uint32_t value);
        Bytes take() { return std::move(m_bytes); }

    private:
        Bytes m_bytes;
    };

    class Reader
    {
    public:
        Reader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
        unsigned u8();
        std::uint32_t u32();
        std::int32_t i32() { return std::int32_t(u32()); }
        float f32();
        // A text of at most `maxBytes`, as written by Writer::text.
        std::string text(std::size_t maxBytes);
        // The next `size` bytes, or nothing when fewer are left.
        const std::uint8_t *skip(std::size_t size);
        std::size_t left() const { return m_size - m_at; }
        bool ok() const { return m_ok; }
        void fail() { m_ok = false; }
        // Whether everything was read and nothing failed.
        bool done() const { return m_ok && m_at == m_size; }

    private:
        const std::uint8_t *m_data;
        std::size_t m_size;
        std::size_t m_at = 0;
        bool m_ok = true;
    };
};

} // namespace core
