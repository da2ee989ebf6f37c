// The published properties that controls share, one builder each, so that every
// class table lists what its class publishes in the framework's order without
// repeating accessors.
#pragma once

#include "quorvel/vcl/Controls.h"

namespace Vcl::Published {

TPropInfo Left();
TPropInfo Top();
TPropInfo Width();
TPropInfo Height();
TPropInfo Align();
TPropInfo Anchors();
TPropInfo Caption();
TPropInfo Text();
TPropInfo Color();
TPropInfo Constraints();
TPropInfo Padding(); // of windowed controls
TPropInfo AutoSize(bool def);
TPropInfo Enabled();
TPropInfo Font();
TPropInfo Hint();
TPropInfo ParentColor();
TPropInfo ParentFont();
TPropInfo ParentShowHint();
TPropInfo PopupMenu();
TPropInfo ShowHint();
TPropInfo TabOrder();
TPropInfo TabStop(bool defaultValue);
TPropInfo Visible();

// A plain value without behaviour: stored, read back and written, nothing else.
TPropInfo PlainInt(String name, std::optional<std::int64_t> def = std::nullopt);
TPropInfo PlainBool(String name, std::optional<bool> def = std::nullopt);
TPropInfo PlainString(String name);
TPropInfo PlainFloat(String name);
TPropInfo PlainEnum(String name, const TEnumInfo& info,
                    std::optional<std::int64_t> def = std::nullopt);
TPropInfo PlainSet(String name, const TEnumInfo& info,
                   std::optional<std::int64_t> def = std::nullopt);
TPropInfo PlainIdentInt(String name, const TIdentMap& idents,
                        std::optional<std::int64_t> def = std::nullopt);
TPropInfo PlainRef(String name);
// An event handler held by name (and code when bound).
TPropInfo Event(String name);

// Sub-objects
TPropInfo Strings(String name); // a TStrings owned by the component (Lines, Items)

} // namespace Vcl::Published
