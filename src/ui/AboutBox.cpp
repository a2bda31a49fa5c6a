#include "ui/AboutBox.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Language.h"
#include "ui/DialogParts.h"
#include "ui/ProductInfo.h"
#include "ui/UrlLabel.h"

namespace lindor::ui {

namespace {

// "Courier New" where it is installed, otherwise the system's fixed-pitch font.
QFont productNameFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(14);
    font.setBold(true);
    return font;
}

} // namespace

TAboutBox::TAboutBox(const lang::Language& language, QWidget* parent)
    : QDialog(parent), m_language(language) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Lindor"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    // The program's own icon, the one its windows carry.
    icon->setPixmap(QIcon(QStringLiteral(":/app/lindor.svg")).pixmap(32, 32));
    icon->setFixedSize(32, 32);

    auto* name = new QLabel(QString::fromLatin1(kLindorProductName), this);
    name->setObjectName(QStringLiteral("ProductName"));
    name->setFont(productNameFont());
    QPalette blue = name->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    name->setPalette(blue);

    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Version"));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("Comments"));
    m_link = new TUrlLabel(this, &language);
    m_link->setObjectName(QStringLiteral("UrlLabelHomePage"));
    m_link->setUrl(QString::fromLatin1(kLindorHomePage));
    m_link->setToolTip(QString::fromLatin1(kLindorHomePage));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(name);
    texts->addWidget(m_version);
    texts->addWidget(m_description);
    texts->addSpacing(8);
    texts->addWidget(m_link, 0, Qt::AlignLeft);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent* event) {
    setWindowTitle(qtText(m_language.text("AboutCaption")));
    m_version->setText(
        qtText(m_language.text("AboutVersion")).replace(QLatin1String("%s"), lindorVersion()));
    m_description->setText(qtText(m_language.text("AboutDescription")));
    m_link->setText(qtText(m_language.text("LindorHomePage")));
    m_ok->setText(qtText(m_language.text("OK")));
    QDialog::showEvent(event);
}

} // namespace lindor::ui
