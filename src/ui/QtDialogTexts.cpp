#include "ui/QtDialogTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <iterator>

#include "files/LanguageChoice.h"
#include "lang/Language.h"

namespace lindor::ui {

namespace {

// Qt's button texts (without their "&") and the keys that translate them. The platform
// themes name them slightly differently ("Discard", "Close without Saving").
struct ButtonText {
    const char* source;
    const char* key;
};
const ButtonText kButtonTexts[] = {
    {"OK", "OK"},
    {"Cancel", "Cancel"},
    {"Yes", "ButtonYes"},
    {"No", "ButtonNo"},
    {"Save", "ButtonSave"},
    {"Discard", "ButtonDiscard"},
    {"Close without Saving", "ButtonDiscard"},
    {"Close", "ButtonClose"},
    {"Open", "ButtonOpen"},
};

} // namespace

QtDialogTexts::QtDialogTexts(const lang::Language& language, QObject* parent)
    : QTranslator(parent), m_language(language) {
    loadQtTranslation();
    QCoreApplication::installTranslator(this);
}

QtDialogTexts::~QtDialogTexts() {
    QCoreApplication::removeTranslator(this);
    if (m_qt)
        QCoreApplication::removeTranslator(m_qt.get());
}

void QtDialogTexts::loadQtTranslation() {
    if (m_qt) {
        QCoreApplication::removeTranslator(m_qt.get());
        m_qt.reset();
    }
    // Qt speaks English by itself.
    const std::string name = m_language.currentName();
    for (std::size_t i = 1; i < std::size(files::kShippedLanguages); ++i) {
        const files::ShippedLanguage& shipped = files::kShippedLanguages[i];
        if (name != shipped.name)
            continue;
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_") + QString::fromLatin1(shipped.localePrefix),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            m_qt = std::move(qt);
            QCoreApplication::installTranslator(m_qt.get());
        }
    }
}

void QtDialogTexts::languageChanged() {
    // Qt's translation first, then this one again, so that the language file's button
    // texts are asked first. Each installation tells every window.
    QCoreApplication::removeTranslator(this);
    loadQtTranslation();
    QCoreApplication::installTranslator(this);
}

QString QtDialogTexts::translate(const char*, const char* sourceText, const char*, int) const {
    if (sourceText == nullptr)
        return {};
    QString plain = QString::fromUtf8(sourceText);
    plain.remove(QLatin1Char('&'));
    for (const ButtonText& button : kButtonTexts) {
        if (plain == QLatin1String(button.source) && m_language.hasKey(button.key))
            return QString::fromStdString(m_language.text(button.key));
    }
    return {};
}

} // namespace lindor::ui
