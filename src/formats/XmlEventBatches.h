// The parser's events recorded in batches on one thread and replayed on another, so
// that tokenising a large file and building the catalogue from it share two cores.
#pragma once

#include "XmlFileParser.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace reelkeep {

// Recorded events: bytes in a buffer that goes round between the threads, grown
// when a record needs it and never filled with zeros first.
class XmlEventBatch {
public:
    const char* data() const { return m_data.get(); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Room for size more bytes at the end, to be written through the pointer; on a
    // failed allocation it throws and the batch is as it was.
    char* extend(size_t size);
    void clear() { m_size = 0; }

private:
    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// Batches from the recording thread to the replaying one; a few at most, so memory
// stays bounded when the replay is the slower side.
class XmlEventQueue {
public:
    // False once the replaying side has given up.
    bool Push(XmlEventBatch batch);
    // The next batch; empty when the recording side has finished.
    std::optional<XmlEventBatch> Pop();
    // A replayed batch back for reuse, and a batch to fill: the memory of a few
    // batches goes round instead of being allocated for every one.
    void Recycle(XmlEventBatch batch);
    XmlEventBatch Spare();
    // The recording side is done, with the failure that ended it, if any.
    void Finish(std::exception_ptr failure);
    // The replaying side stops: the recording side is told at its next push.
    void Cancel();
    std::exception_ptr Failure() const;

private:
    static constexpr size_t kCapacity = 4;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<XmlEventBatch> m_batches;
    std::vector<XmlEventBatch> m_spares;
    bool m_finished = false;
    bool m_cancelled = false;
    std::exception_ptr m_failure;
};

// Thrown by the recorder when the replaying side has given up.
struct XmlReplayCancelled {};

// Records events into batches and hands each full one to the queue.
class XmlEventRecorder : public XmlFileParser::Handler {
public:
    // byteIndex tells where in the file the event being recorded starts.
    XmlEventRecorder(XmlEventQueue& queue, std::function<qint64()> byteIndex);
    void StartElement(const char* name, const char** attributes) override;
    void EndElement() override;
    void Characters(const char* text, int length) override;
    // Hands over the last, partly filled batch.
    void Flush();

private:
    void pushWhenFull();

    XmlEventQueue& m_queue;
    std::function<qint64()> m_byteIndex;
    XmlEventBatch m_batch;
    std::vector<size_t> m_lengths; // of the attributes of the element being recorded
};

// Replays recorded batches to a handler.
class XmlEventReplayer {
public:
    void Replay(const XmlEventBatch& batch, XmlFileParser::Handler& handler);
    // Where in the file the element event being replayed starts.
    qint64 ByteIndex() const { return m_byteIndex; }

private:
    qint64 m_byteIndex = 0;
    std::vector<const char*> m_attributes;
};

} // namespace reelkeep
