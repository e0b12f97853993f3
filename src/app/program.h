#pragma once
// The program's entry: "/ih" only shows who made it; anything else runs the main window until it
// closes, with the ticket files it was started with opened into tickets. The toolkit's application
// object is the caller's (main, or a test's).
#include <memory>
#include <string>
#include <vector>

namespace lotto {

class TClassMainForm_D80004;

// The version this build was made as: the project's, set once in the build.
const char* ProgramVersion();

// argv as the process got it: its first argument is read as typed ("/ih"). `arguments`: the
// program's own, UTF-8, once the toolkit has taken its options out ("-reverse", "-style x"), the
// program's name left out; each is a ticket file to open, unless it reads as a switch ("/ih",
// "/IH", "-x") and names no file. Answers the exit code
// (always 0).
int RunProgram(int argc, const char* const* argv, const std::vector<std::string>& arguments);
// With nothing for the toolkit among them: the arguments after argv[0] are the program's own.
int RunProgram(int argc, const char* const* argv);

// The ticket files among `arguments`: each but those that read as a switch and name no file.
std::vector<std::string> TicketFiles(const std::vector<std::string>& arguments);

// The main window's scheme, built, with the ticket files among `arguments` to open once it has
// started. The caller starts it.
std::unique_ptr<TClassMainForm_D80004> BuildMainWindow(const std::vector<std::string>& arguments);

} // namespace lotto
