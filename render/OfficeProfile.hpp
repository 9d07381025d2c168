#pragma once

#include <filesystem>
#include <string>

namespace velmora::render {

// The LibreOffice user profile a renderer runs with. A profile kept in a
// cache folder spares LibreOffice making one (and restarting itself) on
// every run; it is locked while in use, and a second renderer at the same
// time gets a private copy instead of sharing it. Every profile carries our
// settings: no macros, no linked content fetched from the network; and the
// version of the LibreOffice in `installFolder` as the last one that ran, or
// a LibreOffice run without a window takes each start for its first since an
// upgrade and spends most of a second on it.
class OfficeProfile {
public:
    // `cache` empty, or unusable: a fresh private profile in `work`.
    OfficeProfile(const std::filesystem::path& cache, const std::filesystem::path& work,
                  const std::filesystem::path& installFolder = {});
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
    void EnsureSettings() const;

    std::filesystem::path path_;
    std::string version_;  // "7.4"; empty when unknown
    int lock_ = -1;
};

}  // namespace velmora::render
