// What the window tests share: a settings file in a fresh temporary folder, the shipped
// language files, and finding a named child widget.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>

#include "files/SettingsFile.h"
#include "lang/Language.h"

namespace lindor::ui::test {

struct TempSettings {
    QTemporaryDir dir;
    std::string path = (dir.path() + QStringLiteral("/lindor.INI")).toStdString();
    files::SettingsFile settings{path};
};

// A settings file whose every write fails, as on a full disk or a read-only folder.
inline files::SettingsFile unwritableSettings(const std::string& path) {
    return files::SettingsFile(path, [](const std::string&, const std::string&, std::string& e) {
        e = "No space left on device";
        return false;
    });
}

inline std::unique_ptr<lang::Language> shippedLanguage(const std::string& name) {
    auto language = std::make_unique<lang::Language>(
        [](const std::string& message) { ADD_FAILURE() << message; });
    language->LoadLanguage(name, LINDOR_DATA_DIR);
    return language;
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no child named " << name;
    return found;
}

} // namespace lindor::ui::test
