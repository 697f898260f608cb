// The messages between the program and its helper executables: numbers in the
// machine's own byte order (both ends run on the same machine) and byte strings
// with a 32-bit length. The reader checks every item against what is left, so
// a helper that went wrong cannot make the program read past its message.
#pragma once

#include "HelperProcess.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace reelkeep {

class WireWriter {
public:
    template <typename T>
    void put(T value)
    {
        static_assert(std::is_arithmetic_v<T>);
        m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void putBytes(QByteArrayView bytes)
    {
        put(static_cast<std::uint32_t>(bytes.size()));
        m_bytes.append(bytes.data(), bytes.size());
    }
    void putText(const QString& text) { putBytes(text.toUtf8()); }

    QByteArray& bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Throws HelperFailure(Garbled) on a message that ends early.
class WireReader {
public:
    explicit WireReader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    template <typename T>
    T take()
    {
        static_assert(std::is_arithmetic_v<T>);
        T value;
        std::memcpy(&value, need(sizeof value), sizeof value);
        return value;
    }
    QByteArrayView takeBytes()
    {
        const auto size = take<std::uint32_t>();
        return QByteArrayView(need(size), qsizetype(size));
    }
    QString takeText() { return QString::fromUtf8(takeBytes()); }
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    const char* need(std::uint64_t size)
    {
        if (size > std::uint64_t(m_bytes.size() - m_at))
            throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A helper's answer ends early."));
        const char* at = m_bytes.data() + m_at;
        m_at += qsizetype(size);
        return at;
    }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

} // namespace reelkeep
