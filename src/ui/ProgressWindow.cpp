#include "ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QVBoxLayout>

#include "gif/ProgressHook.h"
#include "ui/NeedleGauge.h"

namespace lindor::ui {

// What the hook asks of the window.
class TProgressForm::Display : public gif::ProgressDisplay {
public:
    explicit Display(TProgressForm& form) : m_form(form) { m_sinceEvents.start(); }

    bool isShown() const override { return m_form.isVisible(); }
    void show() override { m_form.show(); }
    void hide() override { m_form.hide(); }
    void setGaugeProgress(int percent) override { m_form.gauge().setProgress(percent); }
    // The writer reports far more often than the screen changes: the events run when the
    // window has just been shown or hidden, and otherwise once per frame time, which
    // repaints the dial with its latest percentage and keeps the program responsive.
    void processPendingMessages() override {
        const bool shown = m_form.isVisible();
        if (shown == m_shownAtEvents && !m_sinceEvents.hasExpired(kFrameMs))
            return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_shownAtEvents = m_form.isVisible();
        m_sinceEvents.restart();
    }

private:
    static constexpr qint64 kFrameMs = 15;

    TProgressForm& m_form;
    QElapsedTimer m_sinceEvents;
    bool m_shownAtEvents = false;
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
