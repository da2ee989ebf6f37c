#include "quorvel/core/FormLimits.h"

#include "quorvel/core/Saturate.h"

#include <algorithm>

namespace Quorvel::Core {

TRect ClampDrag(const TRect& dragged, const TSizeLimits& limits) {
    TRect r = dragged;
    if (limits.HasMax()) {
        if (r.Width() > limits.MaxWidth)
            r.Right = Add(r.Left, limits.MaxWidth);
        if (r.Height() > limits.MaxHeight)
            r.Bottom = Add(r.Top, limits.MaxHeight);
    }
    if (limits.HasMin()) {
        if (r.Width() < limits.MinWidth)
            r.Right = Add(r.Left, limits.MinWidth);
        if (r.Height() < limits.MinHeight)
            r.Bottom = Add(r.Top, limits.MinHeight);
    }
    return r;
}

namespace {

// One axis of the maximized position. Near and Far are the window's edges,
// AreaNear and AreaFar the area's; a window starting before the area goes to its
// start (beside a taskbar on this axis' near side), one that fits keeps its
// offset (beside the taskbar when it touches Threshold), one that overhangs is
// pushed back from FarRef.
int MaxPositionAxis(int windowNear, int windowFar, int areaNear, int areaFar, int threshold,
                    int farRef, int size, bool barOnNearSide, int bar) {
    int p;
    if (windowNear < areaNear) {
        p = barOnNearSide ? bar : 0;
    } else if (windowFar <= areaFar) {
        p = Sub(windowNear, areaNear);
        if (barOnNearSide && windowNear <= threshold)
            p = bar;
    } else {
        p = Sub(farRef, size);
        if (barOnNearSide)
            p = Add(p, bar);
    }
    return p < areaNear ? 0 : p;
}

} // namespace

TMaxInfoAnswer MaxInfo(const TMaxInfoQuery& q) {
    TMaxInfoAnswer a;
    int AreaW = q.Area.Width, AreaH = q.Area.Height;
    const int BarW = q.Area.BarWidth(), BarH = q.Area.BarHeight();
    TPoint S = q.MaxSize;
    TPoint P = q.MaxPosition;
    const bool hasMax = q.Limits.HasMax();
    if (hasMax) {
        S = {q.Limits.MaxWidth, q.Limits.MaxHeight};
    } else if (q.Route == mrWindowProc && q.Zoomed) {
        a.RememberMonitorSize = true;
        return a;
    } else {
        if (S.X < 0)
            AreaW = Sub(AreaW, S.X);
        if (S.Y < 0)
            AreaH = Sub(AreaH, S.Y);
        S = {AreaW, AreaH};
    }
    S.X = std::min(S.X, AreaW);
    S.Y = std::min(S.Y, AreaH);

    if (hasMax) {
        const bool left = q.Area.Edge == teLeft, top = q.Area.Edge == teTop;
        if (q.Route == mrWindowProc) {
            // The maximized position is relative to the monitor's corner, so the
            // rectangles are taken relative to it too.
            const int ox = q.Monitor.Left, oy = q.Monitor.Top;
            const TRect R{Sub(q.Window.Left, ox), Sub(q.Window.Top, oy), Sub(q.Window.Right, ox),
                          Sub(q.Window.Bottom, oy)};
            const TRect WA{Sub(q.WorkArea.Left, ox), Sub(q.WorkArea.Top, oy),
                           Sub(q.WorkArea.Right, ox), Sub(q.WorkArea.Bottom, oy)};
            P.X = MaxPositionAxis(R.Left, R.Right, WA.Left, WA.Right, WA.Left, WA.Right, S.X, left,
                                  BarW);
            // Vertically the far case measures from the reduced monitor height.
            P.Y =
                MaxPositionAxis(R.Top, R.Bottom, WA.Top, WA.Bottom, WA.Top, AreaH, S.Y, top, BarH);
        } else {
            const TRect& R = q.Window;
            P.X = MaxPositionAxis(R.Left, R.Right, 0, AreaW, BarW, AreaW, S.X, left, BarW);
            P.Y = MaxPositionAxis(R.Top, R.Bottom, 0, AreaH, BarH, AreaH, S.Y, top, BarH);
        }
    }
    if (q.Route == mrLegacyHook && q.Version410) {
        if (q.Area.Edge == teTop)
            P.Y = Sub(P.Y, BarH);
        if (q.Area.Edge == teLeft)
            P.X = Sub(P.X, BarW);
    }
    a.Write = true;
    a.MaxSize = S;
    a.MaxPosition = P;
    return a;
}

TPoint LegacyWorkLimits(const TTaskbarArea& area, bool counted) {
    TPoint p{area.Width, area.Height};
    if (counted) {
        if (area.Edge == teTop)
            p.Y = Add(p.Y, area.BarHeight());
        if (area.Edge == teLeft)
            p.X = Add(p.X, area.BarWidth());
    }
    return p;
}

std::optional<TPoint> KeepCornerWithin(const TRect& window, int right, int bottom) {
    if (window.Bottom <= bottom && window.Right <= right)
        return std::nullopt;
    TPoint p{window.Left, window.Top};
    if (window.Bottom > bottom)
        p.Y = Sub(bottom, window.Height());
    if (window.Right > right)
        p.X = Sub(right, window.Width());
    return p;
}

} // namespace Quorvel::Core
