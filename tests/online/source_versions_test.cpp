// The versions a source says are in use: the newest recording of the first movie folder
// with recordings gives the firmware (drive-data header) and the GPS data version (after
// the end tag); the marker file in the root enables the firmware check. Damaged or missing
// drive data give no version.
#include <gtest/gtest.h>

#include <string>

#include "../recordings/card_fixture.h"
#include "online/source_versions.h"
#include "online/update_rules.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

namespace fs = std::filesystem;
using testing::Name;
using testing::TempFolder;
using testing::WriteFile;
using testing::WriteMovie;

// A drive-data file as the recorder writes it: "CSMDAT", the 26 header bytes with the
// firmware version at 17..22, a count of 0, "CSMEND" and the trailer.
std::string DriveData(const std::string& version, const std::string& trailer) {
    std::string header = "0600060009001000M" + version + "J1 ";
    header.resize(26, ' ');
    return "CSMDAT" + header + std::string(2, '\0') + "CSMEND" + trailer;
}

// A recording of the card in folder ("Normal" or "Parking") with its drive data.
void WriteRecording(const std::string& root, const std::string& folder, const std::string& name,
                    const std::string& driveData) {
    const std::string movie = root + "/" + folder + "/" + name;
    WriteMovie(movie);
    if (!driveData.empty()) WriteFile(DriveDataPath(movie), driveData);
}

TEST(SourceVersions, VersionFields) {
    const std::pair<const char*, std::optional<std::string>> firmware[] = {
        {"010203", "1.2.3"},      {"010502", "1.5.2"},      {"991000", "99.10.0"},
        {"01 203", std::nullopt}, {"      ", std::nullopt}, {"0102x3", std::nullopt},
    };
    for (const auto& [in, out] : firmware) {
        char field[6];
        std::copy(in, in + 6, field);
        EXPECT_EQ(FirmwareVersionText(field), out) << in;
    }
    const std::pair<std::string, std::optional<std::string>> gps[] = {
        {"240401", "240401"},
        {"  1234", "001234"},
        {"1234  ", "001234"},
        {"      ", std::nullopt},
        {std::string(6, '\0'), std::nullopt},  // the file ended after the end tag
        {"24 401", std::nullopt},
        {"2404x1", std::nullopt},
    };
    for (const auto& [in, out] : gps)
        EXPECT_EQ(GpsDataVersionText(reinterpret_cast<const uint8_t*>(in.data()), 6), out) << in;
    EXPECT_EQ(GpsDataVersionText(nullptr, 6), std::nullopt);
}

TEST(SourceVersions, NewestRecordingOfTheFirstMovieFolder) {
    TempFolder card;
    const std::string root = card.str();
    WriteRecording(root, "Normal", Name("A___", "240131", 10), DriveData("010203", "220610"));
    WriteRecording(root, "Normal", Name("A___", "240131", 12), DriveData("010502", "240401"));
    // Not a movie (no header), though its name is the newest: passed over.
    WriteFile(root + "/Normal/" + Name("A___", "240131", 13), "not a movie");
    WriteRecording(root, "Parking", Name("P___", "240201", 20), DriveData("020000", "250101"));
    DetectLayout(root);

    SourceVersions v = ReadSourceVersions(root);
    EXPECT_EQ(v.newestRecording, root + "/Normal/" + Name("A___", "240131", 12));
    EXPECT_EQ(v.firmware, "1.5.2");
    EXPECT_EQ(v.gpsData, "240401");
    EXPECT_EQ(v.modelMarker, "");

    // The marker file, in any case of its name; without the main camera only it is read.
    WriteFile(root + "/velmora_DOWNLOAD.URL", "[InternetShortcut]");
    v = ReadSourceVersions(root, false);
    EXPECT_EQ(v.modelMarker, std::string(kModelMarker));
    EXPECT_FALSE(v.firmware);
    EXPECT_FALSE(v.gpsData);

    // A normal folder without recordings: the parking folder is next.
    fs::remove_all(root + "/Normal");
    fs::create_directories(root + "/Normal");
    v = ReadSourceVersions(root);
    EXPECT_EQ(v.firmware, "2.0.0");
    EXPECT_EQ(v.gpsData, "250101");
}

TEST(SourceVersions, DamagedOrMissingDriveData) {
    TempFolder card;
    const std::string root = card.str();
    const std::string name = Name("A___", "240131", 10);
    DetectLayout(root);

    // No movie folder at all, then no drive data.
    EXPECT_FALSE(ReadSourceVersions(root).firmware);
    WriteRecording(root, "Normal", name, "");
    DetectLayout(root);
    SourceVersions v = ReadSourceVersions(root);
    EXPECT_EQ(v.newestRecording, root + "/Normal/" + name);
    EXPECT_FALSE(v.firmware);
    EXPECT_FALSE(v.gpsData);

    // Cut inside the header; blanks for the GPS data version; a file ending at its end tag.
    const std::string movie = root + "/Normal/" + name;
    WriteFile(DriveDataPath(movie), DriveData("010203", "240401").substr(0, 20));
    v = ReadSourceVersions(root);
    EXPECT_FALSE(v.firmware);
    EXPECT_FALSE(v.gpsData);
    WriteFile(DriveDataPath(movie), DriveData("010203", "      "));
    v = ReadSourceVersions(root);
    EXPECT_EQ(v.firmware, "1.2.3");
    EXPECT_FALSE(v.gpsData);
    WriteFile(DriveDataPath(movie), DriveData("010203", ""));
    EXPECT_FALSE(ReadSourceVersions(root).gpsData);
    EXPECT_FALSE(ReadSourceVersions(root + "/missing").firmware);
}

}  // namespace
}  // namespace quorva
