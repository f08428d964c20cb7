#include <gtest/gtest.h>

#include <QFile>

#include "tests/layering/LayeringRules.h"

namespace {

const QString kRoot = QStringLiteral(MARROWPAD_LAYERING_ROOT);

TLayeringManifest BuildManifest() {
    QFile file(QStringLiteral(MARROWPAD_LAYERING_MANIFEST));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseLayeringManifest(QString::fromUtf8(file.readAll()));
}

// A manifest of two core libraries, as the configure step would write it.
TLayeringManifest SampleManifest() {
    return ParseLayeringManifest(
        QStringLiteral("qtcore-include\t%1\n"
                       "core\tlib_low\ncore\tlib_mid\n"
                       "source\tlib_mid\t%2/highlighters/CodeEditHighlighter.h\n"
                       "source\tlib_low\t%2/platform/Errors.h\n"
                       "link\tlib_mid\tlib_low\tlib_mid -> lib_low\n"
                       "link\tlib_mid\tQt6::Core\tlib_mid -> lib_low -> Qt6::Core\n")
            .arg(BuildManifest().QtCoreIncludeDirs.value(0), kRoot));
}

std::string Joined(const QStringList& messages) {
    return messages.join(u'\n').toStdString();
}

}  // namespace

TEST(Layering, TheBuildNamesItsCoreLibrariesWithTheirFilesAndQtCore) {
    const TLayeringManifest manifest = BuildManifest();
    ASSERT_FALSE(manifest.CoreLibraries.isEmpty()) << "no manifest at " MARROWPAD_LAYERING_MANIFEST;
    for (const QString& lib :
         {QStringLiteral("marrowpad_platform_core"), QStringLiteral("marrowpad_inifile"),
          QStringLiteral("marrowpad_highlighters")})
        EXPECT_TRUE(manifest.CoreLibraries.contains(lib)) << lib.toStdString();
    for (const QString& lib : manifest.CoreLibraries)
        EXPECT_TRUE(manifest.CoreSources.values().contains(lib)) << lib.toStdString();
    EXPECT_TRUE(IsQtCoreHeader(QStringLiteral("QString"), manifest.QtCoreIncludeDirs));
}

TEST(Layering, CoreLibrariesLinkQtCoreAndOtherCoreLibrariesOnly) {
    const TLayeringManifest manifest = BuildManifest();
    ASSERT_FALSE(manifest.Links.isEmpty());
    EXPECT_EQ(Joined(LinkViolations(manifest)), "");
}

TEST(Layering, CoreFilesIncludeQtCoreAndCoreHeadersOnly) {
    const TLayeringManifest manifest = BuildManifest();
    ASSERT_FALSE(manifest.CoreSources.isEmpty());
    QStringList messages;
    for (auto it = manifest.CoreSources.cbegin(); it != manifest.CoreSources.cend(); ++it) {
        QFile file(it.key());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << it.key().toStdString();
        messages << IncludeViolations(manifest, kRoot, it.key(), QString::fromUtf8(file.readAll()));
    }
    messages.sort();
    EXPECT_EQ(Joined(messages), "");
}

TEST(LayeringRules, QtHeadersCountAsCoreOnlyWhenQtCoreHasThem) {
    const QStringList dirs = BuildManifest().QtCoreIncludeDirs;
    for (const char* name : {"QString", "QtGlobal", "Qt", "qglobal.h", "QtCore/QString"})
        EXPECT_TRUE(IsQtCoreHeader(QString::fromLatin1(name), dirs)) << name;
    for (const char* name : {"QColor", "QWidget", "QtGui/QColor", "QtWidgets/QWidget", "qcolor.h"})
        EXPECT_FALSE(IsQtCoreHeader(QString::fromLatin1(name), dirs)) << name;
    // the standard library is no Qt header, and so none of the check's business
    for (const char* name : {"queue", "vector", "gtest/gtest.h"})
        EXPECT_FALSE(IsQtHeader(QString::fromLatin1(name))) << name;
}

TEST(LayeringRules, IncludesInsideRawStringsAreText) {
    const QList<TInclude> found = IncludesOf(
        u"#include <QString>\n"
        u"  #  include \"platform/Errors.h\"\n"
        u"auto s = R\"(\n#include <QColor>\n)\";\n"
        u"auto t = R\"x(a)\" )x\"; R\"(\n#include <QWidget>\n)\"; // #include <QFont>\n"
        u"#include <QFont>\n");
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[0].Name, "QString");
    EXPECT_TRUE(found[0].Angle);
    EXPECT_EQ(found[1].Name, "platform/Errors.h");
    EXPECT_FALSE(found[1].Angle);
    EXPECT_EQ(found[2].Name, "QFont");
    EXPECT_EQ(found[2].Line, 9);
}

TEST(LayeringRules, EachReachBeyondTheCoreIsNamedWithItsFileAndLine) {
    const TLayeringManifest manifest = SampleManifest();
    const QString file = kRoot + QStringLiteral("/highlighters/CodeEditHighlighter.h");
    const QStringList messages =
        IncludeViolations(manifest, kRoot, file,
                          u"#include <QString>\n#include <QColor>\n#include \"platform/Errors.h\"\n"
                          u"#include \"settings/IniFont.h\"\n#include \"CodeEditHighlighter.h\"\n"
                          u"#include \"no/such/File.h\"\n#include <vector>\n");
    EXPECT_EQ(Joined(messages),
              "highlighters/CodeEditHighlighter.h:2: #include <QColor> is a Qt header outside "
              "QtCore\n"
              "highlighters/CodeEditHighlighter.h:4: #include \"settings/IniFont.h\" is a header "
              "of a library above the core\n"
              "highlighters/CodeEditHighlighter.h:6: #include \"no/such/File.h\" names no file of "
              "the project");
}

TEST(LayeringRules, ALinkBeyondTheCoreIsNamedWithTheChainThatBringsItIn) {
    TLayeringManifest manifest = SampleManifest();
    EXPECT_TRUE(LinkViolations(manifest).isEmpty());
    manifest.Links.append({"lib_mid", "Qt6::Gui", "lib_mid -> lib_low -> Qt6::Gui"});
    manifest.Links.append({"lib_mid", "lib_widgets", "lib_mid -> lib_widgets"});
    EXPECT_EQ(Joined(LinkViolations(manifest)),
              "lib_mid links Qt6::Gui (lib_mid -> lib_low -> Qt6::Gui), which is neither "
              "Qt6::Core nor a core library\n"
              "lib_mid links lib_widgets (lib_mid -> lib_widgets), which is neither Qt6::Core nor "
              "a core library");
}
