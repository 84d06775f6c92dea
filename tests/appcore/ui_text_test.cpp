#include "appcore/ui_text.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorva {
namespace {

TEST(UiTextTest, BothSlotsHoldTheSame174Texts) {
    ChooseLanguageSlotFor("ja_JP");
    ASSERT_EQ(LanguageSlot(), 0);
    std::vector<std::string> slot0;
    for (int i = 0; i < kUiTextCount; ++i)
        slot0.push_back(UiText(i));
    ChooseLanguageSlotFor("en_US");
    ASSERT_EQ(LanguageSlot(), 1);
    for (int i = 0; i < kUiTextCount; ++i) {
        EXPECT_EQ(UiText(i), slot0[i]) << i;
        EXPECT_EQ(UiText(i).empty(), i >= 174) << i;
    }
    EXPECT_EQ(UiText(-1), "");
    EXPECT_EQ(UiText(260), "");
}

TEST(UiTextTest, TextsStandAsQuoted) {
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
        EXPECT_EQ(UiText(index), text) << index;
}

TEST(UiTextTest, OnlyUsEnglishChoosesSlotOne) {
    const std::pair<const char*, int> cases[] = {
        {"en_US", 1},       {"en_US.UTF-8", 1}, {"en-US", 1}, {"en_US@euro", 1}, {"en_GB", 0},
        {"ja_JP.UTF-8", 0}, {"C", 0},           {"", 0},      {"en", 0},
    };
    for (const auto& [locale, slot] : cases) {
        ChooseLanguageSlotFor(locale);
        EXPECT_EQ(LanguageSlot(), slot) << locale;
    }
}

TEST(UiTextTest, SystemLocaleComesFromTheEnvironmentInCLibraryOrder) {
    setenv("LANG", "ja_JP.UTF-8", 1);
    setenv("LC_MESSAGES", "en_US.UTF-8", 1);
    unsetenv("LC_ALL");
    ChooseLanguageSlot();
    EXPECT_EQ(LanguageSlot(), 1);
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    ChooseLanguageSlot();
    EXPECT_EQ(LanguageSlot(), 0);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "en_US.UTF-8", 1);
    ChooseLanguageSlot();
    EXPECT_EQ(LanguageSlot(), 1);
}

}  // namespace
}  // namespace quorva
