// Qt's own texts (file and print dialogs, standard buttons, an edit field's context
// menu) in the interface language, from the translations Qt ships.
#pragma once

#include <QString>
#include <memory>

class QTranslator;

namespace reelkeep {

class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();

    // Installs Qt's translations for the locale named ("ru", "en", "de_DE"), replacing
    // those installed before. Qt's texts are English already, so "en", an empty name or
    // a locale Qt has no translations for leaves them English. True when a translation
    // is in effect.
    bool follow(const QString& locale);

private:
    std::unique_ptr<QTranslator> m_translator;
};

} // namespace reelkeep
