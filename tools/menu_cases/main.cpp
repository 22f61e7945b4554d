// Writes the cases of the menu-tree comparison (the preview against the test
// player under Wine):
//   tg_menu_cases --out DIR [--count N] [--seed S] [--library FILE]...
// DIR/00, DIR/01, ...: N cases over generated libraries of a few dozen to a
// few hundred tracks, every eighth over a hostile one, then one case per
// --library FILE over that file as it is.
#include "hostile_library.h"
#include "menu_case.h"
#include "player/library_file.h"
#include "player/library_generator.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace tg;

namespace {

constexpr char kUsage[] =
    "usage: tg_menu_cases --out DIR [--count N] [--seed S] [--library FILE]...\n";

std::string caseName(int index) {
    return (index < 10 ? "0" : "") + std::to_string(index);
}

void writeGenerated(const fs::path& folder, int index, std::uint64_t seed) {
    static const std::size_t kSizes[] = {24, 80, 160, 320};
    const std::vector<player::Track> tracks =
        index % 8 == 5
            ? menucases::hostileLibrary(seed + static_cast<unsigned>(index))
            : player::generateLibrary(kSizes[index % 4], seed + static_cast<unsigned>(index));
    fs::create_directories(folder);
    std::ofstream out(folder / "library.tsv", std::ios::binary);
    player::writeLibrary(out, tracks);
    out.close();
    menucases::writeMenuCase(folder, index, seed, tracks);
}

void writeGiven(const fs::path& folder, int index, std::uint64_t seed, const fs::path& library) {
    std::vector<player::Track> tracks;
    const player::LoadResult loaded = player::loadLibraryFile(library.string(), tracks);
    if (!loaded.ok) throw std::runtime_error(loaded.error);
    fs::create_directories(folder);
    fs::copy_file(library, folder / "library.tsv", fs::copy_options::overwrite_existing);
    menucases::writeMenuCase(folder, index, seed, tracks);
}

} // namespace

int main(int argc, char** argv) {
    fs::path out;
    int count = 32;
    std::uint64_t seed = 18;
    std::vector<fs::path> libraries;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
        const std::string value = argv[++i];
        if (option == "--out") {
            out = value;
        } else if (option == "--count") {
            count = std::atoi(value.c_str());
        } else if (option == "--seed") {
            seed = std::strtoull(value.c_str(), nullptr, 10);
        } else if (option == "--library") {
            libraries.emplace_back(value);
        } else {
            std::fprintf(stderr, "tg_menu_cases: unknown option %s\n%s", option.c_str(), kUsage);
            return 2;
        }
    }
    if (out.empty() || count < 0 || count > 99 - static_cast<int>(libraries.size())) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    try {
        int index = 0;
        for (; index < count; ++index) writeGenerated(out / caseName(index), index, seed);
        for (const fs::path& library : libraries) {
            writeGiven(out / caseName(index), index, seed, library);
            ++index;
        }
        std::printf("%d cases in %s\n", index, out.string().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tg_menu_cases: %s\n", error.what());
        return 1;
    }
    return 0;
}
