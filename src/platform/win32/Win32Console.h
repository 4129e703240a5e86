#pragma once

#include <string>
#include <vector>

namespace zelk::win32 {

// The arguments the program was started with, as UTF-8, without the program's own name. A
// character that UTF-16 cannot hold (an unpaired surrogate) becomes U+FFFD.
std::vector<std::string> programArguments();

// Writes UTF-8 text to standard output and standard error: to the file or pipe each was
// redirected to, else to the console of the process that started the program (a program with
// windows has no console of its own); nowhere when there is neither.
void writeToConsole(const std::string& out, const std::string& err);

}  // namespace zelk::win32
