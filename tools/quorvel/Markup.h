// Text from form files and the command line placed in the tool's HTML pages and
// SVG pictures.
#pragma once

#include <string>
#include <string_view>

namespace QuorvelTool {

// Text for element content or a double-quoted attribute, in HTML and in XML
// alike: & < > " as references; tabs and line breaks kept, other control
// characters dropped (XML 1.0 does not allow them). Every attribute the tool
// writes is double-quoted.
std::string MarkupEscape(std::string_view text);

} // namespace QuorvelTool
