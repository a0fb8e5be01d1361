// The text of the exception an action throws, for tests that check error messages.
#pragma once

#include <exception>
#include <functional>
#include <string>

// What the action throws (an exception of type Error), or "(no error)" when it throws nothing.
template <typename Error = std::exception>
std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}
