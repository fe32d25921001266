#pragma once
// A picture's DOT laid out as SVG by Graphviz's dot program.

#include <string>
#include <string_view>

namespace velmora::explore {

struct Rendering {
  enum Status { kRendered, kNoDot, kFailed } status;
  std::string detail;  // for kFailed: what went wrong, e.g. "exit status 1"
};

// Renders DOT as SVG with Graphviz's `dot` (found on PATH) into the file
// `output`, or onto standard output when `output` is empty.
Rendering RenderSvg(std::string_view dot, const std::string& output);

}  // namespace velmora::explore
