#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace korvane {

// What reading and writing lines asks of the operating system, alike on POSIX systems and on
// Windows. Descriptors are the C runtime's; failures leave errno set.

// The program's arguments in UTF-8. On Windows they come from the wide command line, so that a
// file name outside the ANSI code page arrives whole; elsewhere they are as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard input and output carry bytes as they are: on Windows no CR is added before a line
// end on the way out, and none taken away on the way in.
void UseBinaryStandardStreams();

// A write to a pipe whose reader has gone fails with EPIPE rather than ending the program by a
// signal, so that the failure is reported and the exit status says the output was not written.
void ReportClosedPipesAsWriteFailures();

// A file opened for reading by its UTF-8 name, in binary, not inherited; -1 when it cannot be.
int OpenForReading(const std::string& path);

// At most size bytes read; 0 at the end, -1 on a failure. A descriptor handed over in
// non-blocking mode is waited for, as a blocking one would be, rather than failing.
long ReadSome(int descriptor, char* buffer, std::size_t size);
// At most size bytes written; -1 on a failure. Waits as ReadSome does.
long WriteSome(int descriptor, const char* text, std::size_t size);
bool CloseDescriptor(int descriptor);

// Whether the descriptor is a regular file, which is read ahead; anything else (a pipe, a
// terminal) may be someone waiting for each answer.
bool IsRegularFile(int descriptor);

// Whether the two descriptors are one and the same regular file: read as input while written as
// output, it would never end.
bool SameRegularFile(int first, int second);

// Whether a read of the descriptor would return at once, with data or at its end, rather than
// wait for someone to write. Where that cannot be told, false: the caller then answers everything
// it holds before reading on, as it would before a wait.
bool InputWaiting(int descriptor);

} // namespace korvane
