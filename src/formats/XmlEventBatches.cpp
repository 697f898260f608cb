#include "XmlEventBatches.h"

#include <algorithm>
#include <cstring>

namespace reelkeep {
namespace {

// A batch holds records, one per event:
//   'S' byte index (8 bytes) name NUL (attribute-name NUL value NUL)... NUL
//   'E' byte index (8 bytes)
//   'C' length (4 bytes) text
// Element and attribute names are never empty, so an empty name ends the attributes.
// Large enough that a catalogue of big images changes hands between the threads a few
// hundred times, not once per image: each hand-over may wait for the other thread's turn.
constexpr size_t kBatchSize = 4 << 20;

template <typename T>
char* put(char* at, T value)
{
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

template <typename T>
T take(const char*& at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

const char* takeString(const char*& at)
{
    const char* text = at;
    at += std::strlen(at) + 1;
    return text;
}

} // namespace

bool XmlEventQueue::Push(XmlEventBatch batch)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || m_batches.size() < kCapacity; });
    if (m_cancelled)
        return false;
    m_batches.push_back(std::move(batch));
    m_changed.notify_all();
    return true;
}

std::optional<XmlEventBatch> XmlEventQueue::Pop()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_finished || !m_batches.empty(); });
    if (m_batches.empty())
        return std::nullopt;
    XmlEventBatch batch = std::move(m_batches.front());
    m_batches.pop_front();
    m_changed.notify_all();
    return batch;
}

void XmlEventQueue::Recycle(XmlEventBatch batch)
{
    batch.clear();
    const std::lock_guard lock(m_mutex);
    if (m_spares.size() < kCapacity)
        m_spares.push_back(std::move(batch));
}

XmlEventBatch XmlEventQueue::Spare()
{
    const std::lock_guard lock(m_mutex);
    if (m_spares.empty())
        return {};
    XmlEventBatch batch = std::move(m_spares.back());
    m_spares.pop_back();
    return batch;
}

void XmlEventQueue::Finish(std::exception_ptr failure)
{
    const std::lock_guard lock(m_mutex);
    m_finished = true;
    m_failure = std::move(failure);
    m_changed.notify_all();
}

void XmlEventQueue::Cancel()
{
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    m_batches.clear();
    m_changed.notify_all();
}

std::exception_ptr XmlEventQueue::Failure() const
{
    const std::lock_guard lock(m_mutex);
    return m_failure;
}

char* XmlEventBatch::extend(size_t size)
{
    if (m_capacity - m_size < size) {
        const size_t capacity = std::max(m_size + size, std::max(kBatchSize + (4 << 10), 2 * m_capacity));
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size > 0)
            std::memcpy(data.get(), m_data.get(), m_size);
        m_data = std::move(data);
        m_capacity = capacity;
    }
    char* const at = m_data.get() + m_size;
    m_size += size;
    return at;
}

XmlEventRecorder::XmlEventRecorder(XmlEventQueue& queue, std::function<qint64()> byteIndex)
    : m_queue(queue), m_byteIndex(std::move(byteIndex))
{
}

void XmlEventRecorder::StartElement(const char* name, const char** attributes)
{
    // The lengths first, so that the record is added in one piece: recording is
    // done on the thread that also tokenises, the one that sets the pace.
    const size_t nameLength = std::strlen(name) + 1;
    size_t size = 1 + sizeof(qint64) + nameLength + 1;
    m_lengths.clear();
    for (const char** attribute = attributes; *attribute; ++attribute) {
        m_lengths.push_back(std::strlen(*attribute) + 1);
        size += m_lengths.back();
    }
    char* at = m_batch.extend(size);
    *at++ = 'S';
    at = put<qint64>(at, m_byteIndex());
    std::memcpy(at, name, nameLength);
    at += nameLength;
    for (const size_t length : m_lengths) {
        std::memcpy(at, *attributes++, length);
        at += length;
    }
    *at = '\0';
    pushWhenFull();
}

void XmlEventRecorder::EndElement()
{
    char* at = m_batch.extend(1 + sizeof(qint64));
    *at++ = 'E';
    put<qint64>(at, m_byteIndex());
    pushWhenFull();
}

void XmlEventRecorder::Characters(const char* text, int length)
{
    char* at = m_batch.extend(1 + sizeof(qint32) + size_t(length));
    *at++ = 'C';
    at = put<qint32>(at, length);
    std::memcpy(at, text, size_t(length));
    pushWhenFull();
}

void XmlEventRecorder::Flush()
{
    if (!m_batch.empty() && !m_queue.Push(std::exchange(m_batch, m_queue.Spare())))
        throw XmlReplayCancelled();
}

void XmlEventRecorder::pushWhenFull()
{
    if (m_batch.size() >= kBatchSize)
        Flush();
}

void XmlEventReplayer::Replay(const XmlEventBatch& batch, XmlFileParser::Handler& handler)
{
    const char* at = batch.data();
    const char* const end = at + batch.size();
    while (at < end) {
        switch (*at++) {
        case 'S': {
            m_byteIndex = take<qint64>(at);
            const char* name = takeString(at);
            m_attributes.clear();
            while (*at) {
                m_attributes.push_back(takeString(at));
                m_attributes.push_back(takeString(at));
            }
            ++at;
            m_attributes.push_back(nullptr);
            handler.StartElement(name, m_attributes.data());
            break;
        }
        case 'E':
            m_byteIndex = take<qint64>(at);
            handler.EndElement();
            break;
        default: {
            const auto length = take<qint32>(at);
            handler.Characters(at, length);
            at += length;
        }
        }
    }
}

} // namespace reelkeep
