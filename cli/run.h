// One run of quillmark-chart: the pasted table in, the chart out, exactly as
// the window's paste followed by one render on fresh last values.
//
// Streams only, so that a whole run is tested without a process; it never
// touches the clipboard or a settings file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quillmark {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the table, the chart or FILE failed
inline constexpr int kExitUsage = 2;    // a command line not understood

// Runs the program on the arguments after its name; `in` is standard input,
// read when no FILE is named. The chart goes to `out`, one LF after each
// line; a failure's message goes to `err` (the table's and the chart's in the
// chosen encoding, the chart's with the error display's full stop). Returns
// the exit status.
int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err);

}  // namespace quillmark
