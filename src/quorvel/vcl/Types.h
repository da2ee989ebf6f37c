// Points and rectangles of the framework (X/Y, Left/Top/Right/Bottom): the layout
// core's, so that the framework, the component and the plain adapter pass one
// type between them. Width and Height saturate at the 32-bit range.
#pragma once

#include "quorvel/core/Geometry.h"

namespace Vcl {

// The framework saturates its sums through the core's Add, Sub and Narrow.
namespace Core = Quorvel::Core;

using Quorvel::Core::RectOf;
using Quorvel::Core::TPoint;
using Quorvel::Core::TRect;
using Quorvel::Core::WinRectOf;

} // namespace Vcl
