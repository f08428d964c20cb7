// codeedit-run: runs editor commands on a text without a window and prints the result as JSON.
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

#include "editor/CodeEditModel.h"
#include "platform/CodePage.h"
#include "platform/Errors.h"

namespace {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

const char* const kUsageText =
    "使い方: codeedit-run [--text STRING | --text-file F] [--tabwidth N]\n"
    "                    [--mode normal|column|line] [--overwrite] [--readonly]\n"
    "                    [--option eoName=on|off]... -- STEP...\n"
    "\n"
    "STEP は次のいずれかです:\n"
    "  ecName[:ARG]              名前表のコマンド (ecChar:x, ecImeStr:text, ecString:text,\n"
    "                            ecGotoXY:char,line, ecSelGotoXY:char,line)\n"
    "  key:Ctrl+Shift+Left       キー割り当て表を通したキー操作 (2キーの組み合わせも可)\n"
    "  caret:char,line           キャレットの移動\n"
    "  select:char,line,char,line  選択範囲の設定\n"
    "  paste:MODE:TEXT           TEXT を MODE (normal, line, column) "
    "でクリップボードに置いて貼り付け\n"
    "  replace:OPTIONS:FIND:REPLACE  SearchReplace (OPTIONS は sso 名のカンマ区切り; FIND に : "
    "は使えません)\n"
    "\n"
    "結果を1つのJSONオブジェクトとして標準出力に書き出します。\n";

struct TToolError {
    QString message;
    int exitCode;
};

[[noreturn]] void Fail(const QString& message, int exitCode = kUsage) {
    throw TToolError{message, exitCode};
}

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int ParseInt(const QString& text, const QString& what) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) Fail(QStringLiteral("%1 が整数ではありません: %2").arg(what, text));
    return value;
}

QList<int> ParseInts(const QString& text, int count, const QString& step) {
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        Fail(QStringLiteral("数値が %1 個必要です: %2").arg(count).arg(step));
    QList<int> values;
    for (const QString& p : parts)
        values.append(ParseInt(p, step));
    return values;
}

TSelectionMode ParseMode(const QString& name, const QString& context) {
    if (name == u"normal") return smNormal;
    if (name == u"column") return smColumn;
    if (name == u"line") return smLine;
    Fail(QStringLiteral("選択モードは normal, column, line のいずれかです: %1").arg(context));
}

QString ModeName(TSelectionMode mode) {
    switch (mode) {
        case smColumn:
            return QStringLiteral("column");
        case smLine:
            return QStringLiteral("line");
        case smNormal:
            break;
    }
    return QStringLiteral("normal");
}

TCodeEditorOption ParseOption(const QString& name) {
    for (int bit = 0; bit < kCodeEditorOptionCount; ++bit)
        if (name == QLatin1String(CodeEditorOptionName(bit)))
            return static_cast<TCodeEditorOption>(1u << bit);
    Fail(QStringLiteral("不明なオプションです: %1").arg(name));
}

TSearchOptions ParseSearchOptions(const QString& list, const QString& step) {
    static const std::pair<const char*, TSearchOption> names[] = {
        {"ssoMatchCase", ssoMatchCase},       {"ssoWholeWord", ssoWholeWord},
        {"ssoBackwards", ssoBackwards},       {"ssoEntireScope", ssoEntireScope},
        {"ssoSelectedOnly", ssoSelectedOnly}, {"ssoReplace", ssoReplace},
        {"ssoReplaceAll", ssoReplaceAll},     {"ssoPrompt", ssoPrompt}};
    TSearchOptions options;
    for (const QString& part : list.split(u',', Qt::SkipEmptyParts)) {
        bool found = false;
        for (const auto& [name, option] : names) {
            if (part.trimmed() == QLatin1String(name)) {
                options |= option;
                found = true;
            }
        }
        if (!found) Fail(QStringLiteral("不明な検索オプションです: %1 (%2)").arg(part, step));
    }
    return options;
}

// "Ctrl+Shift+Left" -> key code and modifiers.
void ParseKey(const QString& keyText, const QString& step, quint16& key, TShiftState& shift,
              QChar& typed) {
    QStringList parts = keyText.split(u'+');
    // "Ctrl++" names the plus key.
    if (keyText.endsWith(QStringLiteral("++"))) {
        parts = keyText.left(keyText.size() - 2).split(u'+');
        parts.append(QStringLiteral("+"));
    }
    const QString name = parts.takeLast();
    shift = {};
    for (const QString& m : parts) {
        if (m.compare(u"Ctrl", Qt::CaseInsensitive) == 0)
            shift |= ssCtrl;
        else if (m.compare(u"Shift", Qt::CaseInsensitive) == 0)
            shift |= ssShift;
        else if (m.compare(u"Alt", Qt::CaseInsensitive) == 0)
            shift |= ssAlt;
        else
            Fail(QStringLiteral("不明な修飾キーです: %1 (%2)").arg(m, step));
    }
    static const std::pair<const char*, quint16> named[] = {
        {"Backspace", 8}, {"Tab", 9},     {"Enter", 13},    {"Return", 13},  {"Escape", 27},
        {"Space", 32},    {"PageUp", 33}, {"PageDown", 34}, {"End", 35},     {"Home", 36},
        {"Left", 37},     {"Up", 38},     {"Right", 39},    {"Down", 40},    {"Insert", 45},
        {"Delete", 46},   {"Minus", 189}, {"Plus", 187},    {"Equals", 187}, {"Slash", 191}};
    typed = QChar();
    for (const auto& [n, code] : named) {
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) {
            key = code;
            if (code == 32) typed = u' ';
            return;
        }
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0].toUpper() == u'F') {
        bool ok = false;
        const int n = name.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 24) {
            key = static_cast<quint16>(111 + n);
            return;
        }
    }
    if (name.size() == 1) {
        const QChar c = name[0];
        if (c.isLetterOrNumber() && c.unicode() < 0x80) {
            key = c.toUpper().unicode();
            typed = (shift & ssShift) ? c.toUpper() : c.toLower();
            if (c.isDigit()) typed = c;
            return;
        }
        switch (c.unicode()) {
            case u'-':
                key = 189;
                break;
            case u'=':
            case u'+':
                key = 187;
                break;
            case u'/':
                key = 191;
                break;
            default:
                key = 0;
                break;
        }
        if (key != 0) {
            typed = c;
            return;
        }
    }
    Fail(QStringLiteral("不明なキーです: %1 (%2)").arg(name, step));
}

QJsonArray Coord(TBufferCoord p) {
    return QJsonArray{p.Char, p.Line};
}

struct TSettings {
    QString text;
    int tabWidth = 8;
    std::optional<TSelectionMode> mode;
    bool overwrite = false;
    bool readOnly = false;
    TCodeEditorOptions on;
    TCodeEditorOptions off;
    QStringList steps;
};

TSettings ParseArguments(const QStringList& args) {
    TSettings s;
    int i = 1;
    bool sawSeparator = false;
    auto value = [&](const QString& option) {
        if (i + 1 >= args.size()) Fail(QStringLiteral("%1 に値がありません").arg(option));
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--") {
            sawSeparator = true;
            ++i;
            break;
        }
        if (a == u"--help" || a == u"-h") {
            Print(stdout, QString::fromUtf8(kUsageText));
            std::exit(kOk);
        } else if (a == u"--text") {
            s.text = value(a);
        } else if (a == u"--text-file") {
            const QString path = value(a);
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                Fail(QStringLiteral("ファイルを開けません: %1").arg(path), kFailed);
            if (!DecodeUtf8Strict(file.readAll(), s.text))
                Fail(QStringLiteral("UTF-8 として読めないファイルです: %1").arg(path), kFailed);
        } else if (a == u"--tabwidth") {
            s.tabWidth = ParseInt(value(a), a);
            if (s.tabWidth < 1 || s.tabWidth > 256)
                Fail(QStringLiteral("--tabwidth は 1 から 256 までです"));
        } else if (a == u"--mode") {
            s.mode = ParseMode(value(a), a);
        } else if (a == u"--overwrite") {
            s.overwrite = true;
        } else if (a == u"--readonly") {
            s.readOnly = true;
        } else if (a == u"--option") {
            const QString optionText = value(a);
            const qsizetype eq = optionText.indexOf(u'=');
            if (eq < 0)
                Fail(QStringLiteral("--option は eoName=on|off の形です: %1").arg(optionText));
            const TCodeEditorOption option = ParseOption(optionText.left(eq));
            const QString state = optionText.mid(eq + 1);
            if (state == u"on") {
                s.on |= option;
                s.off &= ~TCodeEditorOptions(option);
            } else if (state == u"off") {
                s.off |= option;
                s.on &= ~TCodeEditorOptions(option);
            } else {
                Fail(QStringLiteral("--option の値は on か off です: %1").arg(optionText));
            }
        } else {
            Fail(QStringLiteral("不明な引数です: %1").arg(a));
        }
    }
    if (!sawSeparator && i < args.size()) Fail(QStringLiteral("ステップの前に -- が必要です"));
    for (; i < args.size(); ++i)
        s.steps.append(args[i]);
    return s;
}

void RunStep(TCodeEditModel& edit, const QString& step, QJsonValue& result) {
    const qsizetype colon = step.indexOf(u':');
    const QString head = colon < 0 ? step : step.left(colon);
    const QString arg = colon < 0 ? QString() : step.mid(colon + 1);
    if (head == u"key") {
        quint16 key = 0;
        TShiftState shift;
        QChar typed;
        ParseKey(arg, step, key, shift, typed);
        // As a key press: a bound key runs its command, an unbound printable key types.
        const TCodeEditorCommand command = edit.ProcessKey(key, shift);
        if (command == ecNone && !typed.isNull() && !(shift & (ssCtrl | ssAlt)))
            edit.CommandProcessor(ecChar, typed);
        return;
    }
    if (head == u"caret") {
        const QList<int> v = ParseInts(arg, 2, step);
        edit.SetCaretXY({v[0], v[1]});
        return;
    }
    if (head == u"select") {
        const QList<int> v = ParseInts(arg, 4, step);
        const TBufferCoord begin{v[0], v[1]};
        const TBufferCoord end{v[2], v[3]};
        edit.SetCaretAndSelection(end, begin, end);
        return;
    }
    if (head == u"paste") {
        const qsizetype sep = arg.indexOf(u':');
        if (sep < 0) Fail(QStringLiteral("paste:MODE:TEXT の形ではありません: %1").arg(step));
        edit.HeadlessView().SetClipboard(arg.mid(sep + 1), ParseMode(arg.left(sep), step));
        edit.CommandProcessor(ecPaste);
        return;
    }
    if (head == u"replace") {
        const QStringList parts = arg.split(u':');
        if (parts.size() < 3)
            Fail(QStringLiteral("replace:OPTIONS:FIND:REPLACE の形ではありません: %1").arg(step));
        const QString replacement = parts.mid(2).join(u':');
        result = edit.SearchReplace(parts[1], replacement, ParseSearchOptions(parts[0], step));
        return;
    }
    TCodeEditorCommand command = ecNone;
    if (!head.startsWith(u"ec") || !IdentToEditorCommand(head, command))
        Fail(QStringLiteral("不明なステップです: %1").arg(step));
    if (command == ecGotoXY || command == ecSelGotoXY) {
        const QList<int> v = ParseInts(arg, 2, step);
        TBufferCoord p{v[0], v[1]};
        edit.CommandProcessor(command, QChar(), &p);
    } else if (command == ecChar) {
        if (arg.size() != 1) Fail(QStringLiteral("ecChar には1文字を指定します: %1").arg(step));
        edit.CommandProcessor(command, arg[0]);
    } else if (command == ecImeStr || command == ecString) {
        QString text = arg;
        edit.CommandProcessor(command, QChar(), &text);
    } else {
        if (colon >= 0) Fail(QStringLiteral("このコマンドは引数をとりません: %1").arg(step));
        edit.CommandProcessor(command);
    }
}

int Run(const QStringList& args) {
    const TSettings s = ParseArguments(args);
    // The model alone, on a fixed grid, with a clipboard of its own.
    TCodeEditModel edit;
    edit.SetMetrics(std::make_unique<TFixedCellMetrics>(25, 80));
    TCodeEditSearch engine;
    edit.SetSearchEngine(&engine);
    edit.SetWantTabs(true);
    edit.SetTabWidth(s.tabWidth);
    edit.SetOptions((edit.Options() | s.on) & ~s.off);
    edit.SetText(s.text);
    if (s.mode) edit.SetSelectionMode(*s.mode);
    edit.SetInsertMode(!s.overwrite);
    edit.SetReadOnly(s.readOnly);
    QJsonValue result = QJsonValue::Null;
    for (const QString& step : s.steps)
        RunStep(edit, step, result);
    QJsonObject out;
    out.insert(QStringLiteral("text"), edit.Text());
    out.insert(QStringLiteral("caret"), Coord(edit.CaretXY()));
    out.insert(QStringLiteral("blockBegin"), Coord(edit.BlockBegin()));
    out.insert(QStringLiteral("blockEnd"), Coord(edit.BlockEnd()));
    out.insert(QStringLiteral("selAvail"), edit.SelAvail());
    out.insert(QStringLiteral("selText"), edit.SelText());
    out.insert(QStringLiteral("mode"), ModeName(edit.SelectionMode()));
    out.insert(QStringLiteral("canUndo"), edit.CanUndo());
    out.insert(QStringLiteral("canRedo"), edit.CanRedo());
    out.insert(QStringLiteral("modified"), edit.Modified());
    out.insert(QStringLiteral("result"), result);
    Print(stdout, QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact)) + u'\n');
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return Run(QCoreApplication::arguments());
    } catch (const TToolError& e) {
        Print(stderr, QStringLiteral("codeedit-run: %1\n").arg(e.message));
        if (e.exitCode == kUsage)
            Print(stderr, QStringLiteral("codeedit-run --help で使い方を表示します。\n"));
        return e.exitCode;
    } catch (const EMarrowpadError& e) {
        Print(stderr, QStringLiteral("codeedit-run: %1\n").arg(e.Message()));
        return kFailed;
    }
}
