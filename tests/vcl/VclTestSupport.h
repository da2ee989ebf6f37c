// Shared pieces of the framework tests: reading form text into live components
// on the current simulated desktop, and writing it back.
#pragma once

#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/Dialogs.h"
#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Menus.h"
#include "quorvel/vcl/StdCtrls.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace VclTest {

using namespace Vcl;

inline std::unique_ptr<TComponent> Load(std::string_view text, TFormLoadOptions options = {}) {
    return LoadFormText(text, options);
}

template <typename T>
std::unique_ptr<T> LoadAs(std::string_view text, TFormLoadOptions options = {}) {
    std::unique_ptr<TComponent> root = LoadFormText(text, options);
    auto* typed = dynamic_cast<T*>(root.get());
    if (!typed) {
        ADD_FAILURE() << "root is a " << root->ClassName();
        return nullptr;
    }
    root.release();
    return std::unique_ptr<T>(typed);
}

// The component of that name owned by the root (or by an owner below it).
template <typename T> T* Find(TComponent& owner, std::string_view name) {
    TComponent* c = owner.FindComponent(name);
    EXPECT_NE(c, nullptr) << "no component " << name;
    auto* typed = dynamic_cast<T*>(c);
    EXPECT_NE(typed, nullptr) << name << " is a " << (c ? c->ClassName() : "nothing");
    return typed;
}

// The error a load raises; fails the test when it raises none.
inline EReadError LoadError(std::string_view text, TFormLoadOptions options = {}) {
    try {
        LoadFormText(text, options);
    } catch (const EReadError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for:\n" << text;
    return EReadError("none");
}

// read(text) written back.
inline String Resave(std::string_view text, TFormLoadOptions options = {}) {
    return SaveFormText(*Load(text, options));
}

} // namespace VclTest
