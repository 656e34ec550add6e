#include "data/setup/InterfaceLanguage.h"

#include "data/setup/SiteSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace Processing {

namespace {

constexpr const char *CatalogueFolder = ":/i18n";

struct InForce
{
    QLocale locale{QLocale::English};
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> toolkit;
};

InForce &inForce()
{
    static InForce current;
    return current;
}

QString languageName(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QString();
    // "ar" of "ar_EG": the catalogues are per language.
    return locale.name().section(QLatin1Char('_'), 0, 0);
}

// Qt's catalogue of its own texts: where Qt keeps them (Debian's qt6-translations-l10n), or
// beside the program where it carries them (Windows).
bool loadToolkitCatalogue(QTranslator &translator, const QString &language)
{
    const QString name = QStringLiteral("qtbase_") + language;
    return translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
           translator.load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
}

} // namespace

QStringList SpokenLanguages()
{
    QStringList languages{QStringLiteral("en")};
    const QStringList catalogues = QDir(QString::fromLatin1(CatalogueFolder))
                                       .entryList({QStringLiteral("tarnwick_*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : catalogues) {
        // English's own catalogue holds its plurals alone.
        const QString language = file.section(QLatin1Char('_'), 1).section(QLatin1Char('.'), 0, 0);
        if (!languages.contains(language))
            languages.append(language);
    }
    return languages;
}

QString ChooseLanguage(const QStringList &preferred, const QStringList &spoken)
{
    for (const QString &wanted : preferred) {
        const QString language = languageName(QLocale(wanted));
        if (!language.isEmpty() && spoken.contains(language))
            return language;
    }
    return QStringLiteral("en");
}

QString ConfiguredLanguage()
{
    const QStringList spoken = SpokenLanguages();
    const SiteSetting setting = ConfiguredSetting(QStringLiteral("Interface/language"));
    // A settings file that cannot be read is told by the connection, which reads it too.
    if (!setting.value.isEmpty()) {
        if (!languageName(QLocale(setting.value)).isEmpty())
            return ChooseLanguage({setting.value}, spoken);
        qWarning("\"%s\", set by %s, names no language: the interface follows the system's language.",
                 qPrintable(setting.value), qPrintable(setting.origin));
    }
    return ChooseLanguage(QLocale::system().uiLanguages(), spoken);
}

bool UseLanguage(const QString &language)
{
    InForce &current = inForce();
    for (std::unique_ptr<QTranslator> *translator : {&current.program, &current.toolkit}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
    const QLocale system = QLocale::system();
    const bool systemSpeaksIt = languageName(system) == language;
    current.locale = systemSpeaksIt ? system : QLocale(language);
    // Numbers in the texts follow the interface; an English interface on a system of no
    // language ("C") keeps the system's plain digits.
    QLocale::setDefault(systemSpeaksIt || (language == QLatin1StringView("en") && system.language() == QLocale::C)
                            ? system
                            : current.locale);

    bool loaded = true;
    current.program = std::make_unique<QTranslator>();
    if (current.program->load(QStringLiteral("tarnwick_") + language, QString::fromLatin1(CatalogueFolder))) {
        QCoreApplication::installTranslator(current.program.get());
    } else {
        current.program.reset();
        loaded = false;
    }
    // English's catalogue is of its plurals; Qt's own texts are English already.
    if (language == QLatin1StringView("en"))
        return loaded;
    current.toolkit = std::make_unique<QTranslator>();
    if (loadToolkitCatalogue(*current.toolkit, language)) {
        QCoreApplication::installTranslator(current.toolkit.get());
    } else {
        current.toolkit.reset();
        loaded = false;
    }
    return loaded;
}

QLocale InterfaceLocale()
{
    return inForce().locale;
}

} // namespace Processing
