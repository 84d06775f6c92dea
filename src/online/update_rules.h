// The rules of the update check, without the network: the three server files and their
// download pages, the forms in which versions are compared, the steps of the update thread
// over a text fetch, the notice text, and which links the notice may open.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorva {

// The marker file "Velmora_download.url" in a source's root enables the firmware check.
inline constexpr std::string_view kModelMarker = "Velmora_download";

// What the source says about the versions in use (copied before the thread starts).
struct UpdateInputs {
    std::string firmware;     // "%d.%d.%d" from the newest recording, or empty
    std::string gpsData;      // "%06d" from the newest recording, or empty
    std::string modelMarker;  // kModelMarker when the marker file is there, else empty
};

// One file on the update server: the version file (read after the marker, or whole when
// the marker is empty) and the download page the notice links to.
struct UpdateServerFile {
    std::string_view versionPath;
    std::string_view marker;
    std::string_view pagePath;
};
inline constexpr UpdateServerFile kFirmwareFile{"/taiou/dr_updata/velmo/velmora_sw_version.txt",
                                                "VER:", "/taiou/dr_updata/velmora/velmora.html"};
inline constexpr UpdateServerFile kViewerFile{
    "/0_recorder/viewer/RaveVorira02/RaveVorira02_version.txt",
    "VER:", "/0_recorder/viewer/Ravevorira02/viewer.html"};
inline constexpr UpdateServerFile kGpsDataFile{"/gps_data/drgps_01.txt", "",
                                               "/taiou/gps_data/dr_01/dr01.html"};

// The base address of the update server from the setting ONLINE/UPDATE_SERVER: an http or
// https address without its trailing "/"; empty (no check at all) for anything else.
std::string UpdateServerBase(std::string_view setting);

// A fetched version text: its first line without the blanks around it (a version file
// usually ends with a line break, which is not part of the version).
std::string FetchedVersion(std::string_view text);

// The forms in which versions are compared (as exact strings).
std::string FirmwareForm(std::string_view version);  // cut before the third "."
std::string GpsDataForm(std::string_view version);   // 220610 gives 22/06/10
std::string ViewerForm(std::string_view version);    // unchanged

enum class UpdateItemKind { kFirmware, kViewer, kGpsData };

// One paragraph of the notice: the versions in their comparison forms and the page.
struct UpdateItem {
    UpdateItemKind kind;
    std::string current;
    std::string offered;
    std::string page;  // the full address of the download page
    friend bool operator==(const UpdateItem&, const UpdateItem&) = default;
};

// Downloads a short text file: out gets the text after the marker (the whole text when the
// marker is empty). False on any failure.
using UpdateTextFetch =
    std::function<bool(std::string& out, const std::string& url, const std::string& marker)>;

// The steps of the update thread: the firmware file only with the model marker, the viewer
// file, and the GPS data file only when the source's GPS data version is known. The items
// whose versions differ, in the order firmware, viewer, GPS data (empty: nothing to
// announce); nothing at all when the GPS data file could not be fetched.
std::optional<std::vector<UpdateItem>> FindUpdates(const UpdateInputs& inputs,
                                                   const std::string& serverBase,
                                                   const UpdateTextFetch& fetch);

// Text for markup: & < > " ' become character references.
std::string EscapeMarkup(std::string_view text);

// The notice: UI text 105, then one block per item (item name, current and offered
// version, the page as a link), in the formats of one, two and three items. Versions and
// addresses are escaped, so text from the server never becomes markup. Empty without items.
std::string BuildUpdateNotice(const std::vector<UpdateItem>& items);

// Whether the notice may open a link: only http and https addresses.
bool IsWebLink(std::string_view address);

}  // namespace quorva
