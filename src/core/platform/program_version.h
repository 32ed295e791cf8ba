#pragma once

namespace kovra {

// The program's own four-part version (major, minor, build, revision), set once in CMake
// and compiled in: our stand-in for the program file's version resource.
struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

ProgramVersion programVersion();

} // namespace kovra
