#include "map/json_holder.h"

#include "map/fixed_text.h"

namespace quorva {

void CJsonHolder::Set(const std::string& key, const std::string& value,
                      const std::string& separator) {
    entries_[key] = {value, separator};
}

std::optional<std::string> CJsonHolder::Value(const std::string& key) const {
    auto it = entries_.find(key);
    if (it == entries_.end()) return std::nullopt;
    return it->second.first;
}

std::string CJsonHolder::Write() const {
    std::string text = "{";
    for (const auto& [key, entry] : entries_) {
        text += '"';
        text += key;
        text += "\":\"";
        text += entry.first;
        text += '"';
        text += entry.second;
    }
    text += '}';
    return text;
}

void CJsonHolder::Read(const std::string& text) {
    int state = 0;
    std::string key;
    std::string value;
    auto store = [&](const char* separator) {
        entries_[key] = {value, separator};
        key.clear();
        value.clear();
    };
    for (char c : text) {
        switch (c) {
            case '{':
                state = 1;
                break;
            case '"':
                if (state == 1 || state == 2 || state == 4 || state == 5) ++state;
                break;
            case ':':
                if (state == 3) state = 4;
                break;
            case ',':
                if (state == 6) {
                    store(",");
                    state = 1;
                }
                break;
            case '}':
                if (state == 1) {
                    state = 0;
                } else if (state == 6) {
                    store("");
                    state = 0;
                }
                break;
            default:
                if (state == 2) key += c;
                if (state == 5) value += c;
                break;
        }
    }
}

std::string CJsonHolder::WriteUpdate(double latitude, double longitude, const std::string& status) {
    Clear();
    Set("val_command", "update", ",");
    Set("map_lat", FixedSix(latitude), ",");
    Set("map_lng", FixedSix(longitude), ",");
    Set("map_status", status, ",");
    Set("val_end", "", "");
    return Write();
}

}  // namespace quorva
