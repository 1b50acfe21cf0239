// The plain main of the harnesses in an ordinary build: replays every file of the folders (or
// files) given, as libFuzzer would run them, so that ctest keeps every input that ever failed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> fichiers;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& e : fs::directory_iterator(argv[i]))
                if (e.is_regular_file()) fichiers.push_back(e.path());
        } else {
            fichiers.emplace_back(argv[i]);
        }
    }
    if (fichiers.empty()) {
        std::fprintf(stderr, "rien à rejouer\n");
        return 1;
    }
    for (const fs::path& f : fichiers) {
        std::ifstream entree(f, std::ios::binary);
        const std::string octets((std::istreambuf_iterator<char>(entree)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
    }
    std::printf("%zu entrées rejouées\n", fichiers.size());
    return 0;
}
