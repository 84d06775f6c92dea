// The versions a source says are in use, for the update check: the recorder firmware from
// the newest recording's drive-data header, the GPS data version from the six characters
// after its end tag, and whether the source's root holds the model marker file. Every file
// read here comes from the card: what cannot be read, or does not hold a version, gives none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorva {

struct SourceVersions {
    std::optional<std::string> firmware;  // "%d.%d.%d"
    std::optional<std::string> gpsData;   // "%06d"
    std::string modelMarker;              // kModelMarker, or empty
    std::string newestRecording;          // the movie the versions came from ("" when none)
};

// The firmware version of the header's six characters, three two-digit decimals ("010203"
// gives "1.2.3"); nothing unless all six are digits.
std::optional<std::string> FirmwareVersionText(const char (&version)[6]);

// The GPS data version of the six characters after the end tag: their decimal value as
// "%06d"; nothing when they hold no number (six spaces, or no trailer at all).
std::optional<std::string> GpsDataVersionText(const uint8_t* trailer, size_t size);

// Reads the versions of the source whose root folder is root (a card or a folder, in the
// current card layout, which the scan of the source set): of its top folders in name
// order, the first one named after the layout's normal or parking movie folder that holds
// recordings gives the newest recording (the last in catalogue order). With readDriveData
// clear (no main camera slot) only the model marker is read.
SourceVersions ReadSourceVersions(const std::string& root, bool readDriveData = true);

}  // namespace quorva
