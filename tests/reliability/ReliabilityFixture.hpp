#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// The velmora command started in the background with its settings file, its
// output thrown away; killed if not waited for.
class BackgroundVelmora {
public:
    BackgroundVelmora(const std::filesystem::path& settings, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment = {});
    ~BackgroundVelmora();
    BackgroundVelmora(const BackgroundVelmora&) = delete;
    BackgroundVelmora& operator=(const BackgroundVelmora&) = delete;

    // The exit status; -1 when a signal ended it.
    int Wait();
    void Signal(int signal) const;

private:
    int pid_ = -1;
};

class ReliabilityTest : public ::testing::Test {
protected:
    // The velmora command, its settings in the test's folder.
    ProcessResult Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment = {});
    // A deck of `slides` titled slides with notes, written by the host.
    std::filesystem::path MakeDeck(const std::string& name, int slides = 2);
    // `deck` with slide 1's XML changed by `edit`.
    static void EditSlide(const std::filesystem::path& deck, const std::function<void(std::string&)>& edit);
    // The names in the test's folder, sorted.
    std::vector<std::string> Names() const;

    TempDir dir_;
};

std::string ReadBytes(const std::filesystem::path& file);

}  // namespace velmora::testing
