#include "HelpText.h"

#include "PenPalette.h"
#include "Text.h"

namespace core::HelpText {

namespace {

std::string numberKeys() { return "1〜" + Text::number(PenPalette::kPenCount) + " キー"; }

} // namespace

std::string title() { return "使い方"; }

std::string closing() { return "どれかのキーを押すか、クリックすると閉じます"; }

std::string swatchTip()
{
    return "ペンの色：クリックで白・赤・青を切り替えます。" + numberKeys() +
           "とメニューの「ペンの色」ですべての色から選べます";
}

std::string clearTip() { return "このページの書き込みを消します（Ctrl+Z で元に戻せます）"; }

std::string startTip() { return "おうぎ形を並べ替えます。押すたびに一時停止・再開します（Page Down・Page Up でも動かせます）"; }
std::string nextTip() { return "分け方・式・答えを一つずつ見せます。最後のあとは図だけにもどります（Page Down・Page Up でも）"; }

std::string firstStartHint()
{
    return "メニューは図の長押し・右クリック・「メニュー」ボタンで、使い方は F1 か「使い方」で開きます";
}

} // namespace core::HelpText
