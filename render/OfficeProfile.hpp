#pragma once

#include <filesystem>

namespace velmora::render {

// The LibreOffice user profile a renderer runs with. A profile kept in a
// cache folder spares LibreOffice making one (and restarting itself) on
// every run; it is locked while in use, and a second renderer at the same
// time gets a private copy instead of sharing it. Every profile carries our
// settings: no macros, no linked content fetched from the network.
class OfficeProfile {
public:
    // `cache` empty, or unusable: a fresh private profile in `work`.
    OfficeProfile(const std::filesystem::path& cache, const std::filesystem::path& work);
    ~OfficeProfile();
    OfficeProfile(const OfficeProfile&) = delete;
    OfficeProfile& operator=(const OfficeProfile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Whether this is the cached profile (not a private one).
    bool Kept() const { return lock_ >= 0; }

    // The profile folder inside a cache folder.
    static std::filesystem::path InCache(const std::filesystem::path& cache);
    // $XDG_CACHE_HOME/velmora, else ~/.cache/velmora; empty without either.
    static std::filesystem::path DefaultCache();

private:
    bool TryKeptProfile(const std::filesystem::path& cache);

    std::filesystem::path path_;
    int lock_ = -1;
};

}  // namespace velmora::render
