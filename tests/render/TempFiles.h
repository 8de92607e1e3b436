// Files for one test, named orbilux-render-test-PID-N-NAME in the test
// folder: unique to the process, and removed when the test ends, even after a
// failed ASSERT. The first one made also removes what processes that no longer
// run left there (a run killed by a time-out cleans nothing up).
#pragma once
#include <string>

class TempFile {
public:
    explicit TempFile(const std::string& name);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return Name; }
    const char* c_str() const { return Name.c_str(); }

private:
    std::string Name;
};

// The leftovers of processes that are gone; returns how many were removed.
int RemoveLeftoverTempFiles();
