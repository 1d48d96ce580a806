#pragma once

#include <QObject>
#include <QString>

class QLocale;

// The program's translations: the translators for the desktop's language,
// compiled into the program, and the translated data files beside the
// English ones.
class CTranslations final : public QObject
{
public:
    explicit CTranslations(QObject* parent);
    ~CTranslations() override;
    Q_DISABLE_COPY_MOVE(CTranslations)

    // Installs the translators of the first of the locale's languages the
    // program has; English needs none. True when a translation was loaded.
    bool Install(const QLocale& locale);

    // The language the program's texts are in ("de"), empty for English.
    static QString Language();

    // The file's translation for the language, "name.LANG.ext" beside
    // "name.ext", when it exists; the file itself otherwise.
    static QString LocalizedFile(const QString& path, const QString& language);

private:
    bool Load(const QString& name, const QString& folder);
};
