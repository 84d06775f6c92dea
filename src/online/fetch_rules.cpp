#include "online/fetch_rules.h"

namespace quorva {

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

// Cut at the limit without splitting a UTF-8 sequence.
std::string Limited(std::string_view text) {
    if (text.size() <= kFetchTextLimit) return std::string(text);
    size_t end = kFetchTextLimit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

}  // namespace

std::optional<std::string> FetchedText(std::string_view body, std::string_view marker) {
    if (marker.empty()) return Limited(body);
    const std::string_view chunk = body.substr(0, kFetchChunk);
    const size_t at = chunk.find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    return Limited(chunk.substr(at + marker.size()));
}

std::optional<std::string> TileProbeUrl(std::string_view tileTemplate) {
    const bool http =
        tileTemplate.rfind("http://", 0) == 0 || tileTemplate.rfind("https://", 0) == 0;
    if (!http) return std::nullopt;
    for (std::string_view field : {"{z}", "{x}", "{y}"}) {
        if (tileTemplate.find(field) == std::string_view::npos) return std::nullopt;
    }
    return TileUrl(tileTemplate, 0, 0, 0);
}

std::string TileUrl(std::string_view tileTemplate, int z, int x, int y) {
    std::string url(tileTemplate);
    ReplaceAll(url, "{z}", std::to_string(z));
    ReplaceAll(url, "{x}", std::to_string(x));
    ReplaceAll(url, "{y}", std::to_string(y));
    ReplaceAll(url, "{s}", "a");
    return url;
}

}  // namespace quorva
