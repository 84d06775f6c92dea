#include "appcore/ui_text.h"

#include <array>
#include <atomic>
#include <cstdlib>

#include "appcore/ui_text_english.h"

namespace quorva {

namespace {

// The Japanese slot: every user-visible text, by index.
constexpr const char* kTexts[kUsedUiTexts] = {
    /*   0 */ "閉じる",
    /*   1 */ "動画保存（連結）",
    /*   2 */ "CSV",
    /*   3 */ "削除",
    /*   4 */ "早送り",
    /*   5 */ "回転 180°",
    /*   6 */ "コマ送り",
    /*   7 */ "大",
    /*   8 */ "中",
    /*   9 */ "次",
    /*  10 */ "参照",
    /*  11 */ "一時停止",
    /*  12 */ "再生",
    /*  13 */ "前",
    /*  14 */ "ビデオリペア",
    /*  15 */ "セーブ",
    /*  16 */ "設定",
    /*  17 */ "スロー",
    /*  18 */ "小",
    /*  19 */ "静止画",
    /*  20 */ "先頭",
    /*  21 */ "拡大",
    /*  22 */ "緊急",
    /*  23 */ "ファイルNo.",
    /*  24 */ "衝撃",
    /*  25 */ "衝撃＋マニュアル",
    /*  26 */ "マニュアル",
    /*  27 */ "録画トリガー",
    /*  28 */ "データサイズ",
    /*  29 */ "日付,",
    /*  30 */ "ファイル名,",
    /*  31 */ "ファイルNo.,",
    /*  32 */ "フレームレート,",
    /*  33 */ "%d個",
    /*  34 */ "画質,",
    /*  35 */ "録画サイズ,",
    /*  36 */ "録画時間,",
    /*  37 */ "開始時刻,",
    /*  38 */ "録画トリガー,",
    /*  39 */ "バックアップ",
    /*  40 */ "動画保存（連結）",
    /*  41 */ "次へ",
    /*  42 */ "日付",
    /*  43 */ "削除",
    /*  44 */ "完了しました。",
    /*  45 */ "終了",
    /*  46 */ "ファイル名",
    /*  47 */ "ファイルサイズ",
    /*  48 */ "ID",
    /*  49 */ "保存",
    /*  50 */ "全選択",
    /*  51 */ "表示された全てを選択",
    /*  52 */ "全てのファイルを表示",
    /*  53 */ "終了時刻",
    /*  54 */ "開始時刻",
    /*  55 */ "高画質",
    /*  56 */ "低画質",
    /*  57 */ "再生速度x1.0",
    /*  58 */ "再生速度x2.0",
    /*  59 */ "再生速度x4.0",
    /*  60 */ "再生速度x0.5",
    /*  61 */ "再生速度x0.25",
    /*  62 */ "前後(X軸)",
    /*  63 */ "左右(Y軸)",
    /*  64 */ "上下(Z軸)",
    /*  65 */ "ドライブサポート　急加速",
    /*  66 */ "ドライブサポート　急ブレーキ",
    /*  67 */ "ドライブサポート　急ハンドル",
    /*  68 */ "位置",
    /*  69 */ "急加速",
    /*  70 */ "急ブレーキ",
    /*  71 */ "急下降",
    /*  72 */ "急ハンドル",
    /*  73 */ "急上昇",
    /*  74 */ "マニュアル録画",
    /*  75 */ "緊急録画停止",
    /*  76 */ "駐車監視",
    /*  77 */ "速度超過",
    /*  78 */ "閉じる",
    /*  79 */ "早送り",
    /*  80 */ "コマ送り",
    /*  81 */ "参照",
    /*  82 */ "一時停止",
    /*  83 */ "再生",
    /*  84 */ "設定",
    /*  85 */ "スロー",
    /*  86 */ "静止画",
    /*  87 */ "停止",
    /*  88 */ "フルスクリーン（縦横比を維持）",
    /*  89 */ "フルスクリーン（ストレッチ）",
    /*  90 */ "同名のファイルが存在します。続行しますか？",
    /*  91 */ "動画ファイルの保存に失敗しました。",
    /*  92 */ "動画の連結に失敗しました。",
    /*  93 */ "CSVファイルが作成できません。",
    /*  94 */ "動画ファイルの削除に失敗しました。",
    /*  95 */ "フォルダパスの取得に失敗しました。",
    /*  96 */ "動画のオープンに失敗しました。",
    /*  97 */ "録画時間が短いため再生できません。",
    /*  98 */ "画像の保存に失敗しました。",
    /*  99 */ "動画ファイルがありません。",
    /* 100 */ "バックアップフォルダーを選択してください。",
    /* 101 */ "出力先フォルダーを選択してください。",
    /* 102 */ "動画フォルダーを選択してください。",
    /* 103 */ "表示数が1500を超えています。1500項目表示します。",
    /* 104 */ "確認",
    /* 105 */
    "新しいバージョンのソフトを利用できます。\r\nダウンロードする場合は下記URLをクリックしてくださ"
    "い。",
    /* 106 */ "更新情報",
    /* 107 */ "現在のバージョン：",
    /* 108 */ "ドライブレコーダー本体",
    /* 109 */ "更新バージョン：",
    /* 110 */ "ビューワーソフト",
    /* 111 */ "GPSデータ情報",
    /* 112 */ "メイリオ",
    /* 113 */ "コーデックとスプリッターをインストールしてください。",
    /* 114 */ "適用",
    /* 115 */ "ドライブサポート",
    /* 116 */ "SDカードの初期化",
    /* 117 */ "パスワード設定",
    /* 118 */ "新しいパスワード確認:",
    /* 119 */ "現在のパスワード:",
    /* 120 */ "新しいパスワード:",
    /* 121 */ "SDカードの設定",
    /* 122 */ "ドライブ選択:",
    /* 123 */ "設定",
    /* 124 */ "緊急録画停止",
    /* 125 */ "駐車監視衝撃",
    /* 126 */ "ファームウェアの更新",
    /* 127 */ "バージョン情報",
    /* 128 */ "加速度グラフ/マップアイコン表示設定",
    /* 129 */ "速度超過",
    /* 130 */ "ファイル",
    /* 131 */ "フォルダー",
    /* 132 */ "参照先",
    /* 133 */ "SDカード",
    /* 134 */ "実行中...",
    /* 135 */ "お待ちください...",
    /* 136 */ "最小化",
    /* 137 */ "マップに戻る",
    /* 138 */ "サイズオーバーです。",
    /* 139 */ "車両情報",
    /* 140 */ "ファイル数を減らしてください。",
    /* 141 */ "オービス",
    /* 142 */ "レーダー",
    /* 143 */ "自動速度取締機",
    /* 144 */ "レーダー波警報",
    /* 145 */ "メインカメラ",
    /* 146 */ "サブカメラ",
    /* 147 */ "表示切替",
    /* 148 */ "メインカメラデータサイズ,",
    /* 149 */ "サブカメラデータサイズ",
    /* 150 */ "マップ表示切替",
    /* 151 */ "マップ",
    /* 152 */ "常時",
    /* 153 */ "速度取締機",
    /* 154 */ "レーダー",
    /* 155 */ "マニュアル",
    /* 156 */ "衝撃",
    /* 157 */ "駐車",
    /* 158 */ "駐車衝撃",
    /* 159 */ "タイムラプス",
    /* 160 */ "常時",
    /* 161 */ "オービス",
    /* 162 */ "レーダー",
    /* 163 */ "マニュアル",
    /* 164 */ "衝撃",
    /* 165 */ "常時タイムラプス",
    /* 166 */ "駐車",
    /* 167 */ "駐車衝撃",
    /* 168 */ "駐車タイムラプス",
    /* 169 */ "拡大",
    /* 170 */ "縮小",
    /* 171 */ "ファイルサムネイル表示",
    /* 172 */ "ファイルサムネイル非表示",
    /* 173 */ "拡大モードです\n\n拡大したい場所を\nクリックしてください",
    /* 174 */ "フルスクリーンを終了",
};

using Slot = std::array<std::string, kUiTextCount>;

const std::array<Slot, 2>& Table() {
    static const std::array<Slot, 2> table = [] {
        std::array<Slot, 2> t;
        for (int i = 0; i < kUsedUiTexts; ++i) {
            t[kJapaneseSlot][i] = kTexts[i];
            t[kEnglishSlot][i] = kEnglishUiTexts[i];
        }
        return t;
    }();
    return table;
}

std::atomic<int> g_slot{kJapaneseSlot};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

const std::string& UiTextIn(int slot, int index) {
    static const std::string empty;
    if (slot < 0 || slot > 1 || index < 0 || index >= kUiTextCount) return empty;
    return Table()[static_cast<size_t>(slot)][static_cast<size_t>(index)];
}

const std::string& UiText(int index) {
    return UiTextIn(g_slot.load(std::memory_order_relaxed), index);
}

int LanguageSlotFor(std::string_view localeName, std::string_view preference) {
    const std::string wanted = Lower(Trimmed(preference));
    if (wanted == "ja") return kJapaneseSlot;
    if (wanted == "en") return kEnglishSlot;
    // "ja", "ja_JP", "ja_JP.UTF-8", "ja_JP@euro" and "ja-JP" name Japanese; so does no other.
    const std::string language = Lower(localeName.substr(0, localeName.find_first_of("_-.@")));
    return language == "ja" ? kJapaneseSlot : kEnglishSlot;
}

std::string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "";
}

void ChooseLanguageSlotFor(std::string_view localeName, std::string_view preference) {
    g_slot.store(LanguageSlotFor(localeName, preference), std::memory_order_relaxed);
}

void ChooseLanguageSlot(std::string_view preference) {
    ChooseLanguageSlotFor(UserLocaleName(), preference);
}

int LanguageSlot() {
    return g_slot.load(std::memory_order_relaxed);
}

}  // namespace quorva
