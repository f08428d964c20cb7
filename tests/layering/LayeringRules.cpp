#include "tests/layering/LayeringRules.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

TLayeringManifest ParseLayeringManifest(QStringView Text) {
    TLayeringManifest manifest;
    for (QStringView line : Text.split(u'\n')) {
        const QList<QStringView> f = line.split(u'\t');
        const QStringView kind = f.front();
        if (kind == u"qtcore-include" && f.size() == 2 && !f[1].isEmpty())
            manifest.QtCoreIncludeDirs << f[1].toString();
        else if (kind == u"core" && f.size() == 2)
            manifest.CoreLibraries << f[1].toString();
        else if (kind == u"source" && f.size() == 3)
            manifest.CoreSources.insert(QDir::cleanPath(f[2].toString()), f[1].toString());
        else if (kind == u"link" && f.size() == 4)
            manifest.Links.append({f[1].toString(), f[2].toString(), f[3].toString()});
    }
    return manifest;
}

QStringList LinkViolations(const TLayeringManifest& Manifest) {
    QStringList out;
    for (const TLayeringManifest::TLink& link : Manifest.Links) {
        if (link.Item == u"Qt6::Core" || link.Item == u"Qt::Core") continue;
        if (Manifest.CoreLibraries.contains(link.Item)) continue;
        out << QStringLiteral("%1 links %2 (%3), which is neither Qt6::Core nor a core library")
                   .arg(link.Library, link.Item, link.Chain);
    }
    return out;
}

QList<TInclude> IncludesOf(QStringView Text) {
    static const QRegularExpression include(
        QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    static const QRegularExpression rawOpen(QStringLiteral(R"re(R"([^()\\\s]{0,16})\()re"));
    QList<TInclude> out;
    QString rawClose;  // the end of the raw string literal we are in, if any
    int number = 0;
    for (QStringView line : Text.split(u'\n')) {
        ++number;
        qsizetype from = 0;
        if (!rawClose.isEmpty()) {
            const qsizetype end = line.indexOf(rawClose);
            if (end < 0) continue;
            from = end + rawClose.size();
            rawClose.clear();
        } else if (const auto m = include.match(line); m.hasMatch()) {
            out.append({number, m.capturedView(1) == u"<", m.captured(2)});
            continue;
        }
        // a raw string opened on this line and left open hides the lines that follow
        for (auto m = rawOpen.match(line, from); m.hasMatch(); m = rawOpen.match(line, from)) {
            const QString close = u')' + m.captured(1) + u'"';
            const qsizetype end = line.indexOf(close, m.capturedEnd());
            if (end < 0) {
                rawClose = close;
                break;
            }
            from = end + close.size();
        }
    }
    return out;
}

bool IsQtHeader(const QString& Name) {
    const qsizetype slash = Name.indexOf(u'/');
    if (slash >= 0) return Name.startsWith(u"Qt");
    return Name.startsWith(u'Q') || (Name.startsWith(u'q') && Name.endsWith(u".h"));
}

bool IsQtCoreHeader(const QString& Name, const QStringList& QtCoreIncludeDirs) {
    if (!IsQtHeader(Name)) return false;
    if (Name.contains(u'/')) return Name.startsWith(u"QtCore/");
    for (const QString& dir : QtCoreIncludeDirs) {
        if (QFileInfo(dir).fileName() == u"QtCore" && QFileInfo::exists(dir + u'/' + Name))
            return true;
    }
    return false;
}

QStringList IncludeViolations(const TLayeringManifest& Manifest, const QString& Root,
                              const QString& File, QStringView Text) {
    QStringList out;
    const QString where = QDir(Root).relativeFilePath(File);
    for (const TInclude& inc : IncludesOf(Text)) {
        const QString named = inc.Angle ? u'<' + inc.Name + u'>' : u'"' + inc.Name + u'"';
        const QString at = QStringLiteral("%1:%2: #include %3").arg(where).arg(inc.Line).arg(named);
        if (inc.Angle) {
            if (IsQtHeader(inc.Name) && !IsQtCoreHeader(inc.Name, Manifest.QtCoreIncludeDirs))
                out << at + QStringLiteral(" is a Qt header outside QtCore");
            continue;
        }
        // project headers are named from the root; a bare name is the including file's neighbour
        const QString fromRoot = QDir::cleanPath(Root + u'/' + inc.Name);
        const QString fromHere = QDir::cleanPath(QFileInfo(File).absolutePath() + u'/' + inc.Name);
        const QString path = QFileInfo::exists(fromRoot) ? fromRoot : fromHere;
        if (!QFileInfo::exists(path))
            out << at + QStringLiteral(" names no file of the project");
        else if (!Manifest.CoreSources.contains(path))
            out << at + QStringLiteral(" is a header of a library above the core");
    }
    return out;
}
