#include "ui/LanguageDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "files/FileError.h"
#include "files/SettingsFile.h"
#include "lang/Language.h"
#include "ui/Questions.h"

namespace lindor::ui {

TdlgSelectLanguage::TdlgSelectLanguage(const lang::Language& language, QWidget* parent)
    : QDialog(parent), m_language(language) {
    setObjectName(QStringLiteral("dlgSelectLanguage"));
    setWindowTitle(QStringLiteral("Select Language"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstboxLanguages"));
    // The languages the program ships, each under its own name ("Svenska"); the item keeps
    // the language file's name, which the settings file stores.
    for (const files::ShippedLanguage& shipped : files::kShippedLanguages) {
        auto* item = new QListWidgetItem(QString::fromUtf8(shipped.nativeName), m_list);
        item->setData(Qt::UserRole, QString::fromLatin1(shipped.name));
    }
    m_list->setSortingEnabled(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFixedSize(161, 201);
    QFont listFont = m_list->font();
    listFont.setBold(false);
    m_list->setFont(listFont);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    m_buttons = makeOkCancel(*this);
    for (QPushButton* button : {m_buttons.ok, m_buttons.cancel})
        button->setMinimumSize(77, 27);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(14);
    layout->addWidget(m_list);
    layout->addLayout(m_buttons.column);
    makeFixedBoldDialog(*this);
}

std::optional<QString> TdlgSelectLanguage::selectedLanguage() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.front()->data(Qt::UserRole).toString();
}

void TdlgSelectLanguage::selectLanguage(const QString& name) {
    m_list->clearSelection();
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->data(Qt::UserRole).toString() == name)
            m_list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    }
}

void TdlgSelectLanguage::showEvent(QShowEvent* event) {
    setWindowTitle(qtText(m_language.text("Language")));
    translateOkCancel(m_buttons, m_language);
    QDialog::showEvent(event);
}

files::LanguageChoice
runLanguageCommand(TdlgSelectLanguage& dialog, Questions& questions, const lang::Language& language,
                   files::SettingsFile& settings,
                   const std::function<void(const std::string&)>& useLanguage) {
    dialog.selectLanguage(QString::fromStdString(language.currentName()));
    const bool accepted = questions.runDialog(dialog) == QDialog::Accepted;
    std::optional<std::string> selected;
    if (const std::optional<QString> name = dialog.selectedLanguage())
        selected = name->toStdString();
    files::LanguageChoice choice =
        files::chooseLanguage(accepted, selected, language.currentName(), settings, language);
    if (!choice.language.empty() && useLanguage) {
        useLanguage(choice.language);
        // What is said next is said in the new language.
        if (choice.isError())
            choice.text = files::settingsNotWritten(settings.path(), language);
    }
    if (choice.isError())
        questions.error(qtText(choice.text));
    else if (!choice.text.empty())
        questions.information(qtText(choice.text));
    return choice;
}

} // namespace lindor::ui
