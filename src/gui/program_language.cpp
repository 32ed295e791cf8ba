#include "gui/program_language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace kovra {

void applyProgramLanguage(Language language, const std::string& localeDir)
{
    useLanguage(language, localeDir);
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    // The captions are Japanese in the code; only English needs a catalogue.
    if (language == Language::English && translator.load(":/i18n/kovraset_en.qm"))
        QCoreApplication::installTranslator(&translator);
}

} // namespace kovra
