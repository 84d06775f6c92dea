#include "recordings/recording_name.h"

#include <atomic>
#include <ctime>

#include "appcore/ascii_text.h"
#include "appcore/ui_text.h"
#include "recordings/name_pattern.h"

namespace quorva {

namespace {

enum class Kind { kNone, kContinuous, kImpact, kManual, kParking, kParkingImpact };

char At(std::string_view s, size_t i) {
    return i < s.size() ? s[i] : '\0';
}

// The kind of a name that follows the grammar, from positions 0..2.
Kind KindOf(std::string_view name) {
    const char c0 = At(name, 0), c1 = At(name, 1), c2 = At(name, 2);
    if (c0 == 'A' || c0 == 'T') {
        if (c1 == 'G') return Kind::kImpact;
        if (c1 == 'M') return Kind::kManual;
        return Kind::kContinuous;
    }
    if (c0 == 'P') return c1 == 'G' ? Kind::kParkingImpact : Kind::kParking;
    return c2 == 'T' ? Kind::kParking : Kind::kNone;
}

bool IsValidFileName(std::string_view name, NamePattern pattern) {
    if (name.size() > 4 && name[4] != '-') return false;
    if (!SearchNamePattern(name, pattern)) return false;
    return KindOf(name) != Kind::kNone;
}

// Leading decimal digits (with an optional sign) of at most two characters at the offset.
int ParsePair(std::string_view s, size_t offset) {
    if (offset >= s.size()) return 0;
    std::string_view pair = s.substr(offset, 2);
    bool negative = false;
    if (!pair.empty() && (pair[0] == '-' || pair[0] == '+')) {
        negative = pair[0] == '-';
        pair.remove_prefix(1);
    }
    int value = 0;
    for (char c : pair) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// The text from the offset up to the next '-'.
std::string_view FieldFrom(std::string_view name, size_t offset) {
    if (offset >= name.size()) return {};
    const std::string_view rest = name.substr(offset);
    return rest.substr(0, rest.find('-'));
}

std::atomic<int> g_currentLayout{0};

constexpr Layout kLayouts[2] = {
    {{{'M', "Normal", "MOV", "DMY"}, {'D', "_NData", "ADA", "TDA"}},
     {{'M', "Parking", "MOV", "DMY"}, {'D', "_PData", "ADA", "TDA"}}},
    {{{'M', "Video", "MOV", "DMY"}, {'D', "_VData", "ADA", "TDA"}},
     {{'M', "Parking", "MOV", "DMY"}, {'D', "_PData", "ADA", "TDA"}}},
};

// When the path is <folder>/<movieFolder>/<name>, the same name in <folder>/<dataFolder>.
bool MoveToDataFolder(std::string& path, std::string_view movieFolder,
                      std::string_view dataFolder) {
    const std::string_view name = FileNameOf(path);
    const std::string_view folder = FolderOf(path);
    if (!EqualsIgnoringCase(FileNameOf(folder), movieFolder)) return false;
    std::string result(folder.substr(0, folder.size() - movieFolder.size()));
    result += dataFolder;
    result += '/';
    result += name;
    path = std::move(result);
    return true;
}

}  // namespace

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

bool IsRecordingName(std::string_view path) {
    return IsValidFileName(FileNameOf(path), NamePattern::kAnyCamera);
}

bool IsMainRecordingName(std::string_view path) {
    return IsValidFileName(FileNameOf(path), NamePattern::kMainCamera);
}

bool IsMainRecordingFileName(std::string_view name) {
    return IsValidFileName(name, NamePattern::kMainCamera);
}

bool IsMovPath(std::string_view path) {
    // The name's extension (from its last '.') is ".MOV" exactly when the path ends so.
    return path.size() >= 4 && EqualsIgnoringCase(path.substr(path.size() - 4), ".MOV");
}

bool IsTimeLapseName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    return At(name, 0) == 'T' || At(name, 2) == 'T';
}

SystemTime RecordingTimeFromName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const std::string_view date = FieldFrom(name, 5);
    const std::string_view time = FieldFrom(name, 12);
    std::tm tm{};
    tm.tm_year = ParsePair(date, 0) + 100;
    tm.tm_mon = ParsePair(date, 2) - 1;
    tm.tm_mday = ParsePair(date, 4);
    tm.tm_hour = ParsePair(time, 0);
    tm.tm_min = ParsePair(time, 2);
    tm.tm_sec = ParsePair(time, 4);
    // The recorder's clock is local wall time: let the C library decide whether daylight
    // saving applies, so that the fields come back as written (normalised when out of range).
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1)) t = 0;
    return LocalTimeFromUnix(static_cast<int64_t>(t));
}

int FileNumberOf(std::string_view name) {
    name = FileNameOf(name);
    if (name.size() <= 19) return 0;
    int value = 0;
    for (char c : name.substr(19, 6)) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

int ClassCharOf(std::string_view path) {
    return IsRecordingName(path) ? static_cast<unsigned char>(FileNameOf(path)[0]) : 0;
}

std::string SubCameraPath(std::string_view path) {
    std::string result(path);
    const std::string_view name = FileNameOf(path);
    const std::string_view folder = FolderOf(path);
    const std::string_view parent = FileNameOf(folder);
    if (name.size() == kRecordingNameLength && parent.size() == 4 &&
        folder.size() + 1 + name.size() == path.size()) {
        const size_t at = folder.size() - 4;
        if (EqualsIgnoringCase(parent, "Main"))
            result.replace(at, 4, "Sub_");
        else if (EqualsIgnoringCase(parent, "Sub_"))
            result.replace(at, 4, "Main");
    }
    if (result.size() >= 5) {
        char& camera = result[result.size() - 5];
        if (camera == 'M')
            camera = 'S';
        else if (camera == 'S')
            camera = 'M';
    }
    return result;
}

std::string DriveDataPath(std::string_view path) {
    std::string result(path);
    const Layout& layout = LayoutAt(CurrentLayout());
    if (!MoveToDataFolder(result, layout.normal.movie.folder, layout.normal.data.folder))
        MoveToDataFolder(result, layout.parking.movie.folder, layout.parking.data.folder);
    if (result.size() >= 5) result[result.size() - 5] = 'D';
    const std::string_view name = FileNameOf(result);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) result.resize(result.size() - name.size() + dot);
    result += ".ADA";
    return result;
}

PartnerFolders PartnerFoldersOf(std::string_view folder) {
    PartnerFolders partners;
    partners.folder = std::string(folder);
    const std::string_view last = FileNameOf(folder);
    // SubCameraPath: a last component "Main" or "Sub_" swaps for the other.
    partners.subFolderOfFullNames = partners.folder;
    if (last.size() == 4) {
        const size_t at = folder.size() - 4;
        if (EqualsIgnoringCase(last, "Main"))
            partners.subFolderOfFullNames.replace(at, 4, "Sub_");
        else if (EqualsIgnoringCase(last, "Sub_"))
            partners.subFolderOfFullNames.replace(at, 4, "Main");
    }
    // DriveDataPath: a layout's movie folder becomes its data folder.
    partners.dataFolder = partners.folder;
    const Layout& layout = LayoutAt(CurrentLayout());
    for (const LayoutHalf* half : {&layout.normal, &layout.parking}) {
        const std::string_view movieFolder = half->movie.folder;
        if (EqualsIgnoringCase(last, movieFolder)) {
            partners.dataFolder = std::string(folder.substr(0, folder.size() - movieFolder.size()));
            partners.dataFolder += half->data.folder;
            break;
        }
    }
    return partners;
}

void SubCameraName(std::string_view name, std::string& out) {
    out.assign(name);
    if (out.size() >= 5) {
        char& camera = out[out.size() - 5];
        if (camera == 'M')
            camera = 'S';
        else if (camera == 'S')
            camera = 'M';
    }
}

void DriveDataName(std::string_view name, std::string& out) {
    out.assign(name);
    if (out.size() >= 5) out[out.size() - 5] = 'D';
    const size_t dot = out.rfind('.');
    if (dot != std::string::npos) out.resize(dot);
    out += ".ADA";
}

void KindFlags(std::string_view path, uint32_t& flags) {
    const std::string_view name = FileNameOf(path);
    const char c0 = At(name, 0), c1 = At(name, 1), c2 = At(name, 2);
    if (c0 == 'A' || c0 == 'T' || c2 == 'T') flags |= kKindContinuous;
    if (c1 == 'M') flags |= kKindManual;
    if (c1 == 'G' && c0 != 'P') flags |= kKindImpact;
    if (c1 == 'G' && c0 == 'P') flags |= kKindParkingImpact;
    if (c0 == 'P' && c1 != 'G') flags |= kKindParking;
}

bool MatchesKindFilter(std::string_view name, const KindFilter& filter) {
    name = FileNameOf(name);
    const char c0 = At(name, 0), c1 = At(name, 1), c2 = At(name, 2);
    const bool normalClass = c0 == 'A' || c0 == 'T';
    const bool parkingClass = c0 == 'P';
    bool e = filter[kFilterContinuous] && normalClass;
    if (c1 == 'G' && normalClass) {
        e = filter[kFilterImpact];
        if (e) return true;
    }
    if (c1 == 'M') {
        e = filter[kFilterManual];
        if (e) return true;
    }
    bool d = filter[kFilterParking] && (c2 == 'T' || parkingClass);
    if (parkingClass && c1 == 'G') d = filter[kFilterParkingImpact];
    return e || d;
}

std::string TriggerLabel(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    if (name.size() < kRecordingNameLength) return "";
    const char c0 = name[0], c1 = name[1], c2 = name[2];
    auto label = [](int index) { return UiText(index); };
    auto pair = [](int first, int second) { return UiText(first) + "+" + UiText(second); };
    switch (c0) {
        case 'A':
            if (c1 == 'G') return label(164);
            if (c1 == 'M') return label(163);
            if (c1 == '_' && c2 == '_') return label(160);
            if (c1 == '_' && c2 == 'T') return label(168);
            return "";
        case 'P':
            if (c2 == 'O' || c2 == 'R' || c1 == 'M') return "";
            if (c1 == 'G' && c2 == 'T') return pair(168, 164);
            if (c1 == '_' && c2 == 'T') return label(168);
            if (c1 == 'G' && c2 == '_') return label(167);
            if (c1 == '_' && c2 == '_') return label(166);
            return "";
        case 'T':
            if (c1 == 'G') return pair(165, 164);
            if (c1 == 'M') return pair(165, 163);
            if (c1 == '_') return label(165);
            return "";
        default:
            return "";
    }
}

std::string ListDisplayName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    if (IsRecordingName(name)) {
        std::string display(name.substr(0, 4));
        display += '-';
        display += name.substr(12, 13);
        return display;
    }
    return std::string(name.substr(0, name.find('.')));
}

const Layout& LayoutAt(int index) {
    return kLayouts[index == 1 ? 1 : 0];
}

int CurrentLayout() {
    return g_currentLayout.load(std::memory_order_relaxed);
}

void SetCurrentLayout(int index) {
    g_currentLayout.store(index == 1 ? 1 : 0, std::memory_order_relaxed);
}

}  // namespace quorva
