#include "ui/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lindor::ui {

HelpWindow::HelpWindow(const lang::Language& language, QString dataFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language), m_dataFolder(std::move(dataFolder)),
      m_browser(new QTextBrowser(this)), m_back(new QPushButton(this)),
      m_forward(new QPushButton(this)), m_contents(new QPushButton(this)) {
    setObjectName("HelpWindow");
    m_browser->setObjectName("browserHelp");
    m_back->setObjectName("btnBack");
    m_forward->setObjectName("btnForward");
    m_contents->setObjectName("btnContents");
    // Web addresses open in the user's browser; links inside the help stay here.
    m_browser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QPushButton::clicked, this, &HelpWindow::showContents);

    resize(720, 560);
    setTexts();
}

QString HelpWindow::text(const char* key) const {
    return QString::fromStdString(m_language.text(key));
}

void HelpWindow::setTexts() {
    setWindowTitle(text("HelpWindow"));
    m_back->setText(text("HelpBack"));
    m_forward->setText(text("HelpForward"));
    m_contents->setText(text("Contents"));
}

void HelpWindow::showEvent(QShowEvent* event) {
    setTexts();
    QWidget::showEvent(event);
}

void HelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    setTexts();
    // An open help follows the language, at the topic it shows.
    if (isVisible())
        showTopic(m_browser->source().fragment());
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

QString HelpWindow::fileFor(const std::string& languageName) const {
    const QString name = QString::fromStdString(languageName);
    // A language name is a plain word; anything that could lead out of the folder is refused.
    if (name.isEmpty() || name.contains('/') || name.contains('\\'))
        return {};
    const QString path = QDir(m_dataFolder).filePath("ldr" + name + ".html");
    return QFileInfo(path).isFile() ? path : QString();
}

QString HelpWindow::helpFile() const {
    const QString file = fileFor(m_language.currentName());
    return file.isEmpty() ? fileFor("English") : file;
}

void HelpWindow::showContents() {
    showTopic(QString());
}

void HelpWindow::showTopic(const QString& topic) {
    show();
    raise();
    activateWindow();
    const QString file = helpFile();
    if (file.isEmpty()) {
        const std::string name =
            m_language.currentName().empty() ? "English" : m_language.currentName();
        const QString expected =
            QDir(m_dataFolder).filePath("ldr" + QString::fromStdString(name) + ".html");
        QString message = text("HelpFileNotFound");
        message.replace("%s", QDir::toNativeSeparators(expected));
        m_browser->clearHistory();
        m_browser->setHtml("<h3>" + message.toHtmlEscaped() + "</h3>");
        return;
    }
    QUrl url = QUrl::fromLocalFile(file);
    if (!topic.isEmpty())
        url.setFragment(topic);
    m_browser->setSource(url);
}

} // namespace lindor::ui
