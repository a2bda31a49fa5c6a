// The program's name, version and home page, in one place for the about box, the splash
// window and the packaging.
#pragma once

namespace lindor::ui {

inline constexpr const char* kLindorProductName = "Lindor";
// A placeholder until the program has a home page of its own.
inline constexpr const char* kLindorHomePage = "https://lindor.example.org";

// The version of this build, such as "0.1.0".
const char* lindorVersion();

} // namespace lindor::ui
