#include "ShellLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QVariant>

namespace {

// Set on the application once the translations were looked for: whether Qt's were found.
const char kAppliedProperty[] = "kqShellLanguageFound";

} // namespace

bool ShellLanguage::apply()
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);

    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    const QVariant applied = app->property(kAppliedProperty);
    if (applied.isValid())
        return applied.toBool();

    // "qt" names every Qt module's catalogue (qtbase, qtmultimedia ...); qtwebengine has its own.
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    bool found = false;
    for (const QString& catalogue : {QStringLiteral("qt"), QStringLiteral("qtwebengine")}) {
        auto* translator = new QTranslator(app);
        if (!translator->load(chinese, catalogue, QStringLiteral("_"), folder)) {
            delete translator;
            continue;
        }
        QCoreApplication::installTranslator(translator);
        found = found || catalogue == QLatin1String("qt");
    }
    app->setProperty(kAppliedProperty, found);
    return found;
}
