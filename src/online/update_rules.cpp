#include "online/update_rules.h"

#include "appcore/ascii_text.h"
#include "appcore/ui_text.h"
#include "appcore/viewer_version.h"
#include "online/version_text.h"

namespace quorva {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The part after "http://" or "https://", or nothing for another scheme.
std::optional<std::string_view> WebAddressRest(std::string_view address) {
    for (std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithIgnoringCase(address, scheme)) return address.substr(scheme.size());
    }
    return std::nullopt;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int ItemNameText(UpdateItemKind kind) {
    switch (kind) {
        case UpdateItemKind::kFirmware:
            return 108;
        case UpdateItemKind::kViewer:
            return 110;
        case UpdateItemKind::kGpsData:
            return 111;
    }
    return 108;
}

// "%s:\r\n%s%s   →   %s%s\r\n\r\nURL : <a href=\"%s\">%s</a>"
std::string ItemBlock(const UpdateItem& item) {
    const std::string page = EscapeMarkup(item.page);
    std::string block = UiText(ItemNameText(item.kind));
    block += ":\r\n";
    block += UiText(107);
    block += EscapeMarkup(item.current);
    block += "   \u2192   ";
    block += UiText(109);
    block += EscapeMarkup(item.offered);
    block += "\r\n\r\nURL : <a href=\"";
    block += page;
    block += "\">";
    block += page;
    block += "</a>";
    return block;
}

}  // namespace

std::string UpdateServerBase(std::string_view setting) {
    std::string_view base = Trimmed(setting);
    const auto rest = WebAddressRest(base);
    if (!rest || rest->empty() || rest->front() == '/') return {};
    for (char c : base) {
        // One address, nothing that would end or split it.
        if (IsBlank(c) || static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '<' ||
            c == '>' || c == '?' || c == '#')
            return {};
    }
    while (!base.empty() && base.back() == '/')
        base.remove_suffix(1);
    return std::string(base);
}

std::string FetchedVersion(std::string_view text) {
    text = Trimmed(text);
    const size_t end = text.find_first_of("\r\n");
    if (end != std::string_view::npos) text = Trimmed(text.substr(0, end));
    return std::string(text);
}

std::string FirmwareForm(std::string_view version) {
    return VersionPrefix(version);
}

std::string GpsDataForm(std::string_view version) {
    return DateWithSlashes(version);
}

std::string ViewerForm(std::string_view version) {
    return std::string(version);
}

std::optional<std::vector<UpdateItem>> FindUpdates(const UpdateInputs& inputs,
                                                   const std::string& serverBase,
                                                   const UpdateTextFetch& fetch) {
    std::vector<UpdateItem> items;
    if (serverBase.empty() || !fetch) return items;
    auto fetched = [&](const UpdateServerFile& file) -> std::optional<std::string> {
        std::string text;
        if (!fetch(text, serverBase + std::string(file.versionPath), std::string(file.marker)))
            return std::nullopt;
        std::string version = FetchedVersion(text);
        if (version.empty()) return std::nullopt;  // a file without a version says nothing
        return version;
    };
    auto page = [&](const UpdateServerFile& file) {
        return serverBase + std::string(file.pagePath);
    };

    if (inputs.modelMarker == kModelMarker) {
        if (const auto text = fetched(kFirmwareFile); text && !inputs.firmware.empty()) {
            const std::string offered = FirmwareForm(*text);
            const std::string current = FirmwareForm(inputs.firmware);
            if (offered != current)
                items.push_back({UpdateItemKind::kFirmware, current, offered, page(kFirmwareFile)});
        }
    }
    if (const auto text = fetched(kViewerFile); text && *text != kViewerVersion) {
        items.push_back({UpdateItemKind::kViewer, ViewerForm(kViewerVersion), ViewerForm(*text),
                         page(kViewerFile)});
    }
    if (!inputs.gpsData.empty()) {
        const auto text = fetched(kGpsDataFile);
        if (!text) return std::nullopt;  // no notice at all, whatever was found before
        const std::string offered = GpsDataForm(*text);
        const std::string current = GpsDataForm(inputs.gpsData);
        if (offered != current)
            items.push_back({UpdateItemKind::kGpsData, current, offered, page(kGpsDataFile)});
    }
    return items;
}

std::string EscapeMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string BuildUpdateNotice(const std::vector<UpdateItem>& items) {
    if (items.empty()) return {};
    std::string notice = UiText(105);
    notice += "\r\n\r\n";
    notice += ItemBlock(items.front());
    if (items.size() == 1) return notice;
    for (size_t i = 1; i < items.size(); ++i) {
        notice += "\r\n\r\n\r\n";
        notice += ItemBlock(items[i]);
    }
    notice += "\r\n";
    return notice;
}

bool IsWebLink(std::string_view address) {
    const auto rest = WebAddressRest(address);
    if (!rest || rest->empty() || rest->front() == '/') return false;
    for (char c : address) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace quorva
