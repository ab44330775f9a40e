#pragma once

#include <QString>

// How running copies of the program share a data file. Every copy that uses a file holds an
// open-file-description lock on one of two single bytes far past the end of the file:
//   - the editing holder (a load for editing, or a save) write-locks the editor byte, so no
//     other copy may load the file for editing or save onto it;
//   - each read-only reader read-locks the reader byte, which never stops an editor;
//   - the header check before a load for editing needs the file to itself: it is refused
//     while anybody holds either byte.
// These locks belong to the open file, not to the process: two descriptors in one process
// behave like two copies, and a copy that dies releases everything at once.
namespace quillet {

// An owned file descriptor; closing it drops its locks.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

enum class ShareMode {
    Editor,    // writing denied to other copies; readers welcome
    Reader,    // shares with everybody
    Exclusive, // nobody else may have the file open (the header check)
};

// The lock bytes, far past any real file's end.
inline constexpr long long EditorLockByte = 1LL << 62;
inline constexpr long long ReaderLockByte = EditorLockByte + 1;

struct SharedOpen {
    UniqueFd fd;
    bool inUse = false; // another holder refused the requested sharing
    bool writable = false;
};

// Opens `path` and takes the lock for `mode`. The descriptor is checked to still name the file
// at `path` after locking (a save replaces the file by renaming a new one over it). Refusals
// come back as inUse; any other failure throws Failure.
SharedOpen OpenShared(const QString& path, ShareMode mode);

// Takes the editor lock on a descriptor opened for writing; false when somebody holds it.
bool TakeEditorLock(int fd);

// True when the descriptor and the path name the same file.
bool SameFile(int fd, const QString& path);

// The data file a copy holds from a load or save until the next load, save, New or exit.
class HeldDataFile {
public:
    bool isHeld() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }
    // Shown in error messages; 0 when nothing is held.
    int number() const { return fd_.valid() ? fd_.get() : 0; }
    ShareMode mode() const { return mode_; }
    void hold(UniqueFd fd, ShareMode mode);
    void release();

private:
    UniqueFd fd_;
    ShareMode mode_ = ShareMode::Reader;
};

} // namespace quillet
