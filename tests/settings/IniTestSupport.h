#pragma once

#include <QLocale>
#include <memory>

#include "settings/ExIniFileQt.h"
#include "tests/support/TestFiles.h"

// A store whose folders all lie in a scratch folder, so no test reaches the real ones.
class TIniScratch {
public:
    TIniFolders Folders() const {
        return {fDir.Path("app"), fDir.Path("user"), fDir.Path("etc"), "marrowpad"};
    }
    QString Path(const QString& name) const { return fDir.Path(name); }
    std::unique_ptr<TExIniFileQt> Open(const QString& name = "test.ini") const {
        auto ini = std::make_unique<TExIniFileQt>(Folders());
        ini->SetFileName(Path(name));
        return ini;
    }
    QString Text(const QString& name = "test.ini") const {
        return QString::fromUtf8(ReadFileBytes(Path(name)));
    }
    void Write(const QByteArray& bytes, const QString& name = "test.ini") const {
        WriteFileBytes(Path(name), bytes);
    }

private:
    TTestDir fDir;
};

// Number and date formats follow the default locale; tests fix it and put it back.
class TLocaleGuard {
public:
    explicit TLocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~TLocaleGuard() { QLocale::setDefault(fSaved); }

private:
    QLocale fSaved;
};
