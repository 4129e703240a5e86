#pragma once

#include <string>
#include <vector>

namespace zelk::win32 {

// The arguments the program was started with, as UTF-8, without the program's own name. A
// character that UTF-16 cannot hold (an unpaired surrogate) becomes U+FFFD.
std::vector<std::string> programArguments();

// What became of a text written to standard output or standard error.
struct WriteOutcome {
    enum class Kind { Written, PipeClosed, Failed };
    Kind kind = Kind::Written;
    std::string reason;  // for Failed: the system's sentence
};

// Standard output and standard error as the command line writes them: the file or pipe each was
// redirected to, else the console of the process that started the program (a program with
// windows has no console of its own); nowhere when there is neither.
class StandardStreams {
public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    // Writes UTF-8 text, a console as text and anything else as its bytes, and checks every
    // write: the first that fails or writes nothing ends it with what went wrong.
    WriteOutcome out(const std::string& text) const { return writeTo(out_, text); }
    WriteOutcome err(const std::string& text) const { return writeTo(err_, text); }

private:
    static WriteOutcome writeTo(void* handle, const std::string& text);

    void* out_;
    void* err_;
    void* console_;  // the parent's console, opened when a stream has no handle of its own
};

}  // namespace zelk::win32
