// Form-file text written by tests, and the bounds of what it loads into.
#pragma once

#include "quorvel/vcl/Controls.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace FormTextTest {

struct TBox {
    int Left, Top, Width, Height;
    bool operator==(const TBox&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const TBox& b) {
    return os << "{" << b.Left << ", " << b.Top << ", " << b.Width << ", " << b.Height << "}";
}

inline TBox BoxOf(const Vcl::TControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// One object with its bounds, further properties (`extra`, one per line) and
// the text of its children.
inline std::string Object(const char* name, const char* cls, TBox b, const std::string& extra = "",
                          const std::string& children = "") {
    return "object " + std::string(name) + ": " + cls + "\n  Left = " + std::to_string(b.Left) +
           "\n  Top = " + std::to_string(b.Top) + "\n  Width = " + std::to_string(b.Width) +
           "\n  Height = " + std::to_string(b.Height) + "\n" + extra + children + "end\n";
}

// A form of that client size holding the children.
inline std::string Form(const std::string& children, int cw = 400, int ch = 300) {
    return "object Form1: TForm\n  ClientWidth = " + std::to_string(cw) +
           "\n  ClientHeight = " + std::to_string(ch) + "\n" + children + "end\n";
}

// Aligned children that take room tile `room`: inside it, no two overlapping,
// their areas adding up to what they cover.
inline void ExpectTiles(const Vcl::TWinControl& parent, const Vcl::TRect& room) {
    std::vector<TBox> boxes;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const Vcl::TControl* c = parent.Controls(i);
        if (c->Align() != Vcl::alNone && c->Visible())
            boxes.push_back(BoxOf(*c));
    }
    long long sum = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const TBox& a = boxes[i];
        EXPECT_GE(a.Width, 0);
        EXPECT_GE(a.Height, 0);
        EXPECT_GE(a.Left, room.Left);
        EXPECT_GE(a.Top, room.Top);
        EXPECT_LE(a.Left + a.Width, room.Right);
        EXPECT_LE(a.Top + a.Height, room.Bottom);
        sum += static_cast<long long>(a.Width) * a.Height;
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const TBox& b = boxes[j];
            const bool apart = a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
                               a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top;
            EXPECT_TRUE(apart) << a << " overlaps " << b;
        }
    }
    EXPECT_EQ(sum, static_cast<long long>(room.Width()) * room.Height());
}

} // namespace FormTextTest
