// One of orbilux-render's outputs: a file opened before the run starts, or
// standard output for "-". A run that fails discards what it opened, so no
// partial file is left behind.
#pragma once
#include <cstdio>
#include <string>

class OutputFile {
public:
    OutputFile() = default;
    // One still open when the run gives up is discarded.
    ~OutputFile()
    {
        if (File)
            Discard();
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `path` for writing, "-" meaning standard output. On failure
    // returns false with errno set.
    bool Open(const std::string& path);
    bool IsOpen() const { return File != nullptr; }
    bool IsStandardOutput() const { return File != nullptr && File == stdout; }
    std::FILE* Get() const { return File; }
    const std::string& Path() const { return Name; }

    // Flushes and closes; false (errno set) if any write failed. The file
    // stays until Discard, which a later failure may still call.
    bool Close();
    // Closes and removes the file if it is a regular one: a device or a
    // FIFO named as the output stays (run as root, removing /dev/full would
    // delete the device).
    void Discard();

private:
    std::FILE* File = nullptr;
    std::string Name;
    bool Regular = false;  // a regular file, which Discard may remove
};
