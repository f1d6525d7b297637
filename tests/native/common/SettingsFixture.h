#pragma once
// A private folder with a fake executable path, and helpers to read and write
// the settings file beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/Codecs.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

class SettingsFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              (std::string("pilotune-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ini = dir / "pilote.ini";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(dir, ec);
    }

    SettingsStore::Environment Env(std::string user = "abc") const {
        return {(dir / "pilote.exe").string(), std::move(user), &codec, &dates};
    }
    void Open(SettingsStore& store, std::string user = "abc") const {
        store.Open("", Env(std::move(user)));
    }
    void WriteFile(const std::string& bytes) const {
        std::ofstream(ini, std::ios::binary) << bytes;
    }
    std::string FileBytes() const {
        std::ifstream in(ini, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path dir, ini;
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
};

} // namespace pilotune::testing
