#pragma once

#include <QString>

// Opening the record files so that nothing planted in a folder can turn a command against the
// user: a link is never followed, a FIFO or device never blocks, and only a regular file is
// used. Every reader and writer of the record files opens through here.
namespace RegularFile {

enum class Access
{
    Read,
    ReadWrite,         // an existing file
    ReadWriteOrCreate, // created empty when missing
};

// The file's descriptor, or -1 with the problem named in `error`. A missing file read gives -1
// with `missing` set and no error. A file created is synced into its folder at once, so that its
// name is on the disk before anything is written into it.
int open(const QString& path, Access access, QString* error, bool* missing = nullptr);

// Holds an exclusive lock on the open file, waiting a few seconds for another Tankr to finish
// its write; false, with the problem named, when it does not.
bool lock(int descriptor, const QString& path, QString* error);

// Flushes a folder's names to the disk: a file created, renamed or removed in it survives a power
// cut only once its folder is synced. False when the folder cannot be opened or synced.
bool syncFolder(const QString& folder);

// Makes the folder and each missing folder above it, syncing each new name into the folder that
// holds it; true when the folder is there.
bool makePath(const QString& path);

// Whether the descriptor still stands for the file at `path`: another process may have renamed
// a new file into its place while this one waited for the lock.
bool stillAt(int descriptor, const QString& path);

} // namespace RegularFile
