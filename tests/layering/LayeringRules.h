#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// What the build says about its core libraries, as the configure step writes it down.
struct TLayeringManifest {
    struct TLink {
        QString Library;  // the core library
        QString Item;     // what it links, directly or through other libraries
        QString Chain;    // how it gets there, "a -> b -> item"
    };
    QStringList QtCoreIncludeDirs;
    QStringList CoreLibraries;
    QHash<QString, QString> CoreSources;  // absolute path -> its core library
    QList<TLink> Links;
};

// Lines of tab-separated fields: "qtcore-include dir", "core lib", "source lib path",
// "link lib item chain". Unknown lines are kept out.
TLayeringManifest ParseLayeringManifest(QStringView Text);

// One message per link of a core library to anything but Qt6::Core or another core library.
QStringList LinkViolations(const TLayeringManifest& Manifest);

struct TInclude {
    int Line = 0;        // 1-based
    bool Angle = false;  // <...> rather than "..."
    QString Name;
};

// The #include lines of a source text, outside raw string literals.
QList<TInclude> IncludesOf(QStringView Text);

// Whether an angle include names a Qt header, and whether that header is QtCore's.
bool IsQtHeader(const QString& Name);
bool IsQtCoreHeader(const QString& Name, const QStringList& QtCoreIncludeDirs);

// One message per include of File (a core file under Root) that reaches beyond the core: a Qt
// header outside QtCore, or a project header that is not a core library's.
QStringList IncludeViolations(const TLayeringManifest& Manifest, const QString& Root,
                              const QString& File, QStringView Text);
