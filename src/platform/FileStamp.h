#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

// What identifies one version of a file on disk: which file it is, its size and
// its change times at full resolution. Two equal stamps mean the content is the
// same one we saw before, so a parse of it may be reused.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// Empty when the path names no regular file.
std::optional<FileStamp> fileStamp(const QString &path);

// A file changed within the last two seconds may have changed again within
// the same tick of a coarse file-system clock, which its stamp cannot show:
// a parse of it is reused only after its bytes were found unchanged.
inline bool mayHideAChange(const FileStamp &stamp)
{
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return now - stamp.modifiedNs < 2'000'000'000;
}
