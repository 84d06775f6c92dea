// Writes the seed files of the fuzz targets into FOLDER/<target>/: movies in the
// recorder's layout and in variants (wide box, several tracks, damaged sizes, other tools'
// forms), drive-data blocks (counted, uncounted, empty, chained headers), and settings
// files.
#include <cstdio>
#include <filesystem>
#include <string>

#include "container_fixtures.h"

using namespace quorva;
using test::Bytes;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    int n = 0;
    auto put = [&](const char* target, const Bytes& bytes) {
        test::WriteFile(root / target / ("seed" + std::to_string(n++)), bytes);
    };

    test::MovieRecipe small;
    small.tracks[0].frames = 6;
    small.tracks[0].sampleBytes = 4;
    small.udatRecords = 1;
    put("fuzz_box_reader", test::MakeMovie(small));
    small.wideAfterFtyp = true;
    put("fuzz_box_reader", test::MakeMovie(small));
    test::MovieRecipe two = small;
    two.tracks = {test::TrackRecipe{true, 640, 360, 5, 30, 1, 3, 2},
                  test::TrackRecipe{false, 0, 0, 7, 48000, 1024, 2, 0}};
    put("fuzz_box_reader", test::MakeMovie(two));
    Bytes cut = test::MakeMovie(small);
    cut.resize(cut.size() / 2);
    put("fuzz_box_reader", cut);
    // The forms of other tools' movies: 64-bit sizes and chunk offsets, the movie box first
    // (cut in its media data), an edit list with an empty edit, a variable frame rate, a
    // display matrix, fragments.
    test::MovieRecipe wide = small;
    wide.mdat64 = true;
    wide.co64 = true;
    put("fuzz_box_reader", test::MakeMovie(wide));
    test::MovieRecipe first = small;
    first.moovFirst = true;
    Bytes firstCut = test::MakeMovie(first);
    firstCut.resize(firstCut.size() - 10);
    put("fuzz_box_reader", firstCut);
    test::MovieRecipe edited = small;
    edited.tracks[0].editMediaTime = 2;
    edited.tracks[0].emptyEdit = 100;
    edited.tracks[0].deltas = {1, 2, 1, 3};
    edited.tracks[0].rotation = 90;
    put("fuzz_box_reader", test::MakeMovie(edited));
    put("fuzz_box_reader", test::MakeFragmentedMovie(2, 3, false));

    // Drive data: three leading bytes pick the name, the frame duration and the count.
    auto drive = [&](const Bytes& block, uint8_t lapse) {
        Bytes b = {lapse, 67, 10};
        b.insert(b.end(), block.begin(), block.end());
        put("fuzz_drive_data", b);
    };
    drive(test::MakeBlock(test::MakeRecords(4)), 0);
    drive(test::MakeBlock(test::MakeRecords(3), 0xFFFF), 1);
    drive(test::MakeBlock({}, 0), 0);
    drive(test::MakeBlock(test::MakeRecords(2), 9, test::MakeHeader(), false, ""), 0);
    Bytes chained = test::MakeHeader();
    chained.resize(34, ' ');
    chained[30] = '@';
    chained[31] = 'C';
    chained[32] = 'S';
    chained[33] = 'M';
    const Bytes second = test::MakeHeader("2000200020002000", 'D');
    chained.insert(chained.end(), second.begin(), second.end());
    Bytes chainedBlock = {'C', 'S', 'M', 'D', 'A', 'T'};
    chainedBlock.insert(chainedBlock.end(), chained.begin(), chained.end());
    drive(chainedBlock, 0);

    auto ini = [&](const std::string& text) {
        put("fuzz_settings", Bytes(text.begin(), text.end()));
    };
    ini("[FOLDERPATH]\r\nCSV_FOLDER=/home/user/csv\r\nCONNECT_FOLDER=\"/mnt/backup\"\r\n"
        "[SOURCE]\r\nFOLDER=/media/card\r\nFILE=\r\n");
    ini("\xEF\xBB\xBF[DISPLAY]\nZOOM = 1.5 \n; comment\n[GSENSOR]\nX=1\n");
    ini("KEY=before any section\n[BROKEN\n=novalue\n[]\n");
    return 0;
}
