#pragma once
// The program's entry: "/ih" only shows who made it; anything else runs the main window until it
// closes. The toolkit's application object is the caller's (main, or a test's).
namespace lotto {

// The version this build was made as: the project's, set once in the build.
const char* ProgramVersion();

// argv as the process got it; answers the exit code (always 0).
int RunProgram(int argc, const char* const* argv);

} // namespace lotto
