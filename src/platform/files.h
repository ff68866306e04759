// The files the library writes: which file a path names, whatever links lead
// to it; the files that devices of this process are writing, so that no two
// write the same one; whole writes that a signal does not break; and pushing a
// file to stable storage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace mfreport::platform {

/// A file in the file system, the same whatever path or link names it.
struct FileId {
    uint64_t device = 0;
    uint64_t inode = 0;

    bool operator==(const FileId& other) const {
        return device == other.device && inode == other.inode;
    }
};

/// The file that `path` names (links followed); none when there is no such file.
std::optional<FileId> fileIdOf(const std::string& path);
/// The file open on the descriptor `fd`.
std::optional<FileId> fileIdOf(int fd);

/// A writer's claim on a file: while it is held, no other claim on the same
/// file can be taken in this process. Released when it ends.
class FileClaim {
public:
    FileClaim() = default;
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;
    FileClaim(FileClaim&& other) noexcept;
    FileClaim& operator=(FileClaim&& other) noexcept;
    ~FileClaim();

    /// Claims the file; false, claiming nothing, when another claim holds it.
    /// A claim held already is released first.
    bool take(const FileId& file);
    void release();
    bool held() const { return held_; }

    /// True when a claim is held on the file that `path` names.
    static bool claimed(const std::string& path);

private:
    FileId file_;
    bool held_ = false;
};

/// Opens `path` for synchronising it to stable storage (see syncToDisk);
/// -1 when it cannot be opened. Close it with closeFile.
int openForSync(const std::string& path);

/// Creates `path` for writing, or empties the file it names; -1 when it cannot
/// be opened. Close it with closeFile.
int createFile(const std::string& path);

/// Moves the position of `fd` to `offset` from the start (0), the current
/// position (1) or the end (2); the new position, or -1 when the system refused.
int64_t seekFile(int fd, int64_t offset, int origin);

/// Writes all `size` bytes, again after a signal interrupted a write or a
/// write took only part. False when the system refused a write.
bool writeAll(int fd, const char* data, size_t size);

/// Asks the system to put what it holds of the file on stable storage, and
/// answers whether it got there. A file that has no stable storage of its own
/// (a pipe, a terminal, a device such as /dev/null) answers true.
bool syncToDisk(int fd);

/// Closes a descriptor; false when the system reports an error.
bool closeFile(int fd);

/// Sets `bytes` to the whole content of the file at `path`; false when it
/// cannot be opened or read (a folder, say).
bool readWholeFile(const std::string& path, std::string& bytes);

} // namespace mfreport::platform
