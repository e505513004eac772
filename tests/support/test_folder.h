// A folder of the running test's own in the temporary folder. Natively every test case runs in its own
// process, side by side with the others, so a test's files must never share a name with another's.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

namespace test_support {

// Makes and returns a new folder named after the running test; the name is claimed by creating the folder,
// so parallel processes (and other build folders running the same test) never share one.
inline std::filesystem::path ClaimTestFolder(const char* prefix = "vestrada_")
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "no_test";
    for (char& c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            c = '_';
    // Long test names would not leave room for the file's name within the Windows path limit.
    name = prefix + name.substr(0, 80) + "_";
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int n = 0; n < 100000; ++n) {
        std::filesystem::path folder = temp / (name + std::to_string(n));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error))
            return folder;
        if (error)
            break;
    }
    ADD_FAILURE() << "cannot make a folder for " << name << " in " << temp.string();
    return {};
}

} // namespace test_support
