// The update check's rules without the network: the comparison forms, the steps of the
// update thread over a scripted fetch, the notice text against its formats byte for byte,
// escaping, and which addresses count as a server or a link.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "appcore/ui_text.h"
#include "online/update_rules.h"
#include "online/version_text.h"

namespace quorva {
namespace {

TEST(VersionText, PrefixStopsBeforeTheThirdDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"92.0.902.49", "92.0.902"},
        {"1.2.3.4", "1.2.3"},
        {"1.2.3", "1.2.3"},
        {"1.2", "1.2"},
        {"", ""},
        {"...", ".."},
        {"1.2.3.4.5", "1.2.3"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(VersionPrefix(in), out) << in;
}

TEST(VersionText, SlashesAfterOddPositionsButNotFive) {
    const std::pair<const char*, const char*> cases[] = {
        {"240131", "24/01/31"},
        {"220610", "22/06/10"},
        {"2206", "22/06/"},
        {"2", "2"},
        {"", ""},
        {"22061012", "22/06/1012/"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(DateWithSlashes(in), out) << in;
}

TEST(UpdateRules, ComparisonForms) {
    EXPECT_EQ(FirmwareForm("1.2.3.9"), "1.2.3");
    EXPECT_EQ(FirmwareForm("1.2"), "1.2");
    EXPECT_EQ(GpsDataForm("220610"), "22/06/10");
    EXPECT_EQ(ViewerForm("0.9.0"), "0.9.0");
    // A version file's text: its first line, without the blanks around it.
    const std::pair<const char*, const char*> fetched[] = {
        {"1.2.3", "1.2.3"},         {"1.2.3\r\n", "1.2.3"},     {" 1.2.3 \n", "1.2.3"},
        {"1.2.3\nnotes", "1.2.3"},  {"\r\n1.2.3\r\n", "1.2.3"}, {"", ""},
        {"2.0 beta\n", "2.0 beta"},
    };
    for (const auto& [in, out] : fetched)
        EXPECT_EQ(FetchedVersion(in), out) << in;
}

// A fetch scripted by address: the text served, or a failure when the address is missing.
struct ScriptedFetch {
    std::map<std::string, std::string> files;  // path -> whole file
    std::vector<std::string> asked;
    UpdateTextFetch Function() {
        return [this](std::string& out, const std::string& url, const std::string& marker) {
            asked.push_back(url);
            const std::string base = "http://updates.test";
            if (url.rfind(base, 0) != 0) return false;
            const auto file = files.find(url.substr(base.size()));
            if (file == files.end()) return false;
            const std::string& body = file->second;
            if (marker.empty()) {
                out = body;
                return true;
            }
            const size_t at = body.find(marker);
            if (at == std::string::npos) return false;
            out = body.substr(at + marker.size());
            return true;
        };
    }
};

constexpr const char* kBase = "http://updates.test";

std::string Url(std::string_view path) {
    return kBase + std::string(path);
}

class FindUpdatesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fetch.files[std::string(kFirmwareFile.versionPath)] = "VER:1.2.3\r\n";
        fetch.files[std::string(kViewerFile.versionPath)] = "VER:1.0.0\r\n";
        fetch.files[std::string(kGpsDataFile.versionPath)] = "240401\r\n";
        inputs = {"1.2.3", "240401", std::string(kModelMarker)};
    }
    std::optional<std::vector<UpdateItem>> Run() {
        return FindUpdates(inputs, kBase, fetch.Function());
    }
    ScriptedFetch fetch;
    UpdateInputs inputs;
};

TEST_F(FindUpdatesTest, EqualVersionsAnnounceNothing) {
    // 1.2.3.9 on the server is 1.2.3 cut before its third dot.
    fetch.files[std::string(kFirmwareFile.versionPath)] = "VER:1.2.3.9";
    const auto items = Run();
    ASSERT_TRUE(items);
    EXPECT_TRUE(items->empty());
    EXPECT_EQ(fetch.asked, (std::vector<std::string>{Url(kFirmwareFile.versionPath),
                                                     Url(kViewerFile.versionPath),
                                                     Url(kGpsDataFile.versionPath)}));
}

TEST_F(FindUpdatesTest, AllThreeDifferInTheirOrder) {
    fetch.files[std::string(kFirmwareFile.versionPath)] = "VER:1.3.0.2\n";
    fetch.files[std::string(kViewerFile.versionPath)] = "VER:0.9.0";  // older counts as well
    fetch.files[std::string(kGpsDataFile.versionPath)] = "240501";
    const auto items = Run();
    ASSERT_TRUE(items);
    EXPECT_EQ(*items,
              (std::vector<UpdateItem>{
                  {UpdateItemKind::kFirmware, "1.2.3", "1.3.0", Url(kFirmwareFile.pagePath)},
                  {UpdateItemKind::kViewer, "1.0.0", "0.9.0", Url(kViewerFile.pagePath)},
                  {UpdateItemKind::kGpsData, "24/04/01", "24/05/01", Url(kGpsDataFile.pagePath)},
              }));
}

TEST_F(FindUpdatesTest, WhatIsAskedDependsOnTheSource) {
    // No marker file: the firmware file is never asked for; no GPS data version: nor is
    // the GPS data file.
    inputs = {"1.2.3", "", ""};
    fetch.files[std::string(kViewerFile.versionPath)] = "VER:1.1.0";
    const auto items = Run();
    ASSERT_TRUE(items);
    EXPECT_EQ(fetch.asked, (std::vector<std::string>{Url(kViewerFile.versionPath)}));
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ(items->front().kind, UpdateItemKind::kViewer);

    // A marker but no firmware version on the card: asked, but no item.
    fetch.asked.clear();
    inputs = {"", "", std::string(kModelMarker)};
    fetch.files[std::string(kFirmwareFile.versionPath)] = "VER:9.9.9";
    EXPECT_EQ(Run()->size(), 1u);
    EXPECT_EQ(fetch.asked.front(), Url(kFirmwareFile.versionPath));
}

TEST_F(FindUpdatesTest, FailedFetches) {
    // The firmware and viewer files are skipped when they cannot be read (or say nothing).
    fetch.files.erase(std::string(kFirmwareFile.versionPath));
    fetch.files[std::string(kViewerFile.versionPath)] = "no marker here";
    fetch.files[std::string(kGpsDataFile.versionPath)] = "240501";
    auto items = Run();
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ(items->front().kind, UpdateItemKind::kGpsData);
    fetch.files[std::string(kViewerFile.versionPath)] = "VER:\r\n";
    EXPECT_EQ(Run()->size(), 1u);

    // The GPS data file failing ends the check without a notice, whatever came before.
    fetch.files[std::string(kViewerFile.versionPath)] = "VER:2.0.0";
    fetch.files.erase(std::string(kGpsDataFile.versionPath));
    EXPECT_FALSE(Run());

    // No server: nothing is asked.
    fetch.asked.clear();
    EXPECT_TRUE(FindUpdates(inputs, "", fetch.Function())->empty());
    EXPECT_TRUE(fetch.asked.empty());
}

// The notice's formats, written out as they are given for one, two and three items.
std::string Format(const char* format, const std::vector<std::string>& args) {
    std::vector<const char*> a;
    for (const std::string& s : args)
        a.push_back(s.c_str());
    a.resize(26, "");
    char buffer[4096];
    std::snprintf(buffer, sizeof buffer, format, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                  a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15], a[16], a[17], a[18], a[19],
                  a[20], a[21], a[22], a[23], a[24], a[25]);
    return buffer;
}

std::vector<std::string> BlockArgs(int name, const char* current, const char* offered,
                                   const std::string& page) {
    return {UiText(name), UiText(107), current, UiText(109), offered, page, page};
}

TEST(UpdateNotice, FormatsOfOneTwoAndThreeItems) {
    ChooseLanguageSlotFor("ja_JP");
    const std::string fw = Url(kFirmwareFile.pagePath);
    const std::string vw = Url(kViewerFile.pagePath);
    const std::string gps = Url(kGpsDataFile.pagePath);
    const UpdateItem firmware{UpdateItemKind::kFirmware, "1.2.3", "1.3.0", fw};
    const UpdateItem viewer{UpdateItemKind::kViewer, "1.0.0", "1.1.0", vw};
    const UpdateItem gpsData{UpdateItemKind::kGpsData, "24/04/01", "24/05/01", gps};
    const auto one = BlockArgs(110, "1.0.0", "1.1.0", vw);
    const auto two = BlockArgs(108, "1.2.3", "1.3.0", fw);
    const auto three = BlockArgs(111, "24/04/01", "24/05/01", gps);
    auto args = [](std::vector<std::vector<std::string>> blocks) {
        std::vector<std::string> all{UiText(105)};
        for (const auto& b : blocks)
            all.insert(all.end(), b.begin(), b.end());
        return all;
    };

    const char* oneItem =
        "%s\r\n\r\n%s:\r\n%s%s   \u2192   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>";
    const char* twoItems =
        "%s\r\n\r\n%s:\r\n%s%s   \u2192   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>"
        "\r\n\r\n\r\n%s:\r\n%s%s   \u2192   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>\r\n";
    const char* threeItems =
        "%s\r\n\r\n%s:\r\n%s%s   \u2192   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>"
        "\r\n\r\n\r\n%s:\r\n%s%s   \u2192   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>"
        "\r\n\r\n\r\n%s:\r\n%s%s   \u2192   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>\r\n";

    EXPECT_EQ(BuildUpdateNotice({viewer}), Format(oneItem, args({one})));
    EXPECT_EQ(BuildUpdateNotice({firmware, gpsData}), Format(twoItems, args({two, three})));
    EXPECT_EQ(BuildUpdateNotice({firmware, viewer, gpsData}),
              Format(threeItems, args({two, one, three})));
    EXPECT_EQ(BuildUpdateNotice({}), "");

    // The texts of the table (language slot 0), the arrow between three spaces each side.
    const std::string text = BuildUpdateNotice({viewer});
    EXPECT_EQ(text.substr(0, UiText(105).size()), UiText(105));
    EXPECT_NE(UiText(105).find("\r\n"), std::string::npos);
    EXPECT_NE(text.find(UiText(107) + "1.0.0   \xE2\x86\x92   " + UiText(109) + "1.1.0"),
              std::string::npos);
}

TEST(UpdateNotice, ServerTextNeverBecomesMarkup) {
    const UpdateItem item{UpdateItemKind::kViewer, "1.0.0",
                          "<a href=\"javascript:alert(1)\">2.0</a> & 'more'",
                          "http://updates.test/page?a=1&b=<2>"};
    const std::string text = BuildUpdateNotice({item});
    EXPECT_NE(text.find("&lt;a href=&quot;javascript:alert(1)&quot;&gt;2.0&lt;/a&gt; &amp; "
                        "&#39;more&#39;"),
              std::string::npos);
    EXPECT_NE(text.find("<a href=\"http://updates.test/page?a=1&amp;b=&lt;2&gt;\">"),
              std::string::npos);
    // The only markup left is the one link of the item.
    size_t tags = 0;
    for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1))
        ++tags;
    EXPECT_EQ(tags, 2u);  // <a ...> and </a>
    EXPECT_EQ(EscapeMarkup("1.2.3"), "1.2.3");
}

TEST(UpdateRules, ServerAndLinkAddresses) {
    const std::pair<const char*, const char*> servers[] = {
        {"", ""},
        {"http://updates.example.com", "http://updates.example.com"},
        {"https://updates.example.com/base/", "https://updates.example.com/base"},
        {"  HTTP://127.0.0.1:8080  ", "HTTP://127.0.0.1:8080"},
        {"ftp://updates.example.com", ""},
        {"file:///srv/updates", ""},
        {"updates.example.com", ""},
        {"http://", ""},
        {"http:///path", ""},
        {"http://a b", ""},
        {"http://host/?q=1", ""},
    };
    for (const auto& [in, out] : servers)
        EXPECT_EQ(UpdateServerBase(in), out) << in;

    const std::pair<const char*, bool> links[] = {
        {"http://updates.example.com/page.html", true},
        {"HTTPS://updates.example.com/page.html", true},
        {"javascript:alert(1)", false},
        {"file:///etc/passwd", false},
        {"data:text/html,x", false},
        {"http:/x", false},
        {"http://", false},
        {" http://updates.example.com", false},
        {"http://a\nb", false},
    };
    for (const auto& [in, ok] : links)
        EXPECT_EQ(IsWebLink(in), ok) << in;
}

}  // namespace
}  // namespace quorva
