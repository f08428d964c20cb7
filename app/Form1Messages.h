#pragma once

#include <QString>

// The texts the main window shows its users: prompts, errors and status-bar texts. Menu and
// toolbar captions live with the window's action table. Callers fill %1, %2 with arg().
namespace Form1Messages {

inline QString SaveChangesPrompt() {
    return QStringLiteral("変更があります保存しますか？");
}
// Appended to a read error when snippets before the damage were kept: %1 how many, %2 the
// name they are shown under.
inline QString RescuedSnippets() {
    return QStringLiteral(
        "\n\n壊れた箇所より前の %1 個のスニペットを「%2」として"
        "表示しています。元のファイルには保存しません。"
        "「名前を付けてファイル保存」で保存してください。");
}
inline QString RescuedNotOverwritten() {
    return QStringLiteral(
        "壊れたファイルから読み取ったノートは上書き保存できません。"
        "「名前を付けてファイル保存」で名前を付けて保存してください。");
}
inline QString NotFound() {
    return QStringLiteral("見つかりませんでした");
}
// %1 the replacement text.
inline QString ReplacePrompt() {
    return QStringLiteral("%1に置換しますか？");
}
// %1 the style's name.
inline QString StyleNotFound() {
    return QStringLiteral("スタイル '%1' が見つかりません");
}
// %1 the snippet's title.
inline QString DeletePrompt() {
    return QStringLiteral("%1を削除しますか？");
}
inline QString NewSnippetTitle() {
    return QStringLiteral("新規項目");
}
// The full-text search panel: %1 the number of hits shown.
inline QString HitsTruncated() {
    return QStringLiteral("最初の %1 件だけを表示しています");
}
// %1 hits, %2 snippets.
inline QString HitCount() {
    return QStringLiteral("%1 件 / %2 スニペット");
}

}  // namespace Form1Messages
