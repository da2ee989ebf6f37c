#include "quorvel/core/Taskbar.h"

namespace Quorvel::Core {

TTaskbarArea TaskbarArea(const TRect& reported, TTaskbarEdge edge, bool autoHide, int width,
                         int height, bool count) {
    TTaskbarArea a;
    a.Width = width;
    a.Height = height;
    a.Edge = edge;
    TRect& rc = a.Bar;
    rc = reported;
    if (rc.Top < 0)
        rc.Top = 0;
    if (rc.Left < 0)
        rc.Left = 0;
    if (rc.Right > width)
        rc.Right = width;
    if (rc.Bottom > height)
        rc.Bottom = height;
    if (rc.Right < rc.Left)
        rc.Right = rc.Left;
    if (rc.Bottom < rc.Top)
        rc.Bottom = rc.Top;
    if (autoHide) {
        switch (edge) {
        case teTop: rc.Bottom = rc.Top; break;
        case teLeft: rc.Right = rc.Left; break;
        case teRight: rc.Left = rc.Right; break;
        case teBottom: rc.Top = rc.Bottom; break;
        case teNone: break;
        }
    }
    if (count) {
        if (edge == teLeft || edge == teRight)
            a.Width -= rc.Width();
        if (edge == teTop || edge == teBottom)
            a.Height -= rc.Height();
    }
    return a;
}

} // namespace Quorvel::Core
