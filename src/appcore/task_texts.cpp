#include "appcore/task_texts.h"

#include <array>

#include "appcore/ui_text.h"

namespace quorva {

const std::string& TaskTextOf(TaskText text) {
    static const std::array<std::array<std::string, 2>, 5> kTexts = {{
        {"GPSトラックをGPXファイルに出力（この録画）", "Export GPS track as GPX (this recording)"},
        {"GPSトラックをGPXファイルに出力（このグループ）", "Export GPS track as GPX (this group)"},
        {"GPSの位置情報がありません。", "The recordings hold no GPS positions."},
        {"GPXファイルが作成できません。", "The GPX file cannot be written."},
        {"削除できなかったファイル：", "Files that could not be deleted:"},
    }};
    const size_t index = static_cast<size_t>(text);
    return kTexts[index < kTexts.size() ? index : 0][LanguageSlot() == 1 ? 1 : 0];
}

}  // namespace quorva
