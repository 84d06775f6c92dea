// The map's rules without a browser: the update message, the message reader, the track
// array, the scripts the host runs in the page and the pins it sends.
#include <gtest/gtest.h>

#include "map/fixed_text.h"
#include "map/json_holder.h"
#include "map/map_scripts.h"
#include "map/map_track_source.h"
#include "map/track_array.h"

namespace quorva {
namespace {

TEST(JsonHolder, UpdateMessageIsByteExact) {
    CJsonHolder json;
    EXPECT_EQ(json.WriteUpdate(35.5, 139.25, "pause"),
              R"({"map_lat":"35.500000","map_lng":"139.250000","map_status":"pause",)"
              R"("val_command":"update","val_end":""})");
    EXPECT_EQ(json.WriteUpdate(-33.8688, -151.2093, ""),
              R"({"map_lat":"-33.868800","map_lng":"-151.209300","map_status":"",)"
              R"("val_command":"update","val_end":""})");
    // No fix: the decoder's 720 reaches the page unchanged.
    EXPECT_EQ(json.WriteUpdate(720.0, 720.0, "stop").substr(0, 39),
              R"({"map_lat":"720.000000","map_lng":"720.)");
}

TEST(JsonHolder, ReaderTakesQuotedMembersOnly) {
    struct Case {
        const char* text;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {R"({"map_status":"stop"})", "map_status", "stop"},
        {R"({"map_status":"stop"})", "map_lat", std::nullopt},
        {R"({"a":1})", "a", std::nullopt},   // unquoted values store nothing
        {R"({"a":"1","a":"2"})", "a", "2"},  // a later member replaces an earlier one
        {R"({"a":"x","b":"y"})", "b", "y"},
        {"", "a", std::nullopt},
        {R"({"a":"unterminated)", "a", std::nullopt},
        {R"(garbage "a":"b"})", "a", std::nullopt},  // no object opened
    };
    for (const Case& c : cases) {
        CJsonHolder json;
        json.Read(c.text);
        EXPECT_EQ(json.Value(c.key), c.value) << c.text << " " << c.key;
    }
    // A written update reads back.
    CJsonHolder writer, reader;
    reader.Read(writer.WriteUpdate(1.0, 2.0, "pause"));
    EXPECT_EQ(reader.Size(), 5u);
    EXPECT_EQ(reader.Value("map_lng"), "2.000000");
    EXPECT_EQ(reader.Write(), writer.Write());
}

std::vector<GpsSample> Fixes(int count, int validEvery) {
    std::vector<GpsSample> samples(count);
    for (int i = 0; i < count; ++i) {
        samples[i].position = i * 3;
        samples[i].valid = (i % validEvery != 0) ? 1 : 0;
        samples[i].latitude = 35.0 + i * 0.0001;
        samples[i].longitude = 139.0 + i * 0.0001;
    }
    return samples;
}

TEST(TrackArray, TriplesOfValidFixesThenTheirCount) {
    // 250 valid fixes of 300 samples (every sixth is without fix).
    const TrackArray track = BuildTrackArray(Fixes(300, 6));
    ASSERT_EQ(track.size(), 751u);
    EXPECT_EQ(track.back(), 750.0);
    EXPECT_DOUBLE_EQ(track[0], 35.0001);  // sample 0 has no fix
    EXPECT_DOUBLE_EQ(track[1], 139.0001);
    EXPECT_EQ(track[2], 3.0);
    EXPECT_EQ(BuildTrackArray({}), TrackArray{0.0});
    EXPECT_EQ(BuildTrackArray(Fixes(3, 1)), TrackArray{0.0});  // none valid
}

TEST(TrackArray, JsonForThePage) {
    EXPECT_EQ(TrackArrayJson(std::nullopt), "null");
    EXPECT_EQ(TrackArrayJson(TrackArray{0.0}), "[0]");
    EXPECT_EQ(TrackArrayJson(TrackArray{35.6812345, -139.25, 1234, 3}),
              "[35.6812345,-139.25,1234,3]");
}

TEST(MapScripts, LoadGridSendsThreeOrFourSteps) {
    EXPECT_EQ(LoadGridScripts(3, false),
              (std::vector<std::string>{"cplist.ClearCrashPos()", "orbitgrplist.RemoveLineList()",
                                        "orbitgrplist.CreateGridLine(3)"}));
    EXPECT_EQ(
        LoadGridScripts(0, true),
        (std::vector<std::string>{"cplist.ClearCrashPos()", "orbitgrplist.RemoveLineList()",
                                  "orbitgrplist.CreateLine()", "orbitgrplist.CreateGridLine(0)"}));
}

TEST(MapScripts, EventPinCarriesTheTwelveValues) {
    GpsSample gps;
    gps.valid = 1;
    gps.latitude = 35.681236;
    gps.longitude = 139.767125;
    gps.speed = 42.5;
    GSensorSample g;
    g.position = 1234;
    g.g1 = 0.5;
    g.g2 = -1.25;
    g.g3 = 1.0;
    g.linkedGps = &gps;
    const auto pin = EventPinFor(6, &g, 2);
    ASSERT_TRUE(pin);
    EXPECT_EQ(AddCrashPosScript(*pin),
              "cplist.AddCrashPos(6,0.500000,-1.250000,1.000000,0,2,1234,35.681236,139.767125,1,"
              "42.500000,0.000000)");

    gps.latitude = 0.0;
    gps.longitude = 0.0;
    EXPECT_FALSE(EventPinFor(6, &g, 2));  // a fix at 0, 0 gets no pin
    gps.longitude = 0.5;
    EXPECT_TRUE(EventPinFor(6, &g, 2));  // only both at 0 count
    g.linkedGps = nullptr;
    EXPECT_FALSE(EventPinFor(6, &g, 2));
    EXPECT_FALSE(EventPinFor(6, nullptr, 2));
}

TEST(SlotTrackSource, NoDriveDataWhileTheMainSlotIsInactive) {
    PlayerSlotData main, sub;
    SlotTrackSource source(main, sub);
    EXPECT_EQ(source.RecordingTrack(), std::nullopt);  // active, but nothing loaded
    GroupGpsTrack() = Fixes(4, 100);                   // fixes 1..3 valid
    EXPECT_EQ(source.GroupTrack().size(), 10u);
    main.SetActive(false);
    EXPECT_EQ(source.GroupTrack(), TrackArray{0.0});
    EXPECT_EQ(source.RecordingTrack(), std::nullopt);
    GroupGpsTrack().clear();
}

}  // namespace
}  // namespace quorva
