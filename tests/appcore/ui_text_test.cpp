#include "appcore/ui_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

namespace quorva {
namespace {

// The printf conversions of a text, in order ("%%" included).
std::vector<std::string> FormatSpecifiers(const std::string& text) {
    static const std::regex conversion(
        R"(%[-+ #0]*(\*|\d+)?(\.(\*|\d+))?(hh|h|ll|l|L|z|j|t)?[diouxXeEfgGaAcspn%])");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion);
         it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

size_t Count(const std::string& text, char c) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

TEST(UiTextTest, EveryEnglishTextPairsWithItsJapaneseText) {
    for (int i = 0; i < kUsedUiTexts; ++i) {
        const std::string& ja = UiTextIn(kJapaneseSlot, i);
        const std::string& en = UiTextIn(kEnglishSlot, i);
        ASSERT_FALSE(ja.empty()) << i;
        EXPECT_FALSE(en.empty()) << i;
        EXPECT_EQ(FormatSpecifiers(en), FormatSpecifiers(ja)) << i << ": " << en;
        // Callers split texts into lines and use CSV header cells as they stand.
        EXPECT_EQ(Count(en, '\n'), Count(ja, '\n')) << i << ": " << en;
        EXPECT_EQ(Count(en, '\r'), Count(ja, '\r')) << i << ": " << en;
        EXPECT_EQ(en.back() == ',', ja.back() == ',') << i << ": " << en;
    }
    for (int slot : {kJapaneseSlot, kEnglishSlot}) {
        for (int i = kUsedUiTexts; i < kUiTextCount; ++i)
            EXPECT_EQ(UiTextIn(slot, i), "") << slot << " " << i;
        EXPECT_EQ(UiTextIn(slot, -1), "");
        EXPECT_EQ(UiTextIn(slot, kUiTextCount), "");
    }
    EXPECT_EQ(UiTextIn(2, 0), "");
    EXPECT_EQ(UiTextIn(-1, 0), "");
    // The counter's one "%d" is the only placeholder of the table.
    EXPECT_EQ(FormatSpecifiers(UiTextIn(kEnglishSlot, 33)), std::vector<std::string>{"%d"});
}

TEST(UiTextTest, TextsAreReadThroughTheChosenSlot) {
    ChooseLanguageSlotFor("ja_JP.UTF-8");
    EXPECT_EQ(UiText(12), "再生");
    EXPECT_EQ(UiText(173), "拡大モードです\n\n拡大したい場所を\nクリックしてください");
    ChooseLanguageSlotFor("en_GB.UTF-8");
    EXPECT_EQ(UiText(12), "Play");
    EXPECT_EQ(UiText(33), "%d files");
    EXPECT_EQ(UiText(-1), "");
    EXPECT_EQ(UiText(260), "");
}

TEST(UiTextTest, JapaneseTextsStandAsQuoted) {
    const std::pair<int, const char*> cases[] = {
        {0, "閉じる"},
        {33, "%d個"},
        {65, "ドライブサポート　急加速"},
        {94, "動画ファイルの削除に失敗しました。"},
        {103, "表示数が1500を超えています。1500項目表示します。"},
        {105,
         "新しいバージョンのソフトを利用できます。\r\nダウンロードする場合は下記URLをクリックしてく"
         "ださい。"},
        {112, "メイリオ"},
        {160, "常時"},
        {163, "マニュアル"},
        {164, "衝撃"},
        {165, "常時タイムラプス"},
        {166, "駐車"},
        {167, "駐車衝撃"},
        {168, "駐車タイムラプス"},
        {172, "ファイルサムネイル非表示"},
        {173, "拡大モードです\n\n拡大したい場所を\nクリックしてください"},
    };
    for (const auto& [index, text] : cases)
        EXPECT_EQ(UiTextIn(kJapaneseSlot, index), text) << index;
}

TEST(UiTextTest, JapaneseLocalesChooseSlotZeroAndAllOthersSlotOne) {
    const std::pair<const char*, int> cases[] = {
        {"ja", 0},         {"ja_JP", 0},       {"ja_JP.UTF-8", 0}, {"ja-JP", 0},
        {"ja_JP@euro", 0}, {"JA_jp.eucJP", 0}, {"en_US", 1},       {"en_US.UTF-8", 1},
        {"en_GB", 1},      {"de_DE.UTF-8", 1}, {"C", 1},           {"POSIX", 1},
        {"", 1},           {"jav_ID", 1},      {"ka_GE", 1},
    };
    for (const auto& [locale, slot] : cases)
        EXPECT_EQ(LanguageSlotFor(locale), slot) << locale;
}

TEST(UiTextTest, TheLanguageSettingOverridesTheLocale) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"en_US.UTF-8", "ja", 0},  {"C", "ja", 0},         {"ja_JP.UTF-8", "en", 1},
        {"ja_JP.UTF-8", "EN ", 1}, {"ja_JP.UTF-8", "", 0}, {"ja_JP.UTF-8", "fr", 0},
        {"de_DE", "japanese", 1},
    };
    for (const auto& [locale, preference, slot] : cases)
        EXPECT_EQ(LanguageSlotFor(locale, preference), slot) << locale << " / " << preference;
    ChooseLanguageSlotFor("en_US", "ja");
    EXPECT_EQ(LanguageSlot(), kJapaneseSlot);
    ChooseLanguageSlotFor("ja_JP", "en");
    EXPECT_EQ(LanguageSlot(), kEnglishSlot);
}

TEST(UiTextTest, UserLocaleComesFromTheEnvironmentInCLibraryOrder) {
    setenv("LANG", "en_US.UTF-8", 1);
    setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
    unsetenv("LC_ALL");
    EXPECT_EQ(UserLocaleName(), "ja_JP.UTF-8");
    ChooseLanguageSlot();
    EXPECT_EQ(LanguageSlot(), kJapaneseSlot);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    ChooseLanguageSlot();
    EXPECT_EQ(LanguageSlot(), kEnglishSlot);
    ChooseLanguageSlot("ja");
    EXPECT_EQ(LanguageSlot(), kJapaneseSlot);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
    EXPECT_EQ(UserLocaleName(), "");
    ChooseLanguageSlot();
    EXPECT_EQ(LanguageSlot(), kEnglishSlot);
}

}  // namespace
}  // namespace quorva
