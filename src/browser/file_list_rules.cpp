#include "browser/file_list_rules.h"

#include <algorithm>

#include "appcore/ui_text.h"

namespace quorva {

std::vector<RecordingEntry> FilterRows(const std::vector<RecordingEntry>& catalogue,
                                       const KindFilter& filter) {
    std::vector<RecordingEntry> rows;
    rows.reserve(catalogue.size());
    for (const RecordingEntry& e : catalogue)
        if (MatchesKindFilter(e.path, filter)) rows.push_back(e);
    return rows;
}

void SortRowsByColumn(std::vector<RecordingEntry>& rows, int column) {
    std::stable_sort(rows.begin(), rows.end(),
                     [column](const RecordingEntry& a, const RecordingEntry& b) {
                         return ListColumnLess(column, a, b);
                     });
}

bool IsImpactRow(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    if (name.size() < 2 || name[1] != 'G') return false;
    return name[0] == 'A' || name[0] == 'T' || name[0] == 'P';
}

RgbColour RowBackground(bool impact, bool current) {
    if (current) return impact ? RgbColour{142, 178, 178} : RgbColour{178, 178, 178};
    return impact ? RgbColour{204, 255, 255} : RgbColour{255, 255, 255};
}

std::string RecordingCountText(int rows) {
    // The table's text is a pattern with one "%d"; it is filled in by hand, never handed to
    // a formatting function.
    std::string text = UiText(33);
    const std::string number = std::to_string(rows);
    const size_t at = text.find("%d");
    if (at == std::string::npos) return number + text;
    text.replace(at, 2, number);
    return text;
}

std::vector<HeaderBand> HeaderGradientBands(int itemHeight) {
    std::vector<HeaderBand> bands;
    if (itemHeight <= 0) return bands;
    const int h = itemHeight;
    const int b = h >= 510 ? h / 255 : 1;
    for (int d = b; d - b < h; d += b) {
        HeaderBand band;
        band.top = std::max(0, h - d);
        band.height = (h - d + b) - band.top;
        band.grey = std::min(d, h) * 141 / h + 63;
        if (band.height > 0) bands.push_back(band);
    }
    return bands;
}

BoxRect PreviewPopupRect(const BoxRect& list, const BoxRect& row, int width, int height) {
    BoxRect popup{list.x - width, row.y + row.height / 2 - height / 2, width, height};
    if (popup.Bottom() > list.Bottom()) popup.y = list.Bottom() - height;
    return popup;
}

}  // namespace quorva
