// The recording list's rules: which catalogue entries become rows under the five kind
// filters, the orders of a header click, the colours of a row, the recording count text and
// the header's grey gradient.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "browser/browser_rect.h"
#include "recordings/recording_entry.h"
#include "recordings/recording_name.h"

namespace quorva {

struct RgbColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// All five kinds shown: the filters a browser starts with.
constexpr KindFilter kAllKindsShown = {true, true, true, true, true};

// The catalogue entries whose names pass the filter, in catalogue order.
std::vector<RecordingEntry> FilterRows(const std::vector<RecordingEntry>& catalogue,
                                       const KindFilter& filter);

// Sorts the rows for a click on header column c: column 1 by class character (A, P, T, _),
// keeping the order of rows of one class; any other column leaves the order as it is.
void SortRowsByColumn(std::vector<RecordingEntry>& rows, int column);

// An impact recording: 'G' at position 1 of the name and 'A', 'T' or 'P' at position 0.
bool IsImpactRow(std::string_view path);

// Background of a row: the current recording's row is grey (blue-grey for an impact
// recording), any other row white (light cyan for an impact recording).
RgbColour RowBackground(bool impact, bool current);
// The frame line around every row.
constexpr RgbColour kRowFrame{136, 136, 136};
constexpr RgbColour kRowText{0, 0, 0};

// "%d個" (UI text 33) with the number of rows.
std::string RecordingCountText(int rows);

// The header's gradient: bands from the bottom up, each with one grey level, dark at the
// bottom and light at the top. top is measured from the item's top edge.
struct HeaderBand {
    int top = 0;
    int height = 0;
    int grey = 0;
};
std::vector<HeaderBand> HeaderGradientBands(int itemHeight);
constexpr RgbColour kHeaderFrame{170, 170, 170};
constexpr RgbColour kHeaderRest{204, 204, 204};  // right of the last header item

// Where the hover preview's popup goes for a hovered row (all in screen pixels): its right
// edge at the list's left edge, centred on the row, and never reaching below the list.
BoxRect PreviewPopupRect(const BoxRect& list, const BoxRect& row, int width, int height);

}  // namespace quorva
