// The topics of the help: anchors in the help files (data/ldr<Language>.html). Every
// language's file holds every one of them.
#pragma once

#include <array>

namespace lindor::ui::help {

inline constexpr const char* kContents = "Contents";
inline constexpr const char* kPlotFunction = "How_To_Plot_A_Function";
inline constexpr const char* kCalculateIntegral = "How_To_Calculate_The_Value_Of_An_Integral";
inline constexpr const char* kFunctionSyntax = "Function_Syntax";
inline constexpr const char* kFunctionPad = "Function_Pad";
inline constexpr const char* kRangeWindow = "Range_Window";
inline constexpr const char* kValueTable = "Value_Table";
inline constexpr const char* kSolve = "Solve_Menu";
inline constexpr const char* kDocuments = "Documents";
inline constexpr const char* kPictures = "Pictures_And_Printing";
inline constexpr const char* kOptions = "Options_Menu";
inline constexpr const char* kWindowMenu = "Window_Menu";
inline constexpr const char* kCommandLine = "Command_Line";

inline constexpr std::array<const char*, 13> kAllTopics = {
    kContents,   kPlotFunction, kCalculateIntegral, kFunctionSyntax, kFunctionPad, kRangeWindow,
    kValueTable, kSolve,        kDocuments,         kPictures,       kOptions,     kWindowMenu,
    kCommandLine};

} // namespace lindor::ui::help
