// Small movies and drive-data files made at test time: a box builder, a movie in the
// recorder's layout (ftyp, mdat, moov with one stts entry and one sample per chunk), and
// drive-data records with every field set by the test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorva::test {

using Bytes = std::vector<uint8_t>;

struct TestBox {
    TestBox(std::string t, Bytes p = {}, std::vector<TestBox> c = {}, int64_t size = -1)
        : type(std::move(t)), payload(std::move(p)), children(std::move(c)), sizeOverride(size) {}
    std::string type;  // four characters
    Bytes payload;     // raw payload (leaves)
    std::vector<TestBox> children;
    int64_t sizeOverride = -1;  // written as the box size instead of the real one
};
Bytes Serialize(const TestBox& box);
Bytes Serialize(const std::vector<TestBox>& boxes);

void PutBe16(Bytes& b, uint16_t v);
void PutBe32(Bytes& b, uint32_t v);
void PutBytes(Bytes& b, const std::string& s);

struct TrackRecipe {
    bool video = true;
    int width = 1920;
    int height = 1080;
    uint32_t frames = 30;
    uint32_t timescale = 30000;  // media time scale
    uint32_t delta = 1001;       // per sample
    uint32_t sampleBytes = 64;
    uint32_t syncEvery = 15;            // a sync sample every n samples (video)
    std::vector<uint32_t> deltas = {};  // each sample's duration (a variable rate); empty: delta
    int32_t editMediaTime = 0;          // where the track's edit starts in its media (ticks)
    uint32_t emptyEdit = 0;             // an empty edit before it (movie time units), 0 none
    int rotation = 0;                   // the display matrix's clockwise turn (0, 90, 180, 270)
};

struct MovieRecipe {
    std::vector<TrackRecipe> tracks{TrackRecipe{}};
    uint32_t movieTimescale = 1000;
    bool wideAfterFtyp = false;
    bool udat = true;
    uint32_t udatRecords = 3;
    bool co64 = false;       // 64-bit chunk offsets
    bool mdat64 = false;     // the media data box in the 64-bit size form
    bool moovFirst = false;  // "moov" (and "udat") before the media data, which ends the file
};

// Builds a movie in the recorder's layout; media bytes are a pattern of the sample number.
Bytes MakeMovie(const MovieRecipe& desc);

// A fragmented movie of track 7 (320 x 240, 30 frames a second at time scale 600): an empty
// sample table, defaults in "trex" (20 ticks, 100 bytes, not a sync sample), then fragments
// of perFragment frames of 50 bytes, each starting with a sync sample (durations in the runs
// when explicitDurations, else the defaults).
Bytes MakeFragmentedMovie(int fragments, int perFragment, bool explicitDurations);

// One 124-byte drive-data record.
struct RecordRecipe {
    char status = 'A';
    std::string latitude = "3539.1234";  // 9 characters
    uint8_t latSign = 'N';
    std::string longitude = "13945.6789";  // 10 characters
    uint8_t lngSign = 'E';
    std::string speed = "0045";         // 4 characters
    std::string time = "240131083015";  // 12 characters
    std::string correction = "*  ";     // 3 characters
    std::string voltage = "125";        // 3 characters
    std::string g1 = "+0100", g2 = "-0200", g3 = "+1000";
    char event72 = ' ', axis = 'X', event75 = ' ', event76 = ' ';
    uint8_t status122 = '0';
    uint8_t code123 = 0x21;
};
Bytes MakeRecord(const RecordRecipe& r);

// A 26-byte header: values 1..4 (four digits each), mode, version, A, B.
Bytes MakeHeader(const std::string& values = "0100020003000400", char mode = 'M',
                 const std::string& version = "010203", char a = 'A', char b = 'B');

// "CSMDAT", header, count, records, "CSMEND", trailer.
Bytes MakeBlock(const std::vector<Bytes>& records, int count = -1,
                const Bytes& header = MakeHeader(), bool endTag = true,
                const std::string& trailer = "000123");
// n records, record i at time 08:30:15 + i/10 s, G values varying with i.
std::vector<Bytes> MakeRecords(int n);

void WriteFile(const std::filesystem::path& path, const Bytes& data);
Bytes ReadFile(const std::filesystem::path& path);

// A fresh temporary folder, removed when it goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Sets TZ for the test's lifetime.
class ScopedTz {
  public:
    explicit ScopedTz(const char* tz);
    ~ScopedTz();

  private:
    std::string old_;
    bool had_ = false;
};

// Output of a shell command (stdout), and whether it ran with exit code 0.
bool RunCommand(const std::string& command, std::string* output = nullptr);
bool HaveTool(const std::string& name);

}  // namespace quorva::test
