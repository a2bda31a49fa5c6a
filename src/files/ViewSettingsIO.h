// The view settings group as it is kept in the settings file and in documents: sections
// "AxisText", "ZoomFactor", "Font", "Angles" and the line style and show flags of
// "Options".
#pragma once

#include "graph/ViewSettings.h"
#include "util/NumberText.h"

namespace lindor::files {

class Profile;

// The largest axis-text font size accepted from a file, in points; a size outside
// 1..kMaxFontSize falls back to the default.
constexpr int kMaxFontSize = 500;

// Reads the group into `view`. A missing key keeps its default from graph::ViewSettings.
// The line style: dotted when "DottedLines" is 1, else bold when "BoldLines" is 1, else
// normal when either key is present; when neither key is present the style of `view`
// stays as it was. A zoom factor that is not a positive number reads as the default;
// numbers are read in the locale's format and, failing that, with a decimal point.
void readViewSettings(const Profile& profile, graph::ViewSettings& view,
                      const NumberLocale& locale);

// Writes every key of the group in its fixed order; the zoom factors as general number
// text of precision 15 in the locale's format.
void writeViewSettings(Profile& profile, const graph::ViewSettings& view,
                       const NumberLocale& locale);

} // namespace lindor::files
