#pragma once

#include <QString>

// The texts the notebook core shows its users: file errors, export errors and the command
// line. Callers fill %1, %2 with arg().
namespace NotebookMessages {

inline QString InvalidValue() {
    return QStringLiteral("プロパティ値が無効です");
}
inline QString ReadError() {
    return QStringLiteral("ストリームからの読み取りエラー");
}
inline QString WriteError() {
    return QStringLiteral("ストリームへの書き込みエラー");
}
// %1 the full path.
inline QString NotARegularFile() {
    return QStringLiteral("ファイル %1 は開けません。 通常のファイルではありません。 ");
}
// %1 the full path, %2 the system's reason.
inline QString CannotOpen() {
    return QStringLiteral("ファイル %1 は開けません。 %2 ");
}
// %1 the full path, %2 the system's reason.
inline QString CannotCreate() {
    return QStringLiteral("ファイル \"%1\" を作成できません。%2");
}
inline QString InvalidIndex() {
    return QStringLiteral("不正なインデックス");
}
// The heading of a snippet without a title in an exported page.
inline QString UntitledHeading() {
    return QStringLiteral("（無題）");
}

// The command line.
inline QString Usage() {
    return QStringLiteral(
        "使い方: marrowpad [オプション] [ノートブック.mrp]\n"
        "\n"
        "コードスニペットのノートブック Marrowpad を起動します。\n"
        "ノートブックを指定すると、起動時にそのファイルを開きます。\n"
        "\n"
        "オプション:\n");
}
inline QString HelpOption() {
    return QStringLiteral("この説明を表示します");
}
inline QString VersionOption() {
    return QStringLiteral("バージョンを表示します");
}
// %1 the unknown options, comma-separated.
inline QString UnknownOption() {
    return QStringLiteral("不明なオプションです: %1");
}
// %1 what went wrong.
inline QString CommandLineError() {
    return QStringLiteral("marrowpad: %1\n'marrowpad --help' で使い方を表示します。\n");
}

}  // namespace NotebookMessages
