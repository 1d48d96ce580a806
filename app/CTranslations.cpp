#include "app/CTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

// The compiled catalogues of one language, each ":/i18n/NAME_LANG.qm":
// the texts of the widgets, the command table and the engine's messages.
constexpr const char* kCatalogues[] = {"tracksmith", "commands", "messages"};

// One set of translations is installed at a time, for the whole program.
QString g_language;

} // namespace

CTranslations::CTranslations(QObject* parent)
    : QObject(parent)
{
}

CTranslations::~CTranslations()
{
    // The translators go with this object and take their texts with them.
    g_language.clear();
}

QString CTranslations::Language()
{
    return g_language;
}

bool CTranslations::Load(const QString& name, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    translator.release()->setParent(this);
    return true;
}

bool CTranslations::Install(const QLocale& locale)
{
    for (const QString& tag : locale.uiLanguages()) {
        const QString language = QLocale(tag).name().section(QLatin1Char('_'), 0, 0);
        if (language == QLatin1String("en") || language == QLatin1String("C"))
            return false;
        bool loaded = false;
        for (const char* catalogue : kCatalogues)
            loaded |= Load(QLatin1String(catalogue) + QLatin1Char('_') + language, QStringLiteral(":/i18n"));
        if (!loaded)
            continue;
        // Qt's own texts (the buttons of the message boxes, the file
        // dialogs), when the system has them.
        Load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        g_language = language;
        return true;
    }
    return false;
}

QString CTranslations::LocalizedFile(const QString& path, const QString& language)
{
    if (language.isEmpty())
        return path;
    const QFileInfo info(path);
    const QString localized = info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + language
                                                  + QLatin1Char('.') + info.suffix());
    return QFileInfo::exists(localized) ? localized : path;
}
