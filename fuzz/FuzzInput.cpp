#include "fuzz/FuzzInput.hpp"

#include <filesystem>
#include <fstream>

namespace velmora::fuzz {

void SeedCorpus(int argc, char** argv, const std::string& seed)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            continue;
        }
        const std::filesystem::path corpus = argv[i];
        std::error_code error;
        if (std::filesystem::is_directory(corpus, error) && std::filesystem::is_empty(corpus, error)) {
            std::ofstream(corpus / "seed", std::ios::binary) << seed;
        }
        return;
    }
}

}  // namespace velmora::fuzz
