#include "render/OutputFile.h"

#include <sys/stat.h>

#include <cerrno>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

bool OutputFile::Open(const std::string& path)
{
    Name = path;
    if (path == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);  // the same bytes as every other build
#endif
        File = stdout;
        return true;
    }
    File = std::fopen(path.c_str(), "wb");
    if (!File)
        return false;
    struct stat status;
    Regular = stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    return true;
}

bool OutputFile::Close()
{
    if (!File)
        return false;
    int earlier = errno;  // a write that failed during the run left its reason here
    errno = 0;
    bool written = std::fflush(File) == 0;
    int reason = errno;
    if (std::ferror(File)) {
        written = false;
        reason = reason != 0 ? reason : earlier;
    }
    if (File != stdout) {
        written = std::fclose(File) == 0 && written;
        reason = reason != 0 ? reason : errno;
    }
    File = nullptr;
    errno = reason != 0 ? reason : EIO;
    return written;
}

void OutputFile::Discard()
{
    if (File && File != stdout)
        std::fclose(File);
    if (Regular)
        std::remove(Name.c_str());
    File = nullptr;
    Regular = false;
}
