// mrp: reads and writes notebook files from the command line.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <limits>

#include "app/Notebook.h"
#include "app/NotebookFile.h"
#include "app/NotebookTextExport.h"
#include "platform/Errors.h"
#include "tools/mrp/Grep.h"
#include "tools/mrp/HtmlExport.h"
#include "tools/mrp/TokenDump.h"

#ifndef MARROWPAD_VERSION
#define MARROWPAD_VERSION "unknown"
#endif

namespace {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

const char* const kUsageText =
    "使い方: mrp COMMAND ...\n"
    "\n"
    "  mrp dump FILE             ノートブック FILE をJSONで標準出力に書き出します\n"
    "  mrp dump --salvage FILE   壊れた FILE から読み取れたスニペットだけを書き出します\n"
    "  mrp create JSON OUT       JSONファイル JSON (- は標準入力) からノートブック OUT を作ります\n"
    "  mrp export-text FILE OUT  ノートブック FILE の全テキストを OUT に書き出します (UTF-8)\n"
    "  mrp tokens --lang N FILE  テキスト FILE のトークンを言語 N (1-7) でJSONに書き出します\n"
    "  mrp grep [-i] [-w] [-E] PATTERN FILE\n"
    "                            ノートブック FILE の全テキストを検索し、見つかった行を\n"
    "                            「タイトル › …:行:桁: 行の内容」の形で書き出します\n"
    "                            (-i 大文字と小文字を区別しない, -w 単語単位, -E 正規表現)\n"
    "  mrp html --lang N [--clipboard] FILE\n"
    "                            テキスト FILE 全体を言語 N (0-7) で色付けしたHTMLを書き出します\n"
    "                            (--clipboard ではクリップボードの形式で説明部も含めます)\n"
    "  mrp export-html [--lang N] FILE OUT\n"
    "                            ノートブック FILE を1ページのHTML OUT に書き出します\n"
    "  mrp --help                この説明を表示します\n"
    "  mrp --version             バージョンを表示します\n"
    "\n"
    "JSONはスニペットを木の順に並べた配列です:\n"
    "  [{\"level\": 0, \"title\": \"…\", \"icon\": 1, \"text\": \"…\"}, …]\n"
    "level は祖先の数です。直前より深い level は直前のスニペットの子になります。\n";

// A failure of the tool itself (arguments, JSON), as opposed to one raised by the notebook code.
struct TToolError {
    QString message;
    int exitCode;
};

void PrintTo(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

[[noreturn]] void Fail(const QString& message, int exitCode = kFailed) {
    throw TToolError{message, exitCode};
}

void RequireArguments(const QStringList& args, int count, const char* usage) {
    if (args.size() - 2 < count)
        Fail(QStringLiteral("引数が足りません。使い方: mrp %1").arg(QString::fromUtf8(usage)),
             kUsage);
    if (args.size() - 2 > count)
        Fail(QStringLiteral("引数が多すぎます。使い方: mrp %1").arg(QString::fromUtf8(usage)),
             kUsage);
}

QJsonArray NotebookToJson(const TNotebook& notebook) {
    QJsonArray array;
    int level = 0;
    TNotebookNode* node = notebook.First();
    while (node) {
        QJsonObject item;
        item.insert(QStringLiteral("level"), level);
        item.insert(QStringLiteral("title"), node->Title());
        item.insert(QStringLiteral("icon"), static_cast<qint64>(node->ImageIndex()));
        item.insert(QStringLiteral("text"), node->Data() ? node->Data()->text : QString());
        array.append(item);
        node = node->GetNext(level);
    }
    return array;
}

int RunDump(QStringList args) {
    // With --salvage, a damaged notebook still gives what was read before the damage; the
    // failure is reported all the same, and the exit code says the file is not whole.
    const bool salvage = args.size() > 2 && args[2] == QLatin1String("--salvage");
    if (salvage) args.removeAt(2);
    RequireArguments(args, 1, salvage ? "dump --salvage FILE" : "dump FILE");
    TNotebook notebook;
    QString damage;
    try {
        LoadNotebook(notebook, args[2], salvage ? TReadFailure::rfKeepRead : TReadFailure::rfClear);
    } catch (const EReadError& e) {
        if (!salvage) throw;
        damage = e.Message();
    }
    const QByteArray json = QJsonDocument(NotebookToJson(notebook)).toJson(QJsonDocument::Indented);
    if (std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout) !=
            static_cast<size_t>(json.size()) ||
        std::fflush(stdout) != 0)
        Fail(QStringLiteral("標準出力に書き込めません。"));
    if (!damage.isEmpty()) throw EReadError(damage);
    return kOk;
}

QByteArray ReadInput(const QString& path) {
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) Fail(QStringLiteral("標準入力を読めません。"));
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            Fail(QStringLiteral("ファイル %1 は開けません。 %2 ")
                     .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    }
    return file.readAll();
}

int32_t IntegerField(const QJsonObject& item, const QString& key, qsizetype index) {
    const QJsonValue value = item.value(key);
    const double d = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::trunc(d) != d || d < std::numeric_limits<int32_t>::min() ||
        d > std::numeric_limits<int32_t>::max())
        Fail(QStringLiteral("%1 番目の要素の \"%2\" は32ビットの整数でなければなりません。")
                 .arg(index + 1)
                 .arg(key));
    return static_cast<int32_t>(d);
}

QString StringField(const QJsonObject& item, const QString& key, qsizetype index) {
    const QJsonValue value = item.value(key);
    if (!value.isString())
        Fail(QStringLiteral("%1 番目の要素の \"%2\" は文字列でなければなりません。")
                 .arg(index + 1)
                 .arg(key));
    return value.toString();
}

void JsonToNotebook(const QJsonDocument& document, TNotebook& notebook) {
    if (!document.isArray())
        Fail(QStringLiteral("JSONの最上位はスニペットの配列でなければなりません。"));
    const QJsonArray array = document.array();
    static const QStringList kKeys = {QStringLiteral("level"), QStringLiteral("title"),
                                      QStringLiteral("icon"), QStringLiteral("text")};
    TLevelPlacer placer(notebook);
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!array[i].isObject())
            Fail(QStringLiteral("%1 番目の要素がオブジェクトではありません。").arg(i + 1));
        const QJsonObject item = array[i].toObject();
        for (const QString& key : item.keys()) {
            // A misspelt key would otherwise drop its value without a word.
            if (!kKeys.contains(key))
                Fail(QStringLiteral("%1 番目の要素に不明なキー \"%2\" があります。")
                         .arg(i + 1)
                         .arg(key));
        }
        for (const QString& key : kKeys) {
            if (!item.contains(key))
                Fail(QStringLiteral("%1 番目の要素にキー \"%2\" がありません。")
                         .arg(i + 1)
                         .arg(key));
        }
        const int32_t level = IntegerField(item, kKeys[0], i);
        const QString title = StringField(item, kKeys[1], i);
        const int32_t icon = IntegerField(item, kKeys[2], i);
        auto data = std::make_unique<TStext>();
        data->text = StringField(item, kKeys[3], i);
        placer.Place(level, title, icon, std::move(data));
    }
}

int RunCreate(const QStringList& args) {
    RequireArguments(args, 2, "create JSON OUT");
    const QByteArray input = ReadInput(args[2]);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(input, &error);
    if (error.error != QJsonParseError::NoError)
        Fail(QStringLiteral("JSONが正しくありません (%1 バイト目): %2")
                 .arg(error.offset)
                 .arg(error.errorString()));
    TNotebook notebook;
    JsonToNotebook(document, notebook);
    SaveNotebook(notebook, args[3]);
    return kOk;
}

int RunExportText(const QStringList& args) {
    RequireArguments(args, 2, "export-text FILE OUT");
    TNotebook notebook;
    LoadNotebook(notebook, args[2]);
    ExportNotebookText(notebook, args[3]);
    return kOk;
}

int Run(const QStringList& args) {
    if (args.size() < 2) {
        PrintTo(stderr, QString::fromUtf8(kUsageText));
        return kUsage;
    }
    const QString& command = args[1];
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        PrintTo(stdout, QString::fromUtf8(kUsageText));
        return kOk;
    }
    if (command == QLatin1String("--version")) {
        PrintTo(stdout, QStringLiteral("mrp %1\n").arg(QLatin1String(MARROWPAD_VERSION)));
        return kOk;
    }
    if (command == QLatin1String("dump")) return RunDump(args);
    if (command == QLatin1String("create")) return RunCreate(args);
    if (command == QLatin1String("export-text")) return RunExportText(args);
    if (command == QLatin1String("tokens")) return mrp::RunTokens(args);
    if (command == QLatin1String("grep")) return mrp::RunGrep(args);
    if (command == QLatin1String("html")) return mrp::RunHtml(args);
    if (command == QLatin1String("export-html")) return mrp::RunExportHtml(args);
    Fail(QStringLiteral("不明なコマンドです: %1\n'mrp --help' で使い方を表示します。").arg(command),
         kUsage);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return Run(QCoreApplication::arguments());
    } catch (const TToolError& e) {
        PrintTo(stderr, QStringLiteral("mrp: %1\n").arg(e.message.trimmed()));
        return e.exitCode;
    } catch (const EMarrowpadError& e) {
        // The notebook code's own message, exactly as the window would show it.
        PrintTo(stderr, e.Message() + QLatin1Char('\n'));
        return kFailed;
    }
}
