// Where the tool finds what it ships with. The program lives in bin/, beside
// lib/ (the component package) and share/quorvel/examples/ (the bundled forms),
// in the install tree and in the build tree alike; nothing of the machine it was
// built on is compiled in.
#pragma once

#include <string>

namespace QuorvelTool {

// The folder that holds the running program, or empty when it cannot be told.
std::string ProgramDir();

// The form `quorvel run` uses when no form file is given: QUORVEL_EXAMPLE, or the
// bundled example beside the program.
std::string DefaultExample();

// The package `quorvel palette` loads by default: QUORVEL_PACKAGE, or the one
// installed with the program.
std::string DefaultPackage();

} // namespace QuorvelTool
