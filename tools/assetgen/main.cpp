// orchidia-assetgen OUTDIR_ASSETS OUTDIR_RESOURCES
//
// Draws every picture and synthesises every sound the game loads. The
// first folder receives the files read from the working directory at run
// time; the second receives bitmaps/ (dialog pictures) and icons/ (the
// program icon). Output is identical on every run.
#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"
#include "sounds.h"

namespace fs = std::filesystem;

namespace {

int failures = 0;

void save(const art::Image& im, const fs::path& path) {
    if (!im.saveBmp(path.string())) {
        std::fprintf(stderr, "orchidia-assetgen: cannot write %s\n", path.string().c_str());
        ++failures;
    }
}

bool makeDir(const fs::path& p) {
    std::error_code ec;
    fs::create_directories(p, ec);
    if (ec) {
        std::fprintf(stderr, "orchidia-assetgen: cannot create %s: %s\n", p.string().c_str(), ec.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR_ASSETS OUTDIR_RESOURCES\n", argc > 0 ? argv[0] : "orchidia-assetgen");
        return 2;
    }
    const fs::path assets = argv[1];
    const fs::path resources = argv[2];
    const fs::path bitmaps = resources / "bitmaps";
    const fs::path icons = resources / "icons";
    if (!makeDir(assets) || !makeDir(bitmaps) || !makeDir(icons)) return 1;

    save(art::drawFieldMap(), assets / "field1.bmp");
    for (int n = 1; n <= 9; ++n) save(art::drawBuildingIcon(n), assets / ("icon" + std::to_string(n) + ".bmp"));
    save(art::drawTradeCenter(), assets / "tradecenter.bmp");
    save(art::drawMiniStage(), assets / "ministage1.bmp");
    save(art::drawFlySprite(), assets / "bug1.bmp");
    save(art::drawFlyMask(), assets / "bug1mask.bmp");
    save(art::drawUnit(), assets / "unit.bmp");

    for (int id = 150; id <= 164; ++id)
        save(art::drawDialogPicture(id), bitmaps / ("bmp" + std::to_string(id) + ".bmp"));
    for (int size : {16, 32, 48, 64, 128, 256})
        save(art::drawAppIcon(size), icons / ("orchidia" + std::to_string(size) + ".bmp"));

    for (const sound::Clip& clip : sound::makeAll()) {
        const fs::path path = assets / clip.name;
        if (!sound::writeWav(path.string(), clip.samples)) {
            std::fprintf(stderr, "orchidia-assetgen: cannot write %s\n", path.string().c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
