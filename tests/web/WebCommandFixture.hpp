#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FileSettingsStore.hpp"
#include "tests/support/HttpServer.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// One product record of the remote descriptor.
struct ProductRecord {
    std::string name;
    std::string version;
    std::string downloadUrl;
    std::string piclink;
    std::string shareUrl;
};

std::string Descriptor(const std::vector<ProductRecord>& records);

// The velmora command with a settings file of its own, the update and
// translation servers pointed at a local server, and a desktop opener that
// does nothing (the transcript lists what was opened).
class WebCommandTest : public ::testing::Test {
protected:
    WebCommandTest();

    ProcessResult Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment = {});
    // `velmora run COMMAND deck --json` plus `options`.
    ProcessResult Run(const std::string& command, std::vector<std::string> options = {},
                      std::map<std::string, std::string> environment = {});
    void ServeDescriptor(const std::vector<ProductRecord>& records);

    std::string Setting(const std::string& key) const;
    void SaveSetting(const std::string& key, const std::string& value);
    // The transcript's "opened" list as it reads in JSON.
    static std::string Opened(const ProcessResult& outcome);

    TempDir dir_;
    HttpServer server_;
    std::filesystem::path deck_;
    platform::FileSettingsStore settings_{dir_ / "settings.ini"};
};

// "[VelmoraV2.0 by Orvaldi] " + text with its carriage returns as line breaks.
std::string Shown(const std::string& text);

}  // namespace velmora::testing
