// The rules of the short text fetch and of the map service probe, without the network.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorva {

// At most this many characters of a fetched text are kept.
inline constexpr size_t kFetchTextLimit = 259;
// The marker is looked for in the first chunk of this many bytes only.
inline constexpr size_t kFetchChunk = 1024;

// The text handed back for a downloaded body: without a marker, the body; with one, what
// follows the marker's first occurrence in the first chunk, up to the end of that chunk
// (nothing when the chunk lacks it). Either is cut at kFetchTextLimit characters.
std::optional<std::string> FetchedText(std::string_view body, std::string_view marker);

// The address the probe asks: the tile of zoom 0 (x 0, y 0) of a "{z}/{x}/{y}" template, or
// nothing when the template is not an http(s) address with all three fields.
std::optional<std::string> TileProbeUrl(std::string_view tileTemplate);

// The address of tile (z, x, y) of a template ("{s}" becomes "a").
std::string TileUrl(std::string_view tileTemplate, int z, int x, int y);

}  // namespace quorva
