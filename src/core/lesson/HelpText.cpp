#include "HelpText.h"

#include "PenPalette.h"
#include "Text.h"

namespace core::HelpText {

namespace {

std::string numberKeys() { return "1〜" + Text::number(PenPalette::kPenCount) + " キー"; }

} // namespace

std::string title() { return "使い方"; }

std::vector<Line> lines()
{
    return {
        {"書く", "図の上をマウス・ペン・指でなぞる"},
        {"ペンの色", numberKeys() + "、色の帯をクリック、メニュー"},
        {"メニュー", "右クリック、長押し、Menu、Shift+F10"},
        {"元に戻す・やり直す", "Ctrl+Z・Ctrl+Y"},
        {"書き込みを消す", "「消去」ボタン（Ctrl+Z で戻せる）"},
        {"説明を表示", "F2"},
        {"おうぎ形を動かす", "Page Down・Page Up（Home で円に戻す）"},
        {"全画面表示", "F11（Esc で戻る）"},
        {"この使い方", "F1"},
    };
}

std::string closing() { return "どれかのキーを押すか、クリックすると閉じます"; }

std::string swatchTip()
{
    return "ペンの色：クリックで白・赤・青を切り替えます。" + numberKeys() +
           "とメニューの「ペンの色」ですべての色から選べます";
}

std::string clearTip() { return "このページの書き込みを消します（Ctrl+Z で元に戻せます）"; }

std::string startTip() { return "おうぎ形を並べ替えます。押すたびに一時停止・再開します（Page Down・Page Up でも動かせます）"; }

std::string firstStartHint()
{
    return "メニューは図の長押し・右クリック・「メニュー」ボタンで、使い方は F1 か「使い方」で開きます";
}

} // namespace core::HelpText
