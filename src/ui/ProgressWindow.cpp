#include "ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QVBoxLayout>

#include "gif/ProgressHook.h"
#include "ui/NeedleGauge.h"

namespace lindor::ui {

// What the hook asks of the window.
class TProgressForm::Display : public gif::ProgressDisplay {
public:
    explicit Display(TProgressForm& form) : m_form(form) {}

    bool isShown() const override { return m_form.isVisible(); }
    void show() override { m_form.show(); }
    void hide() override { m_form.hide(); }
    void setGaugeProgress(int percent) override { m_form.gauge().setProgress(percent); }
    void processPendingMessages() override {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    TProgressForm& m_form;
};

TProgressForm::TProgressForm(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool), m_gauge(new TGauge(this)),
      m_display(std::make_unique<Display>(*this)) {
    setObjectName(QStringLiteral("ProgressForm"));
    // The caption is the same in every language.
    setWindowTitle(QStringLiteral("Progress"));
    resize(275, 157);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_gauge);
    m_gauge->setRange(0, 100);
}

TProgressForm::~TProgressForm() = default;

gif::ProgressHook TProgressForm::hook() {
    return gif::makeProgressHook(*m_display);
}

void TProgressForm::closeEvent(QCloseEvent* event) {
    if (m_saving)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace lindor::ui
