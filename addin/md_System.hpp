#pragma once

namespace velmora::addin {

// The add-in's start-up routine and version check.
class md_System {
public:
    // Runs inside OnConnection once the application reference is stored.
    // The usage counter and the update check come with their own issue.
    void StartUp();
};

}  // namespace velmora::addin
