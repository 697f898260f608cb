// The parser's events recorded in batches on one thread and replayed on another, so
// that tokenising a large file and building the catalogue from it share two cores.
#pragma once

#include "XmlFileParser.h"

#include <string>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace reelkeep {

// Batches from the recording thread to the replaying one; a few at most, so memory
// stays bounded when the replay is the slower side.
class XmlEventQueue {
public:
    // False once the replaying side has given up.
    bool Push(std::string batch);
    // The next batch; empty when the recording side has finished.
    std::optional<std::string> Pop();
    // A replayed batch back for reuse, and a batch to fill: the memory of a few
    // batches goes round instead of being allocated for every one.
    void Recycle(std::string batch);
    std::string Spare();
    // The recording side is done, with the failure that ended it, if any.
    void Finish(std::exception_ptr failure);
    // The replaying side stops: the recording side is told at its next push.
    void Cancel();
    std::exception_ptr Failure() const;

private:
    static constexpr size_t kCapacity = 4;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_batches;
    std::vector<std::string> m_spares;
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
    // Room for a record of size bytes after the whole records.
    char* extend(size_t size);
    void pushWhenFull();

    XmlEventQueue& m_queue;
    std::function<qint64()> m_byteIndex;
    std::string m_batch;
    size_t m_complete = 0; // the size of the batch's whole records
    std::vector<size_t> m_lengths; // of the attributes of the element being recorded
};

// Replays recorded batches to a handler.
class XmlEventReplayer {
public:
    void Replay(const std::string& batch, XmlFileParser::Handler& handler);
    // Where in the file the element event being replayed starts.
    qint64 ByteIndex() const { return m_byteIndex; }

private:
    qint64 m_byteIndex = 0;
    std::vector<const char*> m_attributes;
};

} // namespace reelkeep
