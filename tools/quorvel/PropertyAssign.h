// Run-time and design-time assignments written as COMPONENT.PROPERTY=VALUE: the
// component found by name (the form by its own name, a frame's controls as
// FRAME.CONTROL), the property through its published setter, the value in form-file
// syntax (a string property also takes the bare text).
#pragma once

#include "quorvel/vcl/Component.h"

#include <string>

namespace QuorvelTool {

// Sets the property. A path or value that does not fit raises EPropertyError; a
// setter that refuses the value raises its own exception, which passes through.
void AssignProperty(Vcl::TComponent& root, const std::string& assignment);

// True when the text has the shape NAME.PROPERTY=VALUE (checked before a run).
bool LooksLikeAssignment(const std::string& text);

// The component that NAME or FRAME.NAME refers to, the root by its own name; nullptr
// when there is none.
Vcl::TComponent* FindByPath(Vcl::TComponent& root, const std::string& path);

} // namespace QuorvelTool
