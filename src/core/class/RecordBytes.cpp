#include "RecordBytes.h"

#include <cstring>

namespace core {

namespace {

constexpr int kBitsPerByte = 8;

} // namespace

void RecordBytes::Writer::u32(std::uint32_t value)
{
    for (std::size_t i = 0; i < sizeof value; ++i)
        m_bytes.push_back(std::uint8_t(value >> (kBitsPerByte * i)));
}

void RecordBytes::Writer::f32(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void RecordBytes::Writer::text(const std::string &text)
{
    u32(std::uint32_t(text.size()));
    raw(reinterpret_cast<const std::uint8_t *>(text.data()), text.size());
}

void RecordBytes::Writer::patchU32(std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < sizeof value && at + i < m_bytes.size(); ++i)
        m_bytes[at + i] = std::uint8_t(value >> (kBitsPerByte * i));
}

const std::uint8_t *RecordBytes::Reader::skip(std::size_t size)
{
    if (!m_ok || size > left()) {
        m_ok = false;
        return nullptr;
    }
    const std::uint8_t *at = m_data + m_at;
    m_at += size;
    return at;
}

unsigned RecordBytes::Reader::u8()
{
    const std::uint8_t *at = skip(1);
    return at ? *at : 0;
}

std::uint32_t RecordBytes::Reader::u32()
{
    const std::uint8_t *at = skip(sizeof(std::uint32_t));
    std::uint32_t value = 0;
    for (std::size_t i = 0; at && i < sizeof value; ++i)
        value |= std::uint32_t(at[i]) << (kBitsPerByte * i);
    return value;
}

float RecordBytes::Reader::f32()
{
    const std::uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string RecordBytes::Reader::text(std::size_t maxBytes)
{
    const std::uint32_t size = u32();
    if (size > maxBytes) {
        m_ok = false;
        return {};
    }
    const std::uint8_t *at = skip(size);
    return at ? std::string(reinterpret_cast<const char *>(at), size) : std::string();
}

} // namespace core
