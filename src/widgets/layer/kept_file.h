#pragma once
// Files the program keeps for itself between runs: read whole, written so that no moment leaves
// neither the old nor the new text on disk, with the previous text kept as a backup. What the
// bytes mean is the caller's concern.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qo {

// Reads the whole file into `bytes`; false (with the reason) when it cannot be read or holds more
// than `maxBytes`.
bool ReadKeptFile(const std::string& pathUtf8, std::string& bytes, std::int64_t maxBytes, std::string* error);

// Writes `bytes` to a temporary file beside `pathUtf8`, flushes it to the disk and renames it over
// the file. With a `backupUtf8`, the file as it was becomes the backup first (a crash between the
// two renames leaves the backup, never nothing). False with the reason when anything failed; the
// file is then as it was.
bool WriteKeptFile(const std::string& pathUtf8, const std::string& bytes, const std::string& backupUtf8,
                   std::string* error);

// Copies a file, replacing the copy; false when it could not.
bool CopyKeptFile(const std::string& fromUtf8, const std::string& toUtf8);

// Writes kept files on a thread of its own, one at a time, so a slow or stalled disk never holds
// up the window. Only the newest text matters: a write queued while another runs replaces any
// older one still waiting.
class KeptFileWriter {
public:
    // Told on the event loop how a write ended: whether it did, and why not.
    using Done = std::function<void(bool written, const std::string& error)>;

    KeptFileWriter();
    ~KeptFileWriter(); // lets the running write end; one still waiting is dropped
    KeptFileWriter(const KeptFileWriter&) = delete;
    KeptFileWriter& operator=(const KeptFileWriter&) = delete;

    // Makes the bytes on the writer's thread, so the event loop hands over plain values and goes on.
    using Make = std::function<std::string()>;

    // WriteKeptFile's work, later; `done` is not called for a write that was replaced.
    void post(std::string pathUtf8, std::string bytes, std::string backupUtf8, Done done);
    // The same with bytes made by `make` on the writer's thread when the write starts; one replaced
    // before it started is never made.
    void post(std::string pathUtf8, Make make, std::string backupUtf8, Done done);
    // Waits until nothing is queued or running; the ended writes are told before it returns.
    void drain();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// True when the path names an existing file or folder.
bool PathExists(const std::string& pathUtf8);

} // namespace qo
