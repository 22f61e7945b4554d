// Writes a synthetic library file for benchmarks and previews:
//   gen_library [--hostile] <track count> <seed> <output.tsv>
// --hostile: tags that try every way a label and a query can part
// (player/hostile_library.h), 1 to 1000000 tracks.
#include "player/hostile_library.h"
#include "player/library_file.h"
#include "player/library_generator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const bool hostile = argc > 1 && std::string(argv[1]) == "--hostile";
    if (hostile) {
        --argc;
        ++argv;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: gen_library [--hostile] <track count 1000-1000000, "
                             "hostile 1-1000000> <seed> <output.tsv>\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long long count = std::strtoull(argv[1], &end, 10);
    if (*end != '\0' || count < (hostile ? 1 : 1000) || count > 1000000) {
        std::fprintf(stderr, "gen_library: track count must be %s to 1000000\n",
                     hostile ? "1" : "1000");
        return 2;
    }
    const unsigned long long seed = std::strtoull(argv[2], &end, 10);
    if (*end != '\0') {
        std::fprintf(stderr, "gen_library: seed must be a whole number\n");
        return 2;
    }
    std::ofstream out(argv[3], std::ios::binary);
    if (!out) {
        std::fprintf(stderr, "gen_library: cannot write %s\n", argv[3]);
        return 1;
    }
    tg::player::writeLibrary(out, hostile ? tg::player::generateHostileLibrary(count, seed)
                                          : tg::player::generateLibrary(count, seed));
    out.close();
    if (!out) {
        std::fprintf(stderr, "gen_library: writing %s failed\n", argv[3]);
        return 1;
    }
    return 0;
}
