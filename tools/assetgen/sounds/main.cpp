// Writes the game's sound effects and music into the given dat/ folder.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Effects.h"
#include "Tunes.h"

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <dat folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    bool ok = true;
    for (const auto& effect : soundgen::soundEffects()) ok &= writeFile(dir / effect.file, soundgen::renderWave(effect));
    for (const auto& tune : soundgen::tunes()) ok &= writeFile(dir / tune.file, soundgen::renderTune(tune));
    return ok ? 0 : 1;
}
