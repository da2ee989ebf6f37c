#include "FuzzTargets.h"

#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Placement.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/core/Startup.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>

namespace QuorvelFuzz {

using namespace Quorvel::Core;

namespace {

// Values from the input: four bytes each, the first byte picking a limit of the
// range now and then, so that the ends are reached often.
class TValues {
public:
    explicit TValues(std::string_view bytes) : FBytes(bytes) {}
    int Int() {
        static constexpr std::array<int, 6> Limits{INT_MAX,     INT_MIN, INT_MAX - 1,
                                                   INT_MIN + 1, 0,       -1};
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | Byte();
        if ((v >> 24) < Limits.size())
            return Limits[v >> 24];
        int out = 0;
        std::memcpy(&out, &v, sizeof(out));
        return out;
    }
    TRect Rect() { return {Int(), Int(), Int(), Int()}; }

private:
    std::uint8_t Byte() {
        return FPos < FBytes.size() ? static_cast<std::uint8_t>(FBytes[FPos++]) : 0;
    }
    std::string_view FBytes;
    std::size_t FPos = 0;
};

} // namespace

void FuzzCore(std::string_view input) {
    TValues v(input);
    const TRect dragged = v.Rect();
    const TSizeLimits limits{v.Int(), v.Int(), v.Int(), v.Int()};
    const TRect clamped = ClampDrag(dragged, limits);
    if (clamped.Left != dragged.Left || clamped.Top != dragged.Top)
        Finding("the drag clamp moved a near edge");

    const auto edge = static_cast<TTaskbarEdge>((v.Int() & 7) % 5 - 1);
    const TTaskbarArea area = TaskbarArea(v.Rect(), edge, v.Int() & 1, v.Int(), v.Int(), true);
    if (area.BarWidth() < 0 || area.BarHeight() < 0)
        Finding("the taskbar has a negative thickness");

    TMaxInfoQuery q;
    q.MaxSize = {v.Int(), v.Int()};
    q.MaxPosition = {v.Int(), v.Int()};
    q.Area = area;
    q.Limits = limits;
    q.Window = v.Rect();
    q.Monitor = v.Rect();
    q.WorkArea = v.Rect();
    const int flags = v.Int();
    q.Zoomed = flags & 1;
    q.Route = flags & 2 ? mrLegacyHook : mrWindowProc;
    q.Version410 = flags & 4;
    MaxInfo(q);
    LegacyWorkLimits(area, flags & 8);
    KeepCornerWithin(q.Window, v.Int(), v.Int());

    const TRect work = v.Rect();
    const TFrameInsets frame = FrameInsets(q.Window, v.Rect());
    const auto pos = static_cast<TResizeFormPos>(static_cast<unsigned>(v.Int()) % 10);
    const TPoint at = PlacementOrigin(pos, work, frame, v.Int(), v.Int(), false);
    if (at.X < work.Left || at.Y < work.Top)
        Finding("a plain placement left the work area's near edges");
    PlacementOrigin(pos, work, frame, v.Int(), v.Int(), true);
    FirstShowSize(v.Int(), v.Int(), v.Int(), v.Int(), v.Int(), v.Int());

    const TReference reference{v.Int(), v.Int(), v.Int(), v.Int(), v.Int(), v.Int()};
    const TFactors factors = PassFactors(v.Int(), v.Int(), reference);
    const TBounds bounds{v.Int(), v.Int(), v.Int(), v.Int()};
    const TBounds scaled = ScaleBounds(bounds, factors);
    if (scaled.Width == 0 || scaled.Height == 0)
        Finding("a scaled size ended at 0");
    ReferenceBounds(scaled, factors, bounds);
    ScaleFontPoints(v.Int(), factors.Font);
    ScaleFontPixels(v.Int(), factors.Font);
    ScaleFormFont(v.Int(), factors.Font);
    const TDpiRatios ratios = DpiRatios(v.Int(), v.Int(), v.Int(), v.Int());
    StartupBounds(bounds, BoundsDivisors(ratios, static_cast<TBorderKind>((flags >> 4 & 3) % 3),
                                         flags & 64, flags & 128));
}

} // namespace QuorvelFuzz
