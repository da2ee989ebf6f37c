// `quorvel palette`: loads a component package as the designer does, runs its
// start-up and registration, and lists the palette pages it filled.
#pragma once

#include <ostream>
#include <string>

namespace QuorvelTool {

// Prints "PAGE: CLASS CLASS ..." per page. 0 on success, 1 when the package's own
// code fails, 2 when it cannot be loaded.
int ListPalette(const std::string& package, std::ostream& out, std::ostream& err);

} // namespace QuorvelTool
