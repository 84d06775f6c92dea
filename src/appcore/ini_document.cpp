#include "appcore/ini_document.h"
#include "appcore/ascii_text.h"

namespace quorva {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

}  // namespace

IniDocument::Line IniDocument::Classify(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view t = Trim(line.text);
    if (t.empty() || t.front() == ';') return line;
    if (t.front() == '[') {
        std::string_view name = t.substr(1);
        const size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        line.isSection = true;
        line.section = std::string(Trim(name));
        return line;
    }
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return line;
    line.isKey = true;
    line.key = std::string(Trim(t.substr(0, eq)));
    return line;
}

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument doc;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.bom_ = true;
        text.remove_prefix(3);
    }
    const size_t firstNewline = text.find('\n');
    if (firstNewline != std::string_view::npos && firstNewline > 0 &&
        text[firstNewline - 1] == '\r')
        doc.lineEnd_ = "\r\n";
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        doc.lines_.push_back(Classify(std::string(raw)));
    }
    return doc;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const Line& line : lines_) {
        if (line.isSection) {
            inSection = EqualsIgnoringCase(line.section, section);
        } else if (inSection && line.isKey && EqualsIgnoringCase(line.key, key)) {
            std::string_view value =
                Trim(std::string_view(line.text).substr(line.text.find('=') + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(key) + "=" + std::string(value);
    size_t sectionLine = lines_.size();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].isSection && EqualsIgnoringCase(lines_[i].section, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine == lines_.size()) {
        lines_.push_back(Classify("[" + std::string(section) + "]"));
        lines_.push_back(Classify(std::move(text)));
        return;
    }
    size_t insertAt = sectionLine + 1;
    for (size_t i = sectionLine + 1; i < lines_.size() && !lines_[i].isSection; ++i) {
        if (lines_[i].isKey && EqualsIgnoringCase(lines_[i].key, key)) {
            lines_[i] = Classify(std::move(text));
            return;
        }
        if (!Trim(lines_[i].text).empty()) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Classify(std::move(text)));
}

std::string IniDocument::Serialize() const {
    std::string out = bom_ ? "\xEF\xBB\xBF" : "";
    for (const Line& line : lines_) {
        out += line.text;
        out += lineEnd_;
    }
    return out;
}

bool IsStorableIniName(std::string_view name) {
    const std::string_view t = Trim(name);
    if (t.empty() || t.size() != name.size() || t.front() == ';' || t.front() == '[') return false;
    return name.find_first_of("=[]\r\n") == std::string_view::npos;
}

bool IsStorableIniValue(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace quorva
