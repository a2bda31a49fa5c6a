// Profile text from anywhere: parsing, every read a document makes, and a write.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/Profile.h"
#include "files/ProfileLists.h"
#include "files/ViewSettingsIO.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lindor::files;
    const std::string text(reinterpret_cast<const char*>(data), size);
    Profile profile = Profile::parse(text);
    lindor::graph::ViewSettings view;
    readViewSettings(profile, view, lindor::NumberLocale{});
    const auto functions = readTextList(profile, "Functions", "F", 100);
    profile.writeString("MainMode", "Mode", "F");
    writeViewSettings(profile, view, lindor::NumberLocale{});
    writeTextList(profile, "Functions", "F", functions);
    const Profile again = Profile::parse(profile.toText());
    if (again.readString("MainMode", "Mode", "") != "F")
        __builtin_trap();
    return 0;
}
