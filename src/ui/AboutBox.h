// The about box: the program's icon, name, version, what it does and a link to its home
// page.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TUrlLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const lang::Language& language, QWidget* parent = nullptr);

    TUrlLabel* homePageLink() const { return m_link; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const lang::Language& m_language;
    QLabel* m_version = nullptr;
    QLabel* m_description = nullptr;
    TUrlLabel* m_link = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace lindor::ui
